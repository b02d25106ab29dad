// The rich-edit control: byte positions, plain text, find, points, lines,
// attributes, files, printing, the keys of a read-only view and the mouse hooks.
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "support/desktop_input.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kHeader = "{\\rtf1\\ansi\r\n"
                            "{\\fonttbl{\\f0\\fnil\\fcharset128\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}\r\n"
                            "{\\colortbl\\red0\\green0\\blue0;\r\n\\red255\\green0\\blue0;\r\n"
                            "\\red255\\green0\\blue255;\r\n\\red0\\green0\\blue255;\r\n"
                            "\\red0\\green150\\blue0;}\r\n";

std::string segment(const std::string& indent, int color, const std::string& text)
{
    std::string out = "\\sl-264" + indent + "{\\cf" + std::to_string(color) + (color == 3 ? "\\ul" : "") + " ";
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}')
            out.push_back('\\');
        out.push_back(c);
    }
    return out + "}";
}

const std::string kBreak = "\r\n\\par\r\n";

// A shown control of a fixed size, as the article view is.
struct Shown {
    Shown()
    {
        edit.resize(400, 200);
        edit.setFont(QFont(sjis::toQString("ＭＳ 明朝"_sj)));
        QFont f = edit.font();
        f.setPixelSize(16);
        edit.setFont(f);
        edit.show();
    }
    ui::RichEdit edit;
};

// Character boundaries of a CP932 text (CR LF as one unit).
std::vector<int> boundaries(const std::string& s)
{
    std::vector<int> out;
    for (std::size_t i = 0; i <= s.size();) {
        out.push_back(static_cast<int>(i));
        if (i == s.size())
            break;
        i += (s.compare(i, 2, "\r\n") == 0) ? 2 : sjis::charLength(s, i);
    }
    return out;
}

TEST(RichEdit, PlainTextAndPositionsCountCp932Bytes)
{
    ui::RichEdit edit;
    // 85 40 and a lone A0 have no Unicode character; they still count as
    // their bytes. A lead byte cut off by a break counts one, as '?'.
    const std::string unmapped = "\x85\x40" "w\xA0";
    const std::string text = "aあb\r\n漢字x表ソ?\r\n\r\nｱｲ　z"_sj + unmapped + "v";
    edit.LoadPlainText("aあb\n漢字x表ソ"_sj + "\x82" + "\r\r\nｱｲ　z"_sj + unmapped + "v"); // LF, CR and CR LF breaks
    EXPECT_EQ(edit.Text(), text);

    const std::vector<int> bounds = boundaries(text);
    for (int b : bounds) {
        SCOPED_TRACE(b);
        edit.SetSelStart(b);
        EXPECT_EQ(edit.SelStart(), b);
        EXPECT_EQ(edit.SelLength(), 0);
        for (int e : bounds) {
            if (e < b)
                continue;
            edit.SetSelLength(e - b);
            EXPECT_EQ(edit.SelStart(), b);
            EXPECT_EQ(edit.SelLength(), e - b);
            EXPECT_EQ(edit.SelText(), text.substr(b, e - b));
        }
    }
    // A byte inside a character stands for the character: the start moves
    // back to it, an end takes the whole of it.
    edit.SetSelStart(2); // second byte of あ
    EXPECT_EQ(edit.SelStart(), 1);
    edit.SetSelLength(1); // ends on the second byte of あ
    EXPECT_EQ(edit.SelLength(), 2);
    edit.SetSelStart(5); // between CR and LF
    EXPECT_EQ(edit.SelStart(), 4);
    edit.SetSelStart(4);
    edit.SetSelLength(3); // CR LF and the first byte of 漢
    EXPECT_EQ(edit.SelText(), "\r\n漢"_sj);
    edit.SetSelStart(1000);
    EXPECT_EQ(edit.SelStart(), static_cast<int>(text.size()));
    edit.SetSelStart(-5);
    EXPECT_EQ(edit.SelStart(), 0);
}

TEST(RichEdit, ArticleTextHasOneBreakPerParAndKeepsBytePositions)
{
    ui::RichEdit edit;
    const std::string line1 = "（定義）"_sj + "\x82"; // its lead byte is cut off by the break
    // 85 40 has no Unicode character and must not shift what follows it.
    const std::string line2 = "\x85\x40" + "第二条　この法律において"_sj;
    edit.LoadRichText(kHeader + segment("\\li0\\fi0", 4, line1) + kBreak
                      + segment("\\li0\\fi0", 0, "\x85\x40" + "第二条　この"_sj)
                      + segment("\\li0\\fi0", 1, "法律"_sj) + segment("\\li0\\fi0", 0, "において"_sj) + kBreak
                      + "\\par}");
    const std::string honbun = line1 + "\r\n" + line2 + "\r\n";
    EXPECT_EQ(edit.Text(), "（定義）?\r\n"_sj + line2 + "\r\n\r\n");
    // 法律 starts at its byte offset in the article text.
    const int keyword = static_cast<int>(honbun.find("法律"_sj));
    edit.SetSelStart(keyword);
    edit.SetSelLength(4);
    EXPECT_EQ(edit.SelText(), "法律"_sj);
    EXPECT_EQ(edit.currentCharFormat().foreground().color(), QColor(255, 0, 0));
}

TEST(RichEdit, FindTextInARange)
{
    ui::RichEdit edit;
    // ソ is 83 5C: a search for "\" must not match its second byte.
    edit.LoadPlainText("課税ソ\\課税\r\n非課税"_sj);
    const std::string all = edit.Text();
    const struct {
        std::string what;
        int start, length, expected;
    } cases[] = {
        {"課税"_sj, 0, -1, 0},
        {"課税"_sj, 1, -1, 7},
        {"課税"_sj, 7, 4, 7},
        {"課税"_sj, 7, 3, -1}, // the match must lie within the range
        {"課税"_sj, 8, 100, 15},
        {"\\", 0, -1, 6},
        {"\r\n非"_sj, 0, -1, 11},
        {"税\r"_sj, 0, 1000, 9},
        {"ない"_sj, 0, -1, -1},
        {"", 0, -1, -1},
        {"課税"_sj, 50, 10, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        EXPECT_EQ(edit.FindText(c.what, c.start, c.length), c.expected);
        if (c.expected >= 0) {
            EXPECT_EQ(all.substr(c.expected, c.what.size()), c.what);
        }
    }
}

TEST(RichEdit, CharFromPosLandsOnTheCharacterUnderThePoint)
{
    Shown view;
    ui::RichEdit& edit = view.edit;
    const std::string before = "第二条　"_sj;
    const std::string link = "法第三十条"_sj;
    edit.LoadRichText(kHeader + segment("\\li0\\fi0", 0, "（定義）"_sj) + kBreak + segment("\\li240\\fi-240", 0, before)
                      + segment("\\li240\\fi-240", 3, link) + segment("\\li240\\fi-240", 0, "の規定"_sj) + kBreak
                      + "\\par}");
    const int linkStart = static_cast<int>(("（定義）\r\n"_sj + before).size());
    ASSERT_EQ(edit.Text().substr(linkStart, link.size()), link);

    for (int i = 0; i < 5; ++i) { // the five characters of the link
        SCOPED_TRACE(i);
        QTextCursor c(edit.document());
        c.setPosition(edit.document()->findBlockByNumber(1).position() + 4 + i);
        const QRect left = edit.cursorRect(c);
        c.movePosition(QTextCursor::NextCharacter);
        const QRect right = edit.cursorRect(c);
        const int y = left.center().y();
        // Left and right halves of the glyph both give the character.
        EXPECT_EQ(edit.CharFromPos(QPoint(left.x() + 2, y)), linkStart + 2 * i);
        EXPECT_EQ(edit.CharFromPos(QPoint(right.x() - 2, y)), linkStart + 2 * i);
    }
    // After a lead byte cut off by the break, the last byte of a link on 5..7 is 7.
    edit.LoadRichText(kHeader + segment("\\li0\\fi0", 0, "あ"_sj + "\x82") + kBreak
                      + segment("\\li0\\fi0", 3, "abc") + kBreak + "\\par}");
    QTextCursor last(edit.document());
    last.setPosition(edit.document()->findBlockByNumber(1).position() + 2);
    const QPoint onC(edit.cursorRect(last).x() + 2, edit.cursorRect(last).center().y());
    EXPECT_EQ(edit.CharFromPos(onC), 7);
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, onC);
    EXPECT_EQ(edit.SelStart(), 7);
    // Scrolled views count from the document, not the viewport.
    edit.LoadPlainText(std::string(200, 'x') + "\r\n" + std::string(4000, 'y'));
    edit.verticalScrollBar()->setValue(60);
    QTextCursor c(edit.document());
    c.setPosition(edit.document()->findBlockByNumber(1).position() + 300);
    const QRect r = edit.cursorRect(c);
    EXPECT_EQ(edit.CharFromPos(QPoint(r.x() + 2, r.center().y())), 202 + 300);
}

TEST(RichEdit, FormatsOfALoadedArticleReachTheLayout)
{
    Shown view;
    ui::RichEdit& edit = view.edit;
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "あ"_sj;
    edit.LoadRichText(kHeader + segment("\\li600\\fi-600", 0, text) + kBreak + "\\par}");
    const double dpi = edit.logicalDpiY();
    const QTextBlock block = edit.document()->begin();
    QTextLayout* layout = block.layout();
    edit.document()->documentLayout()->blockBoundingRect(block); // lays the block out
    ASSERT_GE(layout->lineCount(), 2);
    // Exact line spacing of 264 twips and a hanging indent of 600 twips.
    EXPECT_NEAR(layout->lineAt(1).y() - layout->lineAt(0).y(), 264 * dpi / 1440, 0.5);
    EXPECT_NEAR(layout->lineAt(1).x() - layout->lineAt(0).x(), 600 * dpi / 1440, 0.5);
    // The font is the Windows name, drawn with its stand-in.
    EXPECT_EQ(QFontInfo(edit.font()).family(), QStringLiteral("IPAMincho"));
}

TEST(RichEdit, FirstVisibleLineAndLineScrollCountDisplayLines)
{
    Shown view;
    ui::RichEdit& edit = view.edit;
    std::string text;
    for (int i = 0; i < 80; ++i)
        text += std::to_string(i) + "\r\n";
    // One paragraph that wraps into several display lines comes first.
    edit.LoadPlainText(std::string(300, 'w') + " " + std::string(300, 'v') + "\r\n" + text);
    const QTextBlock first = edit.document()->begin();
    edit.document()->documentLayout()->blockBoundingRect(edit.document()->lastBlock());
    const int wrapped = first.layout()->lineCount();
    ASSERT_GT(wrapped, 1);
    EXPECT_EQ(edit.FirstVisibleLine(), 0);
    edit.LineScroll(wrapped + 10);
    EXPECT_EQ(edit.FirstVisibleLine(), wrapped + 10);
    // The line at the top is the paragraph of "10".
    EXPECT_EQ(edit.CharFromPos(QPoint(5, 5)), edit.FindText("10\r\n", 0, -1));
    edit.LineScroll(-3);
    EXPECT_EQ(edit.FirstVisibleLine(), wrapped + 7);
    edit.LineScroll(-1000);
    EXPECT_EQ(edit.FirstVisibleLine(), 0);
    EXPECT_EQ(edit.verticalScrollBar()->value(), 0);
    edit.LineScroll(100000);
    EXPECT_EQ(edit.verticalScrollBar()->value(), edit.verticalScrollBar()->maximum());
}

TEST(RichEdit, SelectionAttributesAndReadOnly)
{
    ui::RichEdit edit;
    edit.LoadPlainText("消費税法\r\n"_sj);
    edit.SetSelStart(4);
    edit.SetSelLength(4);
    edit.SetSelColor(QColor(255, 0, 255));
    edit.SetSelSize(11);
    edit.SelectAll();
    EXPECT_EQ(edit.SelLength(), static_cast<int>(edit.Text().size()));
    edit.SetSelStart(4);
    edit.SetSelLength(2);
    EXPECT_EQ(edit.currentCharFormat().foreground().color(), QColor(255, 0, 255));
    EXPECT_DOUBLE_EQ(edit.currentCharFormat().fontPointSize(), 11);
    edit.SetSelStart(0);
    edit.SetSelLength(2);
    EXPECT_FALSE(edit.currentCharFormat().hasProperty(QTextFormat::ForegroundBrush));

    edit.SetReadOnly(true);
    EXPECT_TRUE(edit.ReadOnly());
    edit.LoadPlainText("a"); // loading still works on a read-only control
    EXPECT_EQ(edit.Text(), "a");
    edit.SetReadOnly(false);
    EXPECT_TRUE(edit.textInteractionFlags() & Qt::TextEditable);
    edit.Clear();
    EXPECT_EQ(edit.Text(), "");
    EXPECT_EQ(edit.SelStart(), 0);
}

TEST(RichEdit, AReadOnlyViewKeepsACaretThatTheKeysMoveAndSelectWith)
{
    const struct {
        const char* how;
        void (*makeReadOnly)(ui::RichEdit&);
    } ways[] = {
        {"SetReadOnly", [](ui::RichEdit& e) { e.SetReadOnly(true); }},
        {"the text edit's own setReadOnly", [](ui::RichEdit& e) { e.setReadOnly(true); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        Shown view;
        ui::RichEdit& edit = view.edit;
        way.makeReadOnly(edit);
        edit.LoadPlainText("消費税法\r\n本則"_sj);
        edit.setFocus();
        PressKey(edit, Qt::Key_Right);
        EXPECT_EQ(edit.SelStart(), 2);
        PressKey(edit, Qt::Key_Right, Qt::ShiftModifier);
        PressKey(edit, Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(edit.SelText(), "費税"_sj);
        PressKey(edit, Qt::Key_Down);
        EXPECT_GE(edit.SelStart(), 10) << "down to the second line";
        PressKey(edit, Qt::Key_A, {}, QStringLiteral("a"));
        EXPECT_EQ(edit.Text(), "消費税法\r\n本則"_sj) << "typing changes nothing";
    }
}

TEST(RichEdit, MalformedRichTextRaisesAndKeepsTheContent)
{
    ui::RichEdit edit;
    edit.LoadPlainText("前の条文"_sj);
    EXPECT_THROW(edit.LoadRichText(kHeader + "{\\cf1 text\\par}"), ui::RichTextError);
    EXPECT_THROW(edit.LoadRichText("text"), ui::RichTextError);
    EXPECT_EQ(edit.Text(), "前の条文"_sj);
}

TEST(RichEdit, ScratchFilesRoundTrip)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string file = sjis::fromQString(dir.filePath(QStringLiteral("C2.dl_")));
    ui::RichEdit source;
    source.LoadRichText(kHeader + segment("\\li480\\fi-480", 3, "第１項"_sj) + segment("\\li480\\fi-480", 0, "表示"_sj)
                        + kBreak + "\\par}");
    source.SaveToFile(file);
    ui::RichEdit target;
    target.LoadFromFile(file);
    EXPECT_EQ(target.Text(), source.Text());
    target.SetSelStart(0);
    target.SetSelLength(2);
    EXPECT_TRUE(target.currentCharFormat().fontUnderline());
    EXPECT_DOUBLE_EQ(target.document()->begin().blockFormat().leftMargin(),
                     source.document()->begin().blockFormat().leftMargin());

    // Lines written as plain text load as plain text.
    QFile plain(dir.filePath(QStringLiteral("lines")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    const std::string lines = "書名　版\r\n目次\r\n"_sj;
    plain.write(lines.data(), static_cast<qint64>(lines.size()));
    plain.close();
    target.LoadFromFile(sjis::fromQString(plain.fileName()));
    EXPECT_EQ(target.Text(), lines);
    target.SetSelStart(0);
    target.SetSelLength(2);
    EXPECT_FALSE(target.currentCharFormat().fontUnderline()); // nothing left of the rich text

    EXPECT_THROW(target.LoadFromFile(sjis::fromQString(dir.filePath(QStringLiteral("missing")))),
                 std::runtime_error);
    EXPECT_THROW(target.SaveToFile(sjis::fromQString(dir.filePath(QStringLiteral("no/such/dir")))),
                 std::runtime_error);
}

TEST(RichEdit, MouseHooksComeAfterTheCaretMoved)
{
    Shown view;
    ui::RichEdit& edit = view.edit;
    edit.LoadPlainText("第一条　法人税\r\n"_sj);
    struct Press {
        Qt::MouseButton button;
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        bool doubleClick;
        int caret;
    };
    std::vector<Press> presses;
    int moves = 0;
    QObject::connect(&edit, &ui::RichEdit::mousePressed, &edit,
                     [&](Qt::MouseButton b, Qt::MouseButtons bs, Qt::KeyboardModifiers m, bool d, QPoint) {
                         presses.push_back({b, bs, m, d, edit.SelStart()});
                     });
    QObject::connect(&edit, &ui::RichEdit::mouseMoved, &edit, [&] { ++moves; });

    QTextCursor c(edit.document());
    c.setPosition(4); // before 法
    const QPointF at = edit.cursorRect(c).center() + QPointF(3, 0);
    const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                          Qt::KeyboardModifiers modifiers) {
        QMouseEvent event(type, at, edit.viewport()->mapToGlobal(at), button, buttons, modifiers);
        QApplication::sendEvent(edit.viewport(), &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    edit.SetSelStart(0);
    edit.SetSelLength(4);
    send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    EXPECT_EQ(edit.SelText(), "第一"_sj) << "a plain right press keeps the selection for the popup";
    send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton | Qt::LeftButton, Qt::ControlModifier);
    send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Qt::NoModifier);

    // Ctrl with the wheel scrolls as the plain wheel does, it does not zoom
    // (as a read-only QTextEdit would, for a font sized in points).
    edit.SetReadOnly(true);
    QFont points = edit.font();
    points.setPointSize(12);
    edit.setFont(points);
    std::string many;
    for (int i = 0; i < 100; ++i)
        many += "行\r\n"_sj;
    edit.LoadPlainText(many);
    const QFont before = edit.document()->defaultFont();
    int wheels = 0;
    QObject::connect(&edit, &ui::RichEdit::wheelTurned, &edit, [&] { ++wheels; });
    QWheelEvent wheel(at, edit.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(edit.viewport(), &wheel);
    EXPECT_EQ(wheels, 1);
    EXPECT_EQ(edit.document()->defaultFont(), before);
    EXPECT_GT(edit.verticalScrollBar()->value(), 0);

    ASSERT_EQ(presses.size(), 4u);
    EXPECT_EQ(presses[0].button, Qt::LeftButton);
    EXPECT_EQ(presses[0].modifiers, Qt::NoModifier);
    EXPECT_FALSE(presses[0].doubleClick);
    EXPECT_EQ(presses[0].caret, 8); // 第一条　 is four double-byte characters
    EXPECT_TRUE(presses[1].doubleClick);
    EXPECT_EQ(presses[2].caret, 0);
    EXPECT_EQ(presses[3].button, Qt::RightButton);
    EXPECT_EQ(presses[3].buttons, Qt::RightButton | Qt::LeftButton);
    EXPECT_EQ(presses[3].modifiers, Qt::ControlModifier);
    EXPECT_EQ(presses[3].caret, 8) << "a right press with a key held puts the caret there too";
    EXPECT_EQ(moves, 1);
}

} // namespace
