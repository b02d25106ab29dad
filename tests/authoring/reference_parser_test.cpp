// The link editor's text routines: code and number proposals from citing
// phrases, the number-line checks, the normaliser and the special paste.
#include "authoring/reference_parser.h"
#include "data/namepas.h"
#include "platform/text/sjis.h"

#include <gtest/gtest.h>

namespace {

class ReferenceParser : public ::testing::Test {
protected:
    void SetUp() override { NamepasReset(); }
    void TearDown() override { NamepasReset(); }
};

struct KubunCase {
    const char* Phrase;
    int Tab;
    int Context;
    const char* Expected;
};

TEST_F(ReferenceParser, CodeProposalFollowsNamesEarthquakeTabRulesAndContext)
{
    const KubunCase cases[] = {
        // Names: the longer name wins over the shorter one it contains.
        {"法人税法施行令第７２条", 0, 10, "20"},
        {"法人税法施行令第７２条", 1, 140, "20"},
        {"法人税法施行令第７２条", 2, 410, "20"},
        {"法人税法施行令第７２条", 3, 210, "20"},
        {"法人税法施行令第７２条", 4, 310, "20"},
        {"法人税法施行令第７２条", 5, 160, "20"},
        {"法人税法施行令第７２条", 7, 10, "20"},
        {"法法令第５条", 0, 10, "20"},
        {"法法第２２条", 0, 20, "10"},
        {"租特法令第３条", 0, 10, "720"},
        {"所得税法施行令第１条", 3, 210, "220"},
        {"会社法施行規則第２条", 2, 410, "460"},
        {"商法特例法第１条", 2, 910, "950"},
        {"旧商法施行規則第３条", 2, 410, "940"},
        {"通則３", 5, 360, "360"},
        // The commercial code inside the old company-law family (900..999).
        {"商法第２条", 2, 910, "910"},
        {"商法第２条", 2, 410, "420"},
        {"商法第２条", 2, 899, "420"},
        {"商法第２条", 2, 999, "910"},
        {"商法第２条", 2, 1000, "420"},
        {"商法施行規則第１条", 2, 950, "940"},
        {"商法施行規則第１条", 2, 10, "470"},
        // Earthquake order and ordinance, on any tab.
        {"法第３条", 0, 820, "810"},
        {"法第３条", 1, 830, "810"},
        {"令第３条", 9, 830, "820"},
        {"令第３条", 0, 820, "720"},
        // Corporate tax.
        {"１－２－３", 0, 40, "40"},
        {"１－２－３", 0, 50, "50"},
        {"１－２－３", 0, 80, "80"},
        {"１－２－３", 0, 740, "740"},
        {"１－２－３", 0, 10, "750"},
        {"基本通達１－２", 0, 750, "40"},
        {"基本通達１－２", 0, 40, "40"},
        {"基本通達１－２", 0, 10, "750"},
        {"施行規則第３条", 0, 720, "730"},
        {"施行規則第３条", 0, 740, "30"},
        {"法第２条", 0, 750, "10"},
        {"法第２条", 0, 720, "710"},
        {"法附則第３条", 0, 720, "710"},
        {"省令第１条", 0, 720, "70"},
        {"令第５条", 0, 699, "20"},
        {"令第５条", 0, 700, "720"},
        {"令附則第２条", 0, 40, "20"},
        // Consumption tax.
        {"別表第一", 1, 120, "110"},
        {"取扱い", 1, 140, "150"},
        {"１－２", 1, 140, "140"},
        {"法第３０条", 1, 120, "110"},
        {"法第３０条", 1, 620, "610"},
        {"法第３０条", 1, 720, "710"},
        {"令第５条", 1, 599, "120"},
        {"令第５条", 1, 600, "620"},
        {"令附則第５条", 1, 700, "720"},
        {"規則第５条", 1, 610, "630"},
        // Company and civil law: 法第 outside both conditions falls through.
        {"原則", 2, 930, "930"},
        {"注解", 2, 410, "930"},
        {"法第２条", 2, 960, "950"},
        {"法第２条", 2, 440, "410"},
        {"法第２条", 2, 510, "510"},
        {"法第２条", 2, 920, "920"},
        // Income tax.
        {"１－２", 3, 700, "740"},
        {"１－２", 3, 240, "240"},
        {"法第２条", 3, 740, "210"},
        {"法附則第２条", 3, 720, "710"},
        {"令第２条", 3, 220, "220"},
        {"規則第２条", 3, 730, "730"},
        // Inheritance tax.
        {"法第２条", 4, 340, "310"},
        {"法第２条", 4, 710, "710"},
        {"令附則第２条", 4, 320, "320"},
        {"規則第２条", 4, 720, "730"},
        // General rules, collection and stamp tax.
        {"別表第一", 5, 370, "360"},
        {"法第２条", 5, 170, "160"},
        {"法第２条", 5, 290, "260"},
        {"法第２条", 5, 380, "360"},
        {"法第２条", 5, 730, "710"},
        {"法第２条", 5, 10, "160"},
        {"令第２条", 5, 160, "170"},
        {"令第２条", 5, 260, "170"},
        {"令第２条", 5, 280, "270"},
        {"令第２条", 5, 390, "370"},
        {"令第２条", 5, 730, "720"},
        {"規則第２条", 5, 190, "180"},
        {"規則第２条", 5, 290, "280"},
        {"規則第２条", 5, 390, "380"},
        {"規則第２条", 5, 730, "730"},
        {"規則第２条", 5, 720, "180"},
        // Nothing known: the context code.
        {"前項の規定", 1, 140, "140"},
        {"", 0, 40, "40"},
        {"法第２条", -1, 10, "10"},
        {"令第２条", 6, 120, "120"},
    };
    for (const KubunCase& c : cases)
        EXPECT_EQ(HyperKubunNoHantei(sjis::fromUtf8(c.Phrase), c.Tab, c.Context), c.Expected)
            << c.Phrase << " tab " << c.Tab << " context " << c.Context;
}

TEST_F(ReferenceParser, SamePhrasesGiveTheLastRegisteredCode)
{
    EXPECT_EQ(HyperKubunNoHantei("同令第５条"_sj, 0, 40), "10");
    HyperKubunNo = "720";
    for (const char* phrase : {"同令第５条", "同法第２条", "同規則第１条", "同通達１－２"})
        EXPECT_EQ(HyperKubunNoHantei(sjis::fromUtf8(phrase), 1, 140), "720") << phrase;
    EXPECT_EQ(HyperKubunNo, "720");
}

TEST_F(ReferenceParser, CodeProposalNeverMatchesFromASecondByte)
{
    // ヶ (83 96) then "@" and 法 (96 40): the bytes of 法法 start inside ヶ.
    const std::string phrase = "ヶ@法"_sj;
    ASSERT_NE(phrase.find("法法"_sj), std::string::npos);
    EXPECT_EQ(HyperKubunNoHantei(phrase, 1, 140), "140");
}

struct BangouCase {
    const char* Phrase;
    const char* Target;
    const char* Expected;
};

TEST_F(ReferenceParser, NumberProposalTakesTheNumberAfterBracketsAndDai)
{
    const BangouCase cases[] = {
        {"法人税法第２２条の２", "10", "２２条の２"},
        {"租税特別措置法（昭和三十二年法律第二十六号）第４２条", "710", "４２条"},
        // Circulars of the special measures keep their brackets.
        {"（第５条関係）１－２", "10", "１－２"},
        {"（第５条関係）１－２", "740", "５条関係）１－２"},
        {"（第５条関係）１－２", "750", "５条関係）１－２"},
        // Schedules keep 第 for stamp and consumption tax.
        {"消費税法別表第一", "110", "別表第一"},
        {"印紙税法別表第一", "360", "別表第一"},
        {"消費税法別表第一", "10", ""},
        {"財産評価基本通達付表１", "350", "付表１"},
        {"付表１", "10", "付表１"},
        // Stamp-tax schedule names, by equality only.
        {"通則３", "360", "別表第１"},
        {"課税物件表", "10", "別表第１"},
        {"通則３ただし書", "360", "３ただし書"},
        // Short and odd phrases.
        {"第１", "10", "１"},
        {"）", "10", ""},
        {"同条", "10", ""},
        {"", "10", ""},
        {"A（注）第３条", "10", "３条"},
    };
    for (const BangouCase& c : cases)
        EXPECT_EQ(HyperJyobunBangouGet(sjis::fromUtf8(c.Phrase), c.Target), sjis::fromUtf8(c.Expected))
            << c.Phrase << " target " << c.Target;
}

TEST_F(ReferenceParser, NumberProposalNeverStartsInsideACharacter)
{
    // モ (83 82) then "P": the bytes 82 50 of "１" start inside モ.
    const std::string phrase = "モP条"_sj;
    ASSERT_NE(phrase.find("１"_sj), std::string::npos);
    EXPECT_EQ(HyperJyobunBangouGet(phrase, "10"), "");
    EXPECT_EQ(HyperJyobunBangouGet("モP第５条"_sj, "10"), "５条"_sj);
}

struct CheckCase {
    const char* Line;
    int JyoNo;
    int Haifun;
};

TEST_F(ReferenceParser, NumberLineChecks)
{
    const CheckCase cases[] = {
        {"第２２条の２", 0, 1},  {"２２条ノ３", 0, 1}, {"第２２条の２　", 1, 1}, {"第２２条", 1, 1},
        {"条の", 1, 1},          {"１－２", 1, 0},     {"１－２３", 1, 0},       {"１－２３４", 1, 1},
        {"－１", 1, 0},          {"１２", 1, 1},       {"－", 1, 1},             {"", 1, 1},
        // Bytes that only look like "１" or "－" from inside a character.
        {"条のモP", 1, 1},       {"メ|１", 1, 1},
    };
    for (const CheckCase& c : cases) {
        const std::string line = sjis::fromUtf8(c.Line);
        EXPECT_EQ(JyoNoBangouCheck(line), c.JyoNo) << c.Line;
        EXPECT_EQ(HaifunBangouCheck(line), c.Haifun) << c.Line;
    }
}

TEST_F(ReferenceParser, SpaceTrimRemovesOnlyFullWidthSpacesAtTheEnds)
{
    const std::pair<const char*, const char*> cases[] = {
        {"　　第４条　", "第４条"}, {"　　", ""}, {"　第４条　 ", "第４条　 "}, {"", ""},
        {"第　４条", "第　４条"},
        // メ (83 81) then "@": 81 40 at the end is not a space.
        {"メ@", "メ@"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ZenkakuSpaceTrim(sjis::fromUtf8(text)), sjis::fromUtf8(expected)) << text;
}

TEST_F(ReferenceParser, NormaliserTurnsHalfWidthIntoFullWidth)
{
    const std::pair<const char*, const char*> cases[] = {
        {"(1) a-b", "（１）　a－b"},
        {"0123456789", "０１２３４５６７８９"},
        {".,･─{}\\", "．，・－（）￥"},
        {"ロ座番号", "口座番号"},
        {"ロッカー", "ロッカー"},
        {"第２２条", "第２２条"},
        // 5C, 7B and 7D as second bytes are left alone.
        {"表ソ＋±", "表ソ＋±"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ZenkakuHenkan(sjis::fromUtf8(text)), sjis::fromUtf8(expected)) << text;
}

struct PasteCase {
    const char* Text;
    const char* Hyoudai;      // nullptr: not written
    const char* JyobunHonbun; // nullptr: not written
    const char* JyobunNaiyou; // nullptr: not written
};

TEST_F(ReferenceParser, SpecialPasteSplitsTitleNumberAndBody)
{
    const PasteCase cases[] = {
        {"（課税の対象）\r\n第４条\r\n国内において行った資産の譲渡等には、消費税を課する。", "課税の対象", "４条",
         "国内において行った資産の譲渡等には、消費税を課する。\r\n"},
        {"第２２条の２\r\n本文", nullptr, "２２条の２", "本文\r\n"},
        {"第2条の2\n本文", nullptr, "２条の２", "本文\r\n"},
        {"第２条の二\r\n本文", nullptr, "２条の二", "本文\r\n"},
        {"１－２－３\r\n本文", nullptr, "１－２－３", "本文\r\n"},
        {"\r\n\r\n第５条\r\n\r\n本文一\r\n本文二\r\n\r\n", nullptr, "５条", "本文一\r\n本文二\r\n"},
        {"課税の対象\r第４条\r本文", "課税の対象", "４条", "本文\r\n"},
        {"　（課税の対象）　\r\n　第４条　", "課税の対象", "４条", nullptr},
        {"（注）の見出し\r\n第４条", "（注）の見出し", "４条", nullptr},
        {"　第４条　", nullptr, "第４条", nullptr},
        {"", nullptr, nullptr, nullptr},
        {"\r\n\r\n", nullptr, nullptr, nullptr},
    };
    auto expectField = [](const std::optional<std::string>& field, const char* expected, const char* what,
                          const char* text) {
        if (expected)
            EXPECT_EQ(field, sjis::fromUtf8(expected)) << what << " of " << text;
        else
            EXPECT_FALSE(field.has_value()) << what << " of " << text;
    };
    for (const PasteCase& c : cases) {
        const SpecialPasteFields fields = SpecialPasteSplit(sjis::fromUtf8(c.Text));
        expectField(fields.Hyoudai, c.Hyoudai, "title", c.Text);
        expectField(fields.JyobunHonbun, c.JyobunHonbun, "number", c.Text);
        expectField(fields.JyobunNaiyou, c.JyobunNaiyou, "body", c.Text);
    }
}

} // namespace
