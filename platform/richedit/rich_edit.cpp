#include "platform/richedit/rich_edit.h"

#include "platform/richedit/rtf_writer.h"
#include "platform/richedit/windows_fonts.h"
#include "platform/text/sjis.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace ui {

RichEdit::RichEdit(QWidget* parent) : QTextEdit(parent)
{
    installWindowsFonts();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines wrap
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTabChangesFocus(true);
    viewport()->setMouseTracking(true); // moves without a button, for the link cursor
    connect(this, &QTextEdit::textChanged, this, [this] { m_positionsStale = true; });
}

double RichEdit::twipsDpi() const
{
    return logicalDpiY();
}

const BytePositions& RichEdit::positions() const
{
    if (m_positionsStale) {
        m_positions.rebuild(*document());
        m_positionsStale = false;
    }
    return m_positions;
}

namespace {

// Stands in for the document's layout while a load fills the document: the
// real layout would lay the text out piece by piece during the fill, and
// once more for a caret left at the end.
class PausedLayout : public QAbstractTextDocumentLayout {
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

// Replaces the layout without telling the control, which would otherwise
// lay the text out at once; a null layout makes the document create its
// standard one on the next request.
void setLayoutQuietly(QTextDocument& doc, QAbstractTextDocumentLayout* layout)
{
    const bool blocked = doc.blockSignals(true);
    doc.setDocumentLayout(layout);
    doc.blockSignals(blocked);
}

} // namespace

void RichEdit::replaceContent(const std::function<void(QTextDocument&)>& fill)
{
    QTextDocument& doc = *document();
    const bool undo = doc.isUndoRedoEnabled();
    setLayoutQuietly(doc, new PausedLayout(&doc));
    doc.setUndoRedoEnabled(false);
    const auto resume = [&] {
        doc.setUndoRedoEnabled(undo);
        setLayoutQuietly(doc, nullptr);
        doc.documentLayout(); // the standard layout again; the control connects to it
        m_positionsStale = true;
    };
    try {
        fill(doc);
    } catch (...) {
        resume();
        throw;
    }
    setTextCursor(QTextCursor(&doc)); // while paused, so the old caret costs no layout
    resume();
    verticalScrollBar()->setValue(0);
}

void RichEdit::LoadRichText(const std::string& rtf)
{
    const double dpi = twipsDpi();
    replaceContent([&](QTextDocument& doc) { readRichText(rtf, doc, dpi); });
}

void RichEdit::LoadPlainText(const std::string& text)
{
    // CR and LF never occur as second bytes, so the breaks can be unified
    // after decoding.
    QString s = sjis::toQString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    replaceContent([&](QTextDocument& doc) { doc.setPlainText(s); });
}

std::string RichEdit::SaveRichText() const
{
    return writeRichText(*document(), twipsDpi());
}

void RichEdit::LoadFromFile(const std::string& fileName)
{
    QFile file(sjis::toQString(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot open " + fileName);
    const QByteArray bytes = file.readAll();
    const std::string content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (content.starts_with("{\\rtf")) {
        const double dpi = twipsDpi();
        replaceContent([&](QTextDocument& doc) {
            readRichText(content, doc, dpi, RichTextReading::Lenient);
        });
    } else
        LoadPlainText(content);
}

void RichEdit::SaveToFile(const std::string& fileName) const
{
    const std::string content = SaveRichText();
    QFile file(sjis::toQString(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(content.data(), static_cast<qint64>(content.size()))
               != static_cast<qint64>(content.size())
        || !file.flush())
        throw std::runtime_error("Cannot write " + fileName);
}

void RichEdit::Clear()
{
    clear();
    m_positionsStale = true;
}

std::string RichEdit::Text() const
{
    return positions().text();
}

void RichEdit::selectDoc(int anchor, int position)
{
    QTextCursor cursor(document());
    const int last = document()->characterCount() - 1;
    cursor.setPosition(std::clamp(anchor, 0, last));
    cursor.setPosition(std::clamp(position, 0, last), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

int RichEdit::SelStart() const
{
    return positions().toByte(textCursor().selectionStart());
}

void RichEdit::SetSelStart(int pos)
{
    const int doc = positions().toDocFloor(pos);
    selectDoc(doc, doc);
}

int RichEdit::SelLength() const
{
    const QTextCursor cursor = textCursor();
    return positions().toByte(cursor.selectionEnd()) - positions().toByte(cursor.selectionStart());
}

void RichEdit::SetSelLength(int length)
{
    const int start = textCursor().selectionStart();
    const long long end = static_cast<long long>(positions().toByte(start)) + std::max(length, 0);
    selectDoc(start, positions().toDocCeil(static_cast<int>(std::min<long long>(end, positions().byteLength()))));
}

std::string RichEdit::SelText() const
{
    return positions().text().substr(static_cast<std::size_t>(SelStart()),
                                     static_cast<std::size_t>(SelLength()));
}

int RichEdit::CharFromPos(const QPoint& point) const
{
    const QPointF docPoint(point.x() + horizontalScrollBar()->value(),
                           point.y() + verticalScrollBar()->value());
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    const int nearest = std::max(layout->hitTest(docPoint, Qt::FuzzyHit), 0);
    const QTextBlock block = document()->findBlock(nearest);
    const QTextLayout* text = block.layout();
    if (!text || text->lineCount() == 0)
        return positions().toByte(nearest);
    // The character whose cell holds the point, not the nearest gap
    // between two characters as for the caret.
    const QPointF inBlock = docPoint - text->position();
    QTextLine line = text->lineAt(text->lineCount() - 1);
    for (int i = 0; i < text->lineCount(); ++i) {
        if (inBlock.y() < text->lineAt(i).y() + text->lineAt(i).height()) {
            line = text->lineAt(i);
            break;
        }
    }
    const int inLine = line.xToCursor(inBlock.x(), QTextLine::CursorOnCharacter);
    return positions().toByte(block.position() + inLine);
}

int RichEdit::FirstVisibleLine() const
{
    // The line that holds the top pixel row of the view. The layout does not
    // number lines, so count them from the start.
    const int top = verticalScrollBar()->value();
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    const QTextBlock near = document()->findBlock(std::max(layout->hitTest(QPointF(0, top), Qt::FuzzyHit), 0));
    layout->blockBoundingRect(near.next().isValid() ? near.next() : near); // laid out up to the top
    int line = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        const QTextLayout* text = b.layout();
        for (int i = 0; i < text->lineCount(); ++i, ++line) {
            const QTextLine l = text->lineAt(i);
            if (text->position().y() + l.y() + l.height() > top)
                return line;
        }
    }
    return std::max(line - 1, 0);
}

void RichEdit::LineScroll(int lines)
{
    QScrollBar* bar = verticalScrollBar();
    int target = FirstVisibleLine() + lines;
    if (target <= 0) {
        bar->setValue(0);
        return;
    }
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        layout->blockBoundingRect(b); // lays the block out
        const QTextLayout* text = b.layout();
        if (target < text->lineCount()) {
            bar->setValue(static_cast<int>(std::ceil(text->position().y() + text->lineAt(target).y())));
            return;
        }
        target -= text->lineCount();
    }
    bar->setValue(bar->maximum());
}

int RichEdit::FindText(const std::string& text, int start, int length) const
{
    const std::string& all = positions().text();
    const long long size = static_cast<long long>(all.size());
    const long long from = std::clamp<long long>(start, 0, size);
    const long long end = length < 0 ? size : std::min(size, from + length);
    const std::size_t hit = sjis::findIgnoreCase(all, text, static_cast<std::size_t>(from));
    if (hit == sjis::npos || static_cast<long long>(hit + text.size()) > end)
        return -1;
    return static_cast<int>(hit);
}

void RichEdit::SelectAll()
{
    selectAll();
}

void RichEdit::CopyToClipboard()
{
    copy();
}

void RichEdit::PasteFromClipboard()
{
    paste();
}

void RichEdit::mergeSelFormat(const QTextCharFormat& format)
{
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        cursor.mergeCharFormat(format);
        return;
    }
    QTextCharFormat typing = currentCharFormat();
    typing.merge(format);
    setCurrentCharFormat(typing);
}

void RichEdit::SetSelColor(const QColor& color)
{
    QTextCharFormat f;
    f.setForeground(color);
    mergeSelFormat(f);
}

void RichEdit::SetSelSize(int points)
{
    QTextCharFormat f;
    f.setFontPointSize(points);
    mergeSelFormat(f);
}

void RichEdit::SetSelBold(bool bold)
{
    QTextCharFormat f;
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    mergeSelFormat(f);
}

bool RichEdit::ReadOnly() const
{
    return isReadOnly();
}

void RichEdit::SetReadOnly(bool readOnly)
{
    setReadOnly(readOnly);
}

void RichEdit::changeEvent(QEvent* event)
{
    // However it was made read-only, the view keeps a caret that the keys
    // move and select with.
    if (event->type() == QEvent::ReadOnlyChange && isReadOnly())
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QTextEdit::changeEvent(event);
}

bool RichEdit::event(QEvent* event)
{
    // A shortcut of the control's own actions (its popup's Ctrl+V) wins over
    // the control's built-in handling of the same keys.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : actions()) {
            if (action->isEnabled() && action->shortcuts().contains(pressed)) {
                event->ignore();
                return true;
            }
        }
    }
    return QTextEdit::event(event);
}

void RichEdit::Print(QPrinter& printer, const QRect& pageRect, const std::string& title) const
{
    if (pageRect.isEmpty())
        throw std::runtime_error("The page rectangle is empty");
    printer.setDocName(sjis::toQString(title));
    const std::unique_ptr<QTextDocument> doc(document()->clone());
    doc->setDocumentMargin(0);
    // A font sized in screen pixels would come out tiny at printer resolution.
    QFont font = doc->defaultFont();
    if (font.pixelSize() > 0) {
        font.setPointSizeF(font.pixelSize() * 72.0 / logicalDpiY());
        doc->setDefaultFont(font);
    }
    // The layout scales line heights to the printer's resolution but takes
    // indents as they stand, in screen pixels: on paper they would shrink.
    const double scale = printer.logicalDpiX() / static_cast<double>(logicalDpiX());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat f = block.blockFormat();
        f.setLeftMargin(f.leftMargin() * scale);
        f.setTextIndent(f.textIndent() * scale);
        QTextCursor(block).setBlockFormat(f);
    }
    doc->documentLayout()->setPaintDevice(&printer);
    doc->setPageSize(pageRect.size());
    doc->documentLayout()->documentSize(); // the whole text laid out into pages

    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("The printer cannot be opened");
    painter.setPen(Qt::black);
    // Each line once, on the page its top lies on: a line drawn again,
    // clipped, at the edge of the next page would be there twice in the
    // text of a PDF.
    const double pageHeight = pageRect.height();
    int page = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QTextLayout& layout = *block.layout();
        for (int n = 0; n < layout.lineCount(); ++n) {
            const QTextLine line = layout.lineAt(n);
            const int linePage = static_cast<int>((layout.position().y() + line.y()) / pageHeight);
            for (; page < linePage; ++page)
                printer.newPage();
            line.draw(&painter, pageRect.topLeft() + layout.position() - QPointF(0, page * pageHeight));
        }
    }
    painter.end();
}

void RichEdit::mousePressEvent(QMouseEvent* event)
{
    QTextEdit::mousePressEvent(event);
    // The text control moves the caret for the left button only, but the
    // link under any press is found at the caret. A plain right press keeps
    // caret and selection for the popup's copy.
    const bool plainRight = event->button() == Qt::RightButton && event->modifiers() == Qt::NoModifier;
    if (event->button() != Qt::LeftButton && !plainRight) {
        setTextCursor(cursorForPosition(event->position().toPoint()));
        event->accept();
    }
    emit mousePressed(event->button(), event->buttons(), event->modifiers(), false,
                      event->position().toPoint());
}

void RichEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTextEdit::mouseDoubleClickEvent(event);
    emit mousePressed(event->button(), event->buttons(), event->modifiers(), true,
                      event->position().toPoint());
}

void RichEdit::mouseMoveEvent(QMouseEvent* event)
{
    QTextEdit::mouseMoveEvent(event);
    emit mouseMoved(event->buttons(), event->modifiers(), event->position().toPoint());
}

void RichEdit::wheelEvent(QWheelEvent* event)
{
    emit wheelTurned(event->angleDelta(), event->modifiers(), event->position().toPoint());
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QTextEdit::wheelEvent(event);
        return;
    }
    // The control only scrolls; Ctrl would zoom a read-only QTextEdit.
    QWheelEvent plain(event->position(), event->globalPosition(), event->pixelDelta(),
                      event->angleDelta(), event->buttons(),
                      event->modifiers() & ~Qt::ControlModifier, event->phase(),
                      event->inverted(), event->source());
    QTextEdit::wheelEvent(&plain);
    event->setAccepted(plain.isAccepted());
}

} // namespace ui
