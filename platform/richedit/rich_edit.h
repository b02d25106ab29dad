// Rich-edit control of the article views: a QTextEdit that loads and saves
// the small rich-text subset the reader writes, speaks CP932 and counts
// every position in CP932 bytes, two per paragraph break, as the program's
// position rules expect.
#pragma once

#include "platform/richedit/byte_positions.h"
#include "platform/richedit/rtf_reader.h" // RichTextError

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QTextEdit>

#include <functional>
#include <string>

class QPrinter;

namespace ui {

class RichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit RichEdit(QWidget* parent = nullptr);

    // Content. Loading replaces everything and puts the caret at 0.
    void LoadRichText(const std::string& rtf); // throws RichTextError
    void LoadPlainText(const std::string& text); // lines split at CR LF, CR or LF
    std::string SaveRichText() const;
    // Files as the control reads them: rich text when the file starts with
    // "{\rtf", read leniently (what is damaged is dropped, the rest shown),
    // plain text otherwise. Names are CP932. Throw std::runtime_error when
    // the file cannot be read or written.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    void Clear();

    // Plain text, CP932, CR LF between paragraphs.
    std::string Text() const;

    // Positions and lengths in CP932 bytes. A position inside a character
    // (or between CR and LF) stands for that character.
    int SelStart() const;
    void SetSelStart(int pos); // collapses the selection
    int SelLength() const;
    void SetSelLength(int length); // from SelStart
    std::string SelText() const;
    // Byte position of the character under (nearest to) a viewport point.
    int CharFromPos(const QPoint& point) const;
    // Display lines (wrapped lines), 0-based.
    int FirstVisibleLine() const;
    void LineScroll(int lines);
    // First occurrence of `text` lying within [start, start + length), never
    // starting on a second byte; Latin letters match in either case (the
    // control's find without options); -1 when none. A negative
    // length means up to the end.
    int FindText(const std::string& text, int start, int length) const;
    void SelectAll();
    void CopyToClipboard(); // the control's own copy, formats included
    void PasteFromClipboard();

    // Character attributes of the selection (of the typing position when
    // nothing is selected).
    void SetSelColor(const QColor& color);
    void SetSelSize(int points);
    void SetSelBold(bool bold);

    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);

    // Prints the whole text into `pageRect` (printer device units, relative
    // to the printable area) of every page, as job `title` (CP932).
    void Print(QPrinter& printer, const QRect& pageRect, const std::string& title) const;

signals:
    // After the control has handled the press, so the caret already stands at
    // the pressed place. `buttons` holds every button down (the pressed one
    // included); `doubleClick` marks the second press of a double click.
    // Points are in viewport coordinates, as CharFromPos takes them.
    void mousePressed(Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers, bool doubleClick, QPoint pos);
    // Every move over the text, with or without a button down.
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    // Before the control scrolls by itself.
    void wheelTurned(QPoint angleDelta, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    const BytePositions& positions() const;
    void replaceContent(const std::function<void(QTextDocument&)>& fill);
    void selectDoc(int anchor, int position);
    void mergeSelFormat(const QTextCharFormat& format);
    double twipsDpi() const;

    mutable BytePositions m_positions;
    mutable bool m_positionsStale = true;
};

} // namespace ui
