#include "reader/gyo_level.h"

#include "platform/text/sjis.h"

#include <gtest/gtest.h>

namespace {

// The look-alikes and small Roman numerals must be the code points the data
// uses, not a neighbouring mapping of the same glyph.
TEST(GyoLevel, LookAlikeBytes)
{
    EXPECT_EQ("ニ"_sj, "\x83\x6A");
    EXPECT_EQ("二"_sj, "\x93\xF1");
    EXPECT_EQ("ヘ"_sj, "\x83\x77");
    EXPECT_EQ("へ"_sj, "\x82\xD6");
    EXPECT_EQ("ロ"_sj, "\x83\x8D");
    EXPECT_EQ("口"_sj, "\x8C\xFB");
    EXPECT_EQ("ⅰ"_sj, "\xFA\x40");
    EXPECT_EQ("ⅹ"_sj, "\xFA\x49");
}

struct LevelCase {
    const char* line; // UTF-8, the start of a line
    int level;
};

TEST(GyoLevel, EveryGroup)
{
    constexpr int previous = 4;
    const LevelCase cases[] = {
        // 1: continuation lines keep the level before
        {"また、", previous},
        {"　また", previous},
        {"　　また", previous},
        {"なお", previous},
        {"　なお", previous},
        {"　　なお書", previous},
        {"　　　また", 0}, // three blanks: no continuation, and no digit for group 8
        // 2 and 7: notes
        {"（注）１　", 8},
        {"（注）２", 6},
        {"（注意", 6},
        // 3: numbered items
        {"　一　", 1},
        {"　五", 1},
        {"　十", 1},
        {"　十一", 1},
        {"一　", 0},
        // 4
        {"　　　（１）", 3},
        {"　　　（９", 3},
        {"　　　（注", 3},
        {"　　　（イ", 3},
        {"　　　（ニ", 3},
        {"　　　（二", 3},
        {"　　　（ヲ", 3},
        {"　　　（ル", 3},
        {"　　　（ロ", 3},
        {"　　　（口", 0},
        {"　　　（ワ", 0},
        // 5
        {"　　（１", 4},
        {"　　（注", 4},
        {"　　（ニ", 4},
        {"　　（二", 4},
        {"　　（ト", 4},
        {"　　（チ", 0},
        {"　　（ア", 0},
        // 6 and 7
        {"　（３", 5},
        {"　（注", 5},
        {"　（イ", 0},
        {"（９）", 6},
        {"（１", 6},
        {"（イ", 0},
        // 8
        {"　　　１", 7},
        {"　　　９", 7},
        {"　　　０", 0},
        // 9: katakana and the look-alikes listed beside them
        {"　　ア", 2},
        {"　　ニ", 2},
        {"　　二", 0},
        {"　　ヘ", 2},
        {"　　へ", 2},
        {"　　ロ", 2},
        {"　　口", 2},
        {"　　ヴ", 2},
        {"　　ン", 2},
        {"　　ヲ", 2},
        {"　　ぁ", 0},
        // 10
        {"　　　　（ｉ", 9},
        {"　　　　（ｖ", 9},
        {"　　　　（ⅰ", 9},
        {"　　　　（ⅱ", 9},
        {"　　　　（ⅲ", 9},
        {"　　　　（ⅳ", 9},
        {"　　　　（ⅴ", 9},
        {"　　　　（ⅵ", 9},
        {"　　　　（ⅶ", 9},
        {"　　　　（ⅷ", 9},
        {"　　　　（ⅸ", 9},
        {"　　　　（ⅹ", 9},
        {"　　　　（ｘ", 0},
        {"　　　　（Ⅰ", 0},
        // 11
        {"　　　　Ａ", 3},
        {"　　　　Ｅ", 3},
        {"　　　　Ｆ", 0},
        // 12
        {"", 0},
        {"第一条", 0},
        {"（", 0},
        {"　", 0},
    };
    for (const LevelCase& c : cases) {
        const std::string text = sjis::fromUtf8(c.line) + "\r\n";
        EXPECT_EQ(GyoLevelGet(text, 0, previous), c.level) << c.line;
    }
}

TEST(GyoLevel, LineInsideText)
{
    const std::string text = "第一条\r\n　　（１）\r\n"_sj;
    EXPECT_EQ(GyoLevelGet(text, 8, 0), 4);
    EXPECT_EQ(GyoLevelGet(text, text.size(), 3), 0); // past the last line break
    EXPECT_EQ(GyoLevelGet("　　"_sj, 0, 3), 0);      // text shorter than any pattern
}

} // namespace
