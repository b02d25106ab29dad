#include "platform/text/sjis.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

struct FindCase {
    const char* what;
    std::string hay;
    std::string needle;
    std::size_t from;
    std::size_t mbAware;
    std::size_t bytes;
};

TEST(Sjis, FindNeverStartsOnSecondByte)
{
    const std::string ma = "末"_sj;   // 96 96
    const std::string so = "ソ"_sj;   // 83 5C
    const std::string hyo = "表"_sj;  // 95 5C
    const std::string da = "ダ"_sj;   // 83 5F
    ASSERT_EQ(ma, "\x96\x96");
    ASSERT_EQ(so, "\x83\x5C");
    ASSERT_EQ(hyo, "\x95\x5C");
    ASSERT_EQ(da, "\x83\x5F");

    const FindCase cases[] = {
        {"plain hit", "abc"_sj + ma, ma, 0, 3, 3},
        // 96 96 96 96 is 末末; a search from byte 1 must skip to the second 末.
        {"second byte run", ma + ma, ma, 1, 2, 1},
        // x96 as second byte of 末 followed by 96 of the next 末: byte search finds it at 1.
        {"across boundary", "a"_sj + ma + ma, "\x96\x96", 2, 3, 2},
        {"backslash as second byte", so + "\\", "\\", 0, 2, 1},
        {"underscore as second byte", da + "_", "_", 0, 2, 1},
        {"absent", hyo, "\\", 0, sjis::npos, 1},
        {"empty needle", "abc", "", 0, sjis::npos, sjis::npos},
        {"from past end", "abc", "c", 4, sjis::npos, sjis::npos},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sjis::find(c.hay, c.needle, c.from), c.mbAware) << c.what;
        EXPECT_EQ(sjis::findBytes(c.hay, c.needle, c.from), c.bytes) << c.what;
    }
}

TEST(Sjis, ReplaceAndDigits)
{
    const std::string so = "ソ"_sj;
    EXPECT_EQ(sjis::replaceAll(so + "\\" + so, "\\", "/"), so + "/" + so);
    EXPECT_EQ(sjis::replaceAllBytes("\\" + so, "\\", "/"), "/\x83/");
    EXPECT_EQ(sjis::replaceAll("ーーa"_sj, "ー"_sj, "－"_sj), "－－a"_sj);
    EXPECT_EQ(sjis::digitsToFullWidth("第30条の2"_sj), "第３０条の２"_sj);
    // 0x30..0x39 as second bytes stay as they are (ア is 83 41, ー is 81 5B; 82 30 is not a digit).
    EXPECT_EQ(sjis::digitsToFullWidth("\x82\x30" "1"), "\x82\x30" "\x82\x50");
}

TEST(Sjis, ConversionRoundTrips)
{
    const char* samples[] = {"消費税法第３０条の２", "～∥－￢", "ｱｲｳ半角", "abc\r\n123", ""};
    for (const char* utf8 : samples) {
        const std::string cp = sjis::fromUtf8(utf8);
        EXPECT_EQ(sjis::toUtf8(cp), utf8);
        EXPECT_EQ(sjis::fromQString(sjis::toQString(cp)), cp);
    }
    EXPECT_EQ("ⅰ"_sj, "\xFA\x40");
    // Codes without a Unicode character keep their bytes both ways, one
    // character each; other characters without a CP932 code become "?".
    for (const std::string cp : {"\x85\x40z", "\xA0\x80\xFD", "\xEB\x9F" "\x81\x7F"}) {
        const QString shown = sjis::toQString(cp);
        EXPECT_EQ(sjis::fromQString(shown), cp);
        EXPECT_EQ(sjis::fromUtf8(sjis::toUtf8(cp)), cp);
    }
    EXPECT_EQ(sjis::toQString("\x85\x40z").size(), 3); // one surrogate pair and z
    // Private characters that stand for no such code (a NUL, a quote, ASCII
    // after no lead byte, a lead byte alone, a code that has a character)
    // are not taken for one.
    EXPECT_EQ(sjis::fromQString(QString::fromUcs4(U"a\U000F0000\U000F0027\U000F4142\U000F0081A\U000F8140b")),
              "a????A?b");
    // A lead byte cut off by the end or a line break stands for no code.
    EXPECT_EQ(sjis::fromUtf8(sjis::toUtf8("\x82\r\na\x81")), "?\r\na?");
    EXPECT_EQ(sjis::fromUtf8("a😀b"), "a?b");
}

TEST(Sjis, FindIgnoringCaseComparesLatinLettersOnly)
{
    const std::string hay = "abc Abc ＡＢＣ ABC"_sj;
    EXPECT_EQ(sjis::findIgnoreCase(hay, "ABC"), 0u);
    EXPECT_EQ(sjis::findIgnoreCase(hay, "ABC", 1), 4u);
    EXPECT_EQ(sjis::findIgnoreCase(hay, "ａｂｃ"_sj), 8u);
    // Second bytes are never folded: ア (83 41) is no "a".
    EXPECT_EQ(sjis::findIgnoreCase("ア"_sj, "a"), sjis::npos);
    EXPECT_EQ(sjis::findIgnoreCase("ア"_sj, "A"), sjis::npos);
}

TEST(Sjis, TrailByteTest)
{
    const std::string s = "a"_sj + "表"_sj + "b";
    EXPECT_FALSE(sjis::isTrailByteAt(s, 1));
    EXPECT_TRUE(sjis::isTrailByteAt(s, 2));
    EXPECT_FALSE(sjis::isTrailByteAt(s, 3));
}

} // namespace
