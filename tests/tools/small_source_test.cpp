// mkdata on a small hand-made source set whose bytes are known exactly:
// link rows, article texts, reference rows and the contents-tree files.
#include "mkdata_helpers.h"

#include "platform/text/sjis.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mkdata_test;
namespace fs = std::filesystem;

namespace {

const char* const kKubun = "110\t消法\t消費税法\n120\t消令\t消費税法施行令\n410\t会社法\t会社法\n";

const char* const kArticles = "# test data\n"
                              "@ 消法 １条 趣旨\n"
                              "第１条　この法律は、[[第２条|消法:２条]]に定める。\n"
                              "@ ＊○ 消法 2条 定義\n"
                              "第２条　漢字の後に\r\n"
                              "[[政令で定める|-1]]ものと[[財務省令で定める|-2]]もの\n"
                              "２　[[会社法第２条|G:会社法:２条]]及び[[第１条|消法:1条]][[第１条|消法:1条]]\n"
                              "\n"
                              "@ 消令 １条 定義\n"
                              "@cites 消法:１条\n"
                              "第１条　[[法第２条|消法:２条]]\n"
                              "@ 消令 ２条\n"
                              "\n"
                              "一行目\n"
                              "\n"
                              "二行目\n"
                              "\n";

const char* const kTree = "# tree\n"
                          "消費税法\n"
                          "\t第１章　総則\n"
                          "\t\t=> 消法:１条\n"
                          "\n"
                          "\t\t第２条（定義） => 消法:２条\n"
                          "\t附則\n"
                          "消費税法施行令\n"
                          "\t=> 消令:１条\n"
                          "\t=> 消令:２条\n";

class SmallSource : public ::testing::Test {
protected:
    void SetUp() override
    {
        src_ = fs::path(dir_.path().toStdString()) / "src";
        out_ = fs::path(dir_.path().toStdString()) / "out";
        fs::create_directories(src_);
        writeFile(src_ / "kubun.txt", kKubun);
        writeFile(src_ / "E-articles.txt", kArticles);
        writeFile(src_ / "E-tree.txt", kTree);
        writeFile(src_ / "G-articles.txt", "@ 会社法 ２条 定義\n第２条　この法律において\n");
        writeFile(src_ / "G-tree.txt", "会社法\n\t=> 会社法:２条\n");
        const MkdataRun r = RunMkdata({QStringLiteral("sample"), q(src_), q(out_)});
        ASSERT_EQ(r.exitCode, 0) << r.errors;
    }

    std::string honbun(long long gyo) const
    {
        return query(out_ / "E2.db", "SELECT Honbun FROM data WHERE Gyo = " + std::to_string(gyo))[0][0]
            .bytes;
    }

    QTemporaryDir dir_;
    fs::path src_, out_;
};

TEST_F(SmallSource, ArticlesGetHeaderLineBodyAndNumbers)
{
    const auto main =
        query(out_ / "E1.db", "SELECT Gyo, KubunNo, Kubun, Bangou, Title FROM data ORDER BY Gyo");
    ASSERT_EQ(main.size(), 4u);
    const std::vector<std::tuple<long long, long long, std::string, std::string, std::string>> expected = {
        {10, 110, "消法", "１条", "１条　趣旨"},
        {20, 110, "消法", "２条", "２条　定義"},
        {30, 120, "消令", "１条", "１条　定義"},
        {40, 120, "消令", "２条", "２条"},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [gyo, kubunNo, kubun, bangou, title] = expected[i];
        EXPECT_EQ(main[i][0].i, gyo);
        EXPECT_EQ(main[i][1].i, kubunNo);
        EXPECT_EQ(main[i][2].bytes, sjis::fromUtf8(kubun));
        EXPECT_EQ(main[i][3].bytes, sjis::fromUtf8(bangou));
        EXPECT_EQ(main[i][4].bytes, sjis::fromUtf8(title));
    }
    EXPECT_EQ(honbun(20),
              "＊○【消費税法】２条　定義\r\n第２条　漢字の後に\r\n政令で定めるものと財務省令で定めるもの\r\n"
              "２　会社法第２条及び第１条第１条"_sj);
    // Blank lines around the body go, those inside stay; no heading leaves
    // the header's blank.
    EXPECT_EQ(honbun(40), "【消費税法施行令】２条　\r\n一行目\r\n\r\n二行目"_sj);
}

TEST_F(SmallSource, LinkRowsCoverExactlyTheMarkedBytes)
{
    struct Expected {
        long long gyo;
        std::string before; // the text in front of the phrase, from the start of Honbun
        std::string phrase;
        long long goGyo, zeimoku;
    };
    const std::string header2 = "＊○【消費税法】２条　定義\r\n第２条　漢字の後に\r\n";
    const std::vector<Expected> links = {
        {10, "【消費税法】１条　趣旨\r\n第１条　この法律は、", "第２条", 20, 1},
        // A phrase at the start of a line, after double-byte text and a CR LF.
        {20, header2, "政令で定める", 0, -1},
        {20, header2 + "政令で定めるものと", "財務省令で定める", 0, -2},
        {20, header2 + "政令で定めるものと財務省令で定めるもの\r\n２　", "会社法第２条", 10, 2},
        {20, header2 + "政令で定めるものと財務省令で定めるもの\r\n２　会社法第２条及び", "第１条", 10, 1},
        {20, header2 + "政令で定めるものと財務省令で定めるもの\r\n２　会社法第２条及び第１条", "第１条", 10,
         1},
        {30, "【消費税法施行令】１条　定義\r\n第１条　", "法第２条", 20, 1},
    };
    std::vector<std::tuple<long long, long long, long long, long long>> expected;
    for (const Expected& l : links) {
        const std::string before = sjis::fromUtf8(l.before);
        const std::string phrase = sjis::fromUtf8(l.phrase);
        ASSERT_EQ(honbun(l.gyo).compare(before.size(), phrase.size(), phrase), 0) << l.phrase;
        for (std::size_t b = 0; b < phrase.size(); ++b)
            expected.emplace_back(l.gyo, static_cast<long long>(before.size() + b), l.goGyo, l.zeimoku);
    }
    std::vector<std::tuple<long long, long long, long long, long long>> rows;
    for (const Row& r : query(out_ / "E4.db", "SELECT Gyo, Sel, GoGyo, Zeimoku FROM data ORDER BY rowid"))
        rows.emplace_back(r[0].i, r[1].i, r[2].i, r[3].i);
    EXPECT_EQ(rows, expected);
    // "政令で定める" begins the third line: 13 + 9 characters of two bytes
    // and two CR LF of two bytes each before it.
    EXPECT_EQ(std::get<1>(expected[6]), 48);
}

TEST_F(SmallSource, ReferencesComeFromLinksAndCitations)
{
    std::vector<std::tuple<long long, long long, long long>> rows;
    for (const Row& r : query(out_ / "E3.db", "SELECT Gyo, KubunNo, MainGyo FROM data ORDER BY rowid"))
        rows.emplace_back(r[0].i, r[1].i, r[2].i);
    const std::vector<std::tuple<long long, long long, long long>> expected = {
        {10, 110, 20}, {20, 110, 10}, {30, 120, 10}, {30, 120, 20}};
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(scalar(out_ / "G3.db", "SELECT count(*) FROM data"), 0);

    // One authoring link row per article, cited code and phrase.
    const fs::path links = out_ / "authoring/YpSyohi/Jyobun/Data/リンク条文.DB";
    EXPECT_EQ(scalar(links, "SELECT count(*) FROM data"), 6);
    const auto cross =
        query(links, "SELECT ＫＥＹ, リンク条文番号, リンク条文区分, リンク条文本文, GoGyo, Zeimoku "
                     "FROM data WHERE リンク条文番号 = 410");
    ASSERT_EQ(cross.size(), 1u);
    EXPECT_EQ(cross[0][0].i, 2);
    EXPECT_EQ(cross[0][2].bytes, "会社法"_sj);
    EXPECT_EQ(cross[0][3].bytes, "２条"_sj);
    EXPECT_EQ(cross[0][4].f, 10.0);
    EXPECT_EQ(cross[0][5].f, 2.0);
}

TEST_F(SmallSource, TreeFileAndMapRowsMatchNodeIndexes)
{
    EXPECT_EQ(fileBytes(out_ / "E6.dl_"), "消費税法\r\n"
                                          "\t第１章　総則\r\n"
                                          "\t\t１条　趣旨\r\n"
                                          "\t\t第２条（定義）\r\n"
                                          "\t附則\r\n"
                                          "消費税法施行令\r\n"
                                          "\t１条　定義\r\n"
                                          "\t２条\r\n"_sj);
    std::vector<std::pair<long long, long long>> rows;
    for (const Row& r : query(out_ / "E5.db", "SELECT TreeID, Gyo FROM data ORDER BY rowid"))
        rows.emplace_back(r[0].i, r[1].i);
    EXPECT_EQ(rows, (std::vector<std::pair<long long, long long>>{{2, 10}, {3, 20}, {6, 30}, {7, 40}}));
    EXPECT_EQ(fileBytes(out_ / "G6.dl_"), "会社法\r\n\t２条　定義\r\n"_sj);
}

} // namespace
