// Reading and writing the rich-text subset, on bare documents.
#include "platform/richedit/rtf_reader.h"
#include "platform/richedit/rtf_writer.h"
#include "platform/text/sjis.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// The header the reader writes for every article.
const std::string kHeader = "{\\rtf1\\ansi\r\n"
                            "{\\fonttbl{\\f0\\fnil\\fcharset128\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}\r\n"
                            "{\\colortbl\\red0\\green0\\blue0;\r\n"
                            "\\red255\\green0\\blue0;\r\n"
                            "\\red255\\green0\\blue255;\r\n"
                            "\\red0\\green0\\blue255;\r\n"
                            "\\red0\\green150\\blue0;}\r\n";

const std::string kBreak = "\r\n\\par\r\n";

// One segment as the article builder writes it: CP932 text, escapes of
// \ { } (also as second bytes) done here.
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

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct CharAt {
    QString text;
    QTextCharFormat format;
};

// Every character of the document with its format, paragraph breaks as '\n'.
std::vector<CharAt> characters(const QTextDocument& doc)
{
    std::vector<CharAt> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            out.push_back({QStringLiteral("\n"), QTextCharFormat()});
        for (auto it = b.begin(); !it.atEnd(); ++it)
            for (QChar c : it.fragment().text())
                out.push_back({QString(c), it.fragment().charFormat()});
    }
    return out;
}

TEST(RtfReader, ArticleDocumentColoursUnderlineAndParagraphs)
{
    const std::string li0 = "\\li0\\fi0{\\cf";
    const std::string rtf = kHeader
        + segment("\\li0\\fi0", 4, "（定義）"_sj) + kBreak
        + segment("\\li600\\fi-600", 0, "第二条　この"_sj) + segment("\\li600\\fi-600", 1, "法律"_sj)
        + segment("\\li600\\fi-600", 3, "第三条"_sj) + kBreak + "\\par}";
    QTextDocument doc;
    ui::readRichText(rtf, doc, 96);

    ASSERT_EQ(doc.blockCount(), 4); // two lines, the break after the last, the closing \par
    EXPECT_EQ(doc.begin().text(), q("（定義）"));
    EXPECT_EQ(doc.begin().next().text(), q("第二条　この法律第三条"));

    struct Expect {
        const char* utf8;
        QColor color;
        bool underline;
    } expected[] = {
        {"（定義）", QColor(0, 150, 0), false},
        {"第二条　この", QColor(0, 0, 0), false},
        {"法律", QColor(255, 0, 0), false},
        {"第三条", QColor(0, 0, 255), true},
    };
    std::vector<QTextFragment> fragments;
    for (int i = 0; i < 2; ++i)
        for (auto it = doc.findBlockByNumber(i).begin(); !it.atEnd(); ++it)
            fragments.push_back(it.fragment());
    ASSERT_EQ(fragments.size(), std::size(expected));
    for (std::size_t i = 0; i < fragments.size(); ++i) {
        SCOPED_TRACE(expected[i].utf8);
        EXPECT_EQ(fragments[i].text(), q(expected[i].utf8));
        EXPECT_EQ(fragments[i].charFormat().foreground().color(), expected[i].color);
        EXPECT_EQ(fragments[i].charFormat().fontUnderline(), expected[i].underline);
    }

    // 264 twips exact = 17.6 px at 96 dpi; 600 twips = 40 px.
    const QTextBlockFormat first = doc.begin().blockFormat();
    const QTextBlockFormat second = doc.begin().next().blockFormat();
    EXPECT_EQ(first.lineHeightType(), QTextBlockFormat::FixedHeight);
    EXPECT_DOUBLE_EQ(first.lineHeight(), 17.6);
    EXPECT_DOUBLE_EQ(first.leftMargin(), 0);
    EXPECT_DOUBLE_EQ(second.leftMargin(), 40);
    EXPECT_DOUBLE_EQ(second.textIndent(), -40);
    // The closing paragraphs keep the properties last in force.
    EXPECT_DOUBLE_EQ(doc.lastBlock().blockFormat().leftMargin(), 40);
}

TEST(RtfReader, SecondBytesAndEscapesDecodeAsCp932Pairs)
{
    // 表 = 95 5C, ボ = 83 7B, マ = 83 7D: the second bytes are \ { }.
    const struct {
        std::string body;
        const char* expected;
    } cases[] = {
        {"\x95\\\\\x83\\{\x83\\}", "表ボマ"},               // as the article builder writes them
        {"\\'95\\'5c\\'83\\'7b\\'83\\'7d", "表ボマ"},       // all as hex escapes
        {"\\'95\\\\ a\\{b\\}c\\\\", "表 a{b}c\\"},          // mixed, single-byte escapes
        {"{\\cf1 \x95}{\\cf2 \\\\}", "表"},                 // a pair split by a group
        {"\\'82\\'a0\\unknownword12 \\'82\\'a2", "あい"},   // unknown words are skipped
        {"{\\*\\generator x;}a{\\info{\\title t}}b\\tab c", "ab\tc"},
        {"\\sl70000000\\li-70000000\\fi70000000\\fs99999999 x", "x"}, // damaged lengths
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        QTextDocument doc;
        ui::readRichText("{\\rtf1\\ansi " + c.body + "}", doc, 96);
        EXPECT_EQ(doc.toPlainText(), q(c.expected));
        const QTextBlockFormat f = doc.begin().blockFormat();
        const double size = doc.begin().begin().fragment().charFormat().fontPointSize() * 96 / 72;
        for (double px : {f.lineHeight(), f.leftMargin(), f.textIndent(), size})
            EXPECT_LE(std::abs(px), 22 * 96) << "no length beyond the largest page";
    }
}

TEST(RtfReader, FontTableSizesAndResets)
{
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset128 Foo;}"
                            "{\\f1\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}"
                            "\\f1\\fs22\\b\\ul a\\plain b\\par\\li300\\sl240 c\\pard d}";
    QTextDocument doc;
    ui::readRichText(rtf, doc, 144);
    const std::vector<CharAt> chars = characters(doc);
    ASSERT_EQ(chars.size(), 5u);
    EXPECT_EQ(chars[0].format.fontFamilies().toStringList(), QStringList{q("ＭＳ Ｐゴシック")});
    EXPECT_DOUBLE_EQ(chars[0].format.fontPointSize(), 11);
    EXPECT_EQ(chars[0].format.fontWeight(), QFont::Bold);
    EXPECT_TRUE(chars[0].format.fontUnderline());
    EXPECT_FALSE(chars[1].format.hasProperty(QTextFormat::FontFamilies));
    EXPECT_FALSE(chars[1].format.fontUnderline());
    // \pard before the end: the second paragraph takes the reset properties.
    EXPECT_EQ(doc.lastBlock().blockFormat().leftMargin(), 0);
    QTextDocument doc2;
    ui::readRichText("{\\rtf1 \\li300\\sl240 c}", doc2, 144);
    EXPECT_DOUBLE_EQ(doc2.begin().blockFormat().leftMargin(), 30); // 300 twips at 144 dpi
    EXPECT_EQ(doc2.begin().blockFormat().lineHeightType(), QTextBlockFormat::MinimumHeight);
}

TEST(RtfReader, MalformedTextRaisesAndLeavesTheDocumentAlone)
{
    const char* bad[] = {
        "", "plain text", "{\\rtf1 open", "{\\rtf1 a}}", "{\\rtf1 a} b", "}{\\rtf1 a}",
        "{\\rtf1 \\'8}", "{\\rtf1 \\'zz}", "{\\rtf1 a\\",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        QTextDocument doc(q("kept"));
        EXPECT_THROW(ui::readRichText(text, doc, 96), ui::RichTextError);
        EXPECT_EQ(doc.toPlainText(), q("kept"));
    }
}

TEST(RtfReader, SaveAndLoadKeepTextAndFormats)
{
    const std::string rtf = kHeader + segment("\\li960\\fi-960", 0, "表{ソ}\\ｱ\tx"_sj)
        + segment("\\li960\\fi-960", 3, "第１項"_sj) + kBreak + kBreak
        + segment("\\li0\\fi0", 2, "消費税"_sj) + "{" + "無地"_sj + "}" + kBreak + "\\par}";
    QTextDocument original;
    ui::readRichText(rtf, original, 96);
    const std::string saved = ui::writeRichText(original, 96);
    QTextDocument again;
    ui::readRichText(saved, again, 96);

    EXPECT_EQ(again.toRawText(), original.toRawText());
    const std::vector<CharAt> a = characters(original);
    const std::vector<CharAt> b = characters(again);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(b[i].format.foreground(), a[i].format.foreground());
        EXPECT_EQ(b[i].format.fontUnderline(), a[i].format.fontUnderline());
    }
    for (QTextBlock x = original.begin(), y = again.begin(); x.isValid(); x = x.next(), y = y.next()) {
        ASSERT_TRUE(y.isValid());
        EXPECT_EQ(y.blockFormat().lineHeightType(), x.blockFormat().lineHeightType());
        EXPECT_DOUBLE_EQ(y.blockFormat().lineHeight(), x.blockFormat().lineHeight());
        EXPECT_DOUBLE_EQ(y.blockFormat().leftMargin(), x.blockFormat().leftMargin());
        EXPECT_DOUBLE_EQ(y.blockFormat().textIndent(), x.blockFormat().textIndent());
    }
    // Saving twice gives the same bytes.
    EXPECT_EQ(ui::writeRichText(again, 96), saved);
}

} // namespace
