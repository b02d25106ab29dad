#include "reader/honbun_rtf.h"

#include "platform/text/sjis.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::string Header =
    "{\\rtf1\\ansi\r\n"
    "{\\fonttbl{\\f0\\fnil\\fcharset128\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}\r\n"
    "{\\colortbl\\red0\\green0\\blue0;\r\n"
    "\\red255\\green0\\blue0;\r\n"
    "\\red255\\green0\\blue255;\r\n"
    "\\red0\\green0\\blue255;\r\n"
    "\\red0\\green150\\blue0;}\r\n";
const std::string Br = "\r\n\\par\r\n";
const std::string End = "\\par}";

// Indent prefixes by name.
const std::string Flush = "\\li0\\fi0{\\cf";
const std::string L0 = "\\li240\\fi-240{\\cf";
const std::string L1 = "\\li480\\fi-480{\\cf";
const std::string L2 = "\\li600\\fi-600{\\cf";
const std::string L3 = "\\li1200\\fi-1200{\\cf";
const std::string L4 = "\\li960\\fi-960{\\cf";
const std::string L5 = "\\li720\\fi-720{\\cf";
const std::string L6 = "\\li480\\fi-480{\\cf";
const std::string L9 = "\\li1440\\fi-1440{\\cf";

// One segment with its text given in UTF-8.
std::string seg(const std::string& indent, int colour, const char* utf8)
{
    return "\\sl-264" + indent + std::to_string(colour) + (colour == 3 ? "\\ul" : "") + " " +
           sjis::fromUtf8(utf8) + "}";
}

std::string build(const char* utf8, const char* key1 = "", const char* key2 = "", int kubunNo = 10,
                  std::vector<LinkSpan> spans = {}, RtfMode mode = RtfMode::Display)
{
    LinkSpanList links(std::move(spans));
    return HonbunRtfBuild(sjis::fromUtf8(utf8), sjis::fromUtf8(key1), sjis::fromUtf8(key2), kubunNo, links,
                          mode);
}

// Link rows of one article given as their Sel values, in table order.
class SelRows : public LinkRowSpans {
public:
    explicit SelRows(std::vector<int> sels, bool present = true) : sels_(std::move(sels)), present_(present)
    {
    }

protected:
    bool LocateFirstRow() override { return present_ && !sels_.empty(); }
    bool OnArticleRow() override { return row_ < sels_.size(); }
    std::int64_t RowSel() override { return sels_[row_]; }
    void NextRow() override { ++row_; }

private:
    std::vector<int> sels_;
    bool present_;
    std::size_t row_ = 0;
};

std::vector<LinkSpan> spansOf(std::vector<int> sels)
{
    SelRows rows(std::move(sels));
    std::vector<LinkSpan> out;
    while (const auto s = rows.NextSpan())
        out.push_back(*s);
    return out;
}

TEST(HonbunRtf, WorkedExample)
{
    EXPECT_EQ(build("（定義）\r\n第二条　この法律において", "法律"),
              Header + seg(Flush, 4, "（定義）") + Br + seg(Flush, 0, "第二条　この") +
                  seg(Flush, 1, "法律") + seg(Flush, 0, "において") + Br + End);
}

TEST(HonbunRtf, EmptyTextIsHeaderAndEnd)
{
    EXPECT_EQ(build(""), Header + End);
}

TEST(HonbunRtf, LineBreaks)
{
    const std::string one = Header + seg(Flush, 0, "あ") + Br + End;
    EXPECT_EQ(build("あ"), one);
    EXPECT_EQ(build("あ\r\n"), one);
    EXPECT_EQ(build("あ\r\n\r\nい"), Header + seg(Flush, 0, "あ") + Br + Br + seg(Flush, 0, "い") + Br + End);
    EXPECT_EQ(build("\r\n"), Header + Br + End);
}

TEST(HonbunRtf, HonbunTextJoinsLines)
{
    const struct {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"a", "a\r\n"},
        {"a\r\n", "a\r\n"},
        {"a\rb", "a\r\nb\r\n"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\n\rb", "a\r\n\r\nb\r\n"},
        {"a\r\r\nb", "a\r\n\r\nb\r\n"},
        {std::string("a\0b\r\nc", 6), "a b\r\nc\r\n"}, // damaged text keeps its tail
    };
    for (const auto& c : cases)
        EXPECT_EQ(HonbunText(c.in), c.out) << c.in;
}

TEST(HonbunRtf, NulDoesNotCutTheArticle)
{
    const std::string honbun = std::string("a\0", 2) + "い\r\nう"_sj;
    LinkSpanList none;
    EXPECT_EQ(HonbunRtfBuild(honbun, {}, {}, 10, none, RtfMode::Display),
              Header + seg(Flush, 0, "a い") + Br + seg(Flush, 0, "う") + Br + End);
}

TEST(HonbunRtf, Brackets)
{
    const struct {
        const char* text;
        std::string body;
    } cases[] = {
        {"前（中（内）中）後", seg(Flush, 0, "前") + seg(Flush, 4, "（中（内）中）") + seg(Flush, 0, "後")},
        {"前《中》後(a)b", seg(Flush, 0, "前") + seg(Flush, 4, "《中》") + seg(Flush, 0, "後") +
                               seg(Flush, 4, "(a)") + seg(Flush, 0, "b")},
        {"（中)後", seg(Flush, 4, "（中)") + seg(Flush, 0, "後")}, // any closer closes any opener
        {"前）後(", seg(Flush, 0, "前）後") + seg(Flush, 4, "(")}, // closer without opener; unclosed
        {"前（中｜後）", seg(Flush, 0, "前") + seg(Flush, 4, "（中") + seg(Flush, 0, "｜後）")},
        {"（「中」）後", seg(Flush, 4, "（「中」）") + seg(Flush, 0, "後")},
        {"「前（中」後）", seg(Flush, 0, "「前") + seg(Flush, 4, "（中") + seg(Flush, 0, "」後）")},
        // the quotation's close ends the count: a later bracket counts afresh
        {"「前（中」後（あ）い", seg(Flush, 0, "「前") + seg(Flush, 4, "（中") + seg(Flush, 0, "」後") +
                                     seg(Flush, 4, "（あ）") + seg(Flush, 0, "い")},
        // an opener inside the quotation starts the count afresh
        {"（「（中）」）", seg(Flush, 4, "（「（中）") + seg(Flush, 0, "」）")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(build(c.text), Header + c.body + Br + End) << c.text;
}

TEST(HonbunRtf, LineBreakEndsOpenBracket)
{
    EXPECT_EQ(build("前（中\r\n後）"),
              Header + seg(Flush, 0, "前") + seg(Flush, 4, "（中") + Br + seg(Flush, 0, "後）") + Br + End);
}

TEST(HonbunRtf, KeyWords)
{
    const struct {
        const char *text, *key1, *key2;
        std::string body;
    } cases[] = {
        // key word 1 wins where both overlap
        {"この法律の規定", "法律", "律の",
         seg(Flush, 0, "この") + seg(Flush, 1, "法律") + seg(Flush, 2, "の") + seg(Flush, 0, "規定")},
        {"この法律の規定", "", "法律",
         seg(Flush, 0, "この") + seg(Flush, 2, "法律") + seg(Flush, 0, "の規定")},
        // a line that starts with a key word starts with its segment
        {"法律法律は", "法律", "", seg(Flush, 1, "法律法律") + seg(Flush, 0, "は")},
        // a key word in brackets is red, the rest of the passage green
        {"（法律）", "法律", "", seg(Flush, 4, "（") + seg(Flush, 1, "法律") + seg(Flush, 4, "）")},
        // 气 is 9F 83: the bytes of ぁア from its second byte on; never matched there
        {"ぁア", "\xE6\xB0\x94", "", seg(Flush, 0, "ぁア")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(build(c.text, c.key1, c.key2), Header + c.body + Br + End) << c.text;
}

TEST(HonbunRtf, MemoModeColoursNoKeyWords)
{
    EXPECT_EQ(build("この法律の規定", "法律", "規定", 10, {{9, 11}}, RtfMode::Memo),
              Header + seg(Flush, 0, "この法律") + seg(Flush, 3, "の") + seg(Flush, 0, "規定") + Br + End);
}

TEST(HonbunRtf, Links)
{
    const struct {
        const char *text, *key1;
        std::vector<int> sels;
        std::string body;
    } cases[] = {
        {"この法律の規定",
         "",
         {4, 5, 6, 7},
         seg(Flush, 0, "この") + seg(Flush, 3, "法律") + seg(Flush, 0, "の規定")},
        // a key word over a link: the key word's colour, no underline
        {"この法律の規定",
         "法律",
         {4, 5, 6, 7, 8, 9},
         seg(Flush, 0, "この") + seg(Flush, 1, "法律") + seg(Flush, 3, "の") + seg(Flush, 0, "規定")},
        // a link inside brackets is blue
        {"（この法律）",
         "",
         {6, 7, 8, 9},
         seg(Flush, 4, "（この") + seg(Flush, 3, "法律") + seg(Flush, 4, "）")},
        // two links whose bytes touch are one span
        {"この法律の規定",
         "",
         {4, 5, 6, 7, 8, 9},
         seg(Flush, 0, "この") + seg(Flush, 3, "法律の") + seg(Flush, 0, "規定")},
        // links at the start, with a gap of one character, at the end
        {"法律の規定",
         "",
         {0, 1, 2, 3, 6, 7, 8, 9},
         seg(Flush, 3, "法律") + seg(Flush, 0, "の") + seg(Flush, 3, "規定")},
        // line-break bytes are never coloured
        {"法律\r\n規定",
         "",
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         seg(Flush, 3, "法律") + Br + seg(Flush, 3, "規定")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(build(c.text, c.key1, "", 10, spansOf(c.sels)), Header + c.body + Br + End) << c.text;
    }
}

TEST(HonbunRtf, LinkRowsGroupIntoSpans)
{
    EXPECT_EQ(spansOf({4, 5, 6, 7, 10, 11}), (std::vector<LinkSpan>{{5, 9}, {11, 13}}));
    EXPECT_EQ(spansOf({3, 3, 4}), (std::vector<LinkSpan>{{4, 5}, {4, 6}}));
    EXPECT_EQ(spansOf({}), std::vector<LinkSpan>{});
    SelRows absent({1, 2}, false);
    EXPECT_FALSE(absent.NextSpan());
}

TEST(HonbunRtf, SpanBehindTheWalkIsSkipped)
{
    // Rows out of order: the span read late, wholly behind the walk, gives
    // way at once to the next one.
    EXPECT_EQ(build("abcdefghijklmn", "", "", 10, spansOf({2, 3, 0, 5, 6})),
              Header + seg(Flush, 0, "ab") + seg(Flush, 3, "cd") + seg(Flush, 0, "e") + seg(Flush, 3, "fg") +
                  seg(Flush, 0, "hijklmn") + Br + End);
}

TEST(HonbunRtf, EscapesAlsoSecondBytes)
{
    // 表 95 5C, ソ 83 5C, ボ 83 7B, マ 83 7D
    const std::string text = "a\\b{c}\x95\x5C\x83\x5C\x83\x7B\x83\x7D";
    LinkSpanList none;
    EXPECT_EQ(HonbunRtfBuild(text, {}, {}, 10, none, RtfMode::Display),
              Header + "\\sl-264" + Flush + "0 a\\\\b\\{c\\}\x95\\\x5C\x83\\\x5C\x83\\\x7B\x83\\\x7D}" + Br +
                  End);
}

TEST(HonbunRtf, IndentByLevel)
{
    const char* text = "第一条\r\n"
                       "　一　号\r\n"
                       "　　イ　細目\r\n"
                       "　　　（１）\r\n"
                       "　　（１）\r\n"
                       "　また、\r\n"
                       "　（１）\r\n"
                       "（１）\r\n"
                       "　　　１\r\n"
                       "（注）１\r\n"
                       "　　　　（ⅰ）\r\n"
                       "\r\n"
                       "また、";
    EXPECT_EQ(build(text, "", "", 10),
              Header + seg(Flush, 0, "第一条") + Br + seg(L1, 0, "　一　号") + Br +
                  seg(L2, 0, "　　イ　細目") + Br + seg(L3, 0, "　　　") + seg(L3, 4, "（１）") + Br +
                  seg(L4, 0, "　　") + seg(L4, 4, "（１）") + Br + seg(L4, 0, "　また、") + Br +
                  seg(L5, 0, "　") + seg(L5, 4, "（１）") + Br + seg(L6, 4, "（１）") + Br +
                  seg(L4, 0, "　　　１") + Br + seg(L4, 4, "（注）") + seg(L4, 0, "１") + Br +
                  seg(L9, 0, "　　　　") + seg(L9, 4, "（ⅰ）") + Br + Br + seg(Flush, 0, "また、") + Br +
                  End);
}

TEST(HonbunRtf, LevelZeroAndOneByDocument)
{
    const char* withKou1 = "第一条　総則\r\n１　項\r\n　一　号\r\n２　項";
    const char* withoutKou1 = "第一条　総則\r\n　一　号\r\n２　項\r\n３　項";
    const struct {
        const char* text;
        int kubunNo;
        std::string body;
    } cases[] = {
        // level 0 is indented from the third line on, in an article with a "１　" line
        {withKou1, 10,
         seg(Flush, 0, "第一条　総則") + Br + seg(Flush, 0, "１　項") + Br + seg(L1, 0, "　一　号") + Br +
             seg(L0, 0, "２　項")},
        {withoutKou1, 10,
         seg(Flush, 0, "第一条　総則") + Br + seg(L1, 0, "　一　号") + Br + seg(Flush, 0, "２　項") + Br +
             seg(Flush, 0, "３　項")},
        // circulars stand flush left on levels 0 and 1
        {withKou1, 140,
         seg(Flush, 0, "第一条　総則") + Br + seg(Flush, 0, "１　項") + Br + seg(Flush, 0, "　一　号") + Br +
             seg(Flush, 0, "２　項")},
        {withKou1, 750,
         seg(Flush, 0, "第一条　総則") + Br + seg(Flush, 0, "１　項") + Br + seg(Flush, 0, "　一　号") + Br +
             seg(Flush, 0, "２　項")},
        {"第一条　総則\r\n１　項\r\n　　ア", 140,
         seg(Flush, 0, "第一条　総則") + Br + seg(Flush, 0, "１　項") + Br + seg(L2, 0, "　　ア")},
        // a "１　" at the very start is not after a line break
        {"１　項\r\n２　項\r\n３　項", 10,
         seg(Flush, 0, "１　項") + Br + seg(Flush, 0, "２　項") + Br + seg(Flush, 0, "３　項")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(build(c.text, "", "", c.kubunNo), Header + c.body + Br + End) << c.text << " " << c.kubunNo;
}

TEST(HonbunRtf, PrefixRepeatedOnEverySegment)
{
    EXPECT_EQ(build("第一条\r\n１　項\r\n２　この法律（略）", "法律", "", 10),
              Header + seg(Flush, 0, "第一条") + Br + seg(Flush, 0, "１　項") + Br + seg(L0, 0, "２　この") +
                  seg(L0, 1, "法律") + seg(L0, 4, "（略）") + Br + End);
}

} // namespace
