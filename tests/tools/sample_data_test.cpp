// The bundled sample set, built by mkdata from sample/: every file the
// reader and the link editor open, with their columns, keys and contents.
#include "mkdata_helpers.h"

#include "platform/text/sjis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

using namespace mkdata_test;
namespace fs = std::filesystem;

namespace {

class SampleData : public ::testing::Test {
protected:
    static fs::path out(const std::string& name) { return SampleDataDir() / name; }

    // Gyo -> (KubunNo, Bangou, Honbun) of a law tab.
    struct ArticleRow {
        long long kubunNo;
        std::string bangou, title, honbun;
    };
    static std::map<long long, ArticleRow> articles(char letter)
    {
        const std::string x(1, letter);
        std::map<long long, ArticleRow> out;
        for (const Row& r :
             query(SampleData::out(x + "1.db"), "SELECT Gyo, KubunNo, Bangou, Title FROM data"))
            out[r[0].i] = {r[1].i, r[2].bytes, r[3].bytes, {}};
        for (const Row& r : query(SampleData::out(x + "2.db"), "SELECT Gyo, Honbun FROM data"))
            out.at(r[0].i).honbun = r[1].bytes;
        return out;
    }
};

// "name TYPE" of every column, in order, joined by ", ".
std::string columns(const fs::path& file)
{
    std::string s;
    for (const Row& r : query(file, "SELECT name, type, pk FROM pragma_table_info('data')"))
        s += (s.empty() ? "" : ", ") + r[0].bytes + " " + r[1].bytes + (r[2].i ? " PK" : "");
    return s;
}

// Every index as its fields joined by ";", sorted.
std::set<std::string> indexes(const fs::path& file)
{
    std::map<std::string, std::string> byName;
    for (const Row& r : query(file, "SELECT il.name, ii.name FROM pragma_index_list('data') il "
                                    "JOIN pragma_index_info(il.name) ii ORDER BY il.name, ii.seqno")) {
        std::string& fields = byName[r[0].bytes];
        fields += (fields.empty() ? "" : ";") + r[1].bytes;
    }
    std::set<std::string> out;
    for (const auto& [name, fields] : byName)
        out.insert(fields);
    return out;
}

TEST_F(SampleData, EveryTableHasItsColumnsKeysAndStorage)
{
    const std::string lawText = "Gyo INTEGER PK, KubunNo INTEGER, Honbun MEMO";
    const std::string lawMain = "Gyo INTEGER PK, KubunNo INTEGER, Kubun TEXT, Bangou TEXT, Title TEXT";
    const std::string article =
        "ＫＥＹ INTEGER, 条文連番 INTEGER, 行 FLOAT, 条文区分 TEXT, 条文本文 TEXT, 項号等 TEXT, "
        "表題 TEXT, 条文内容 MEMO, 改正 INTEGER, 番号のみ INTEGER, check FLOAT, check2 TEXT";
    struct Case {
        std::string file, columns;
        std::set<std::string> indexes;
    };
    const std::vector<Case> cases = {
        {"E1.db", lawMain, {}},
        {"G1.db", lawMain, {}},
        {"E2.db", lawText, {}},
        {"G2.db", lawText, {}},
        {"E3.db", "Gyo INTEGER, KubunNo INTEGER, MainGyo INTEGER", {"MainGyo", "Gyo"}},
        {"G3.db", "Gyo INTEGER, KubunNo INTEGER, MainGyo INTEGER", {"MainGyo", "Gyo"}},
        {"E4.db", "Gyo INTEGER, Sel INTEGER, GoGyo INTEGER, Zeimoku INTEGER", {"Gyo;Sel"}},
        {"G4.db", "Gyo INTEGER, Sel INTEGER, GoGyo INTEGER, Zeimoku INTEGER", {"Gyo;Sel"}},
        {"E5.db", "TreeID INTEGER, Gyo INTEGER", {"Gyo", "TreeID"}},
        {"G5.db", "TreeID INTEGER, Gyo INTEGER", {"Gyo", "TreeID"}},
        {"F1.db",
         "BookSeq INTEGER PK, BookNo INTEGER, BookRenban INTEGER, BookNameShort TEXT, Gou TEXT, BookPage "
         "FLOAT, "
         "Mokuji TEXT",
         {}},
        {"F3.db",
         "BookNo INTEGER, BookRenban INTEGER, BookNameLong TEXT, BookHan TEXT, BookSyupan TEXT",
         {"BookNo;BookRenban"}},
        {"F4.db", "BookSeq INTEGER, Gyo INTEGER, Zeimoku INTEGER", {"BookSeq"}},
        {"F5.db", "BookSeq INTEGER, Url TEXT", {"BookSeq"}},
        {"authoring/YpSyohi/Jyobun/Data/条文本文.db", article, {"ＫＥＹ", "行"}},
        {"authoring/YpSyohi/Cd12/Data/条文本文.db", article, {"ＫＥＹ", "行"}},
        {"authoring/YpGen/Jyobun/Data/条文本文.db", article, {"ＫＥＹ", "行"}},
        {"authoring/YpGen/Cd12/Data/条文本文.db", article, {"ＫＥＹ", "行"}},
        {"authoring/YpSyohi/Jyobun/Data/リンク条文.DB",
         "ＫＥＹ INTEGER, リンク条文番号 INTEGER, 条件 TEXT, 行 FLOAT, 条文区分 TEXT, 条文本文 TEXT, "
         "リンク条文区分 TEXT, リンク条文本文 TEXT, GoGyo FLOAT, Zeimoku FLOAT, check FLOAT, check2 TEXT",
         {"ＫＥＹ;リンク条文番号;条件"}},
        {"authoring/YpSyohi/Main/Data/マスタ条文.DB", "連番 INTEGER, 条文区分 TEXT, 正式名 TEXT", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const fs::path file = out(c.file);
        ASSERT_TRUE(fs::exists(file));
        EXPECT_EQ(columns(file), c.columns);
        EXPECT_EQ(indexes(file), c.indexes);
        EXPECT_EQ(scalar(file, "PRAGMA page_size"), 65536);
        EXPECT_EQ(query(file, "PRAGMA journal_mode")[0][0].bytes, "delete");
        EXPECT_GT(scalar(file, "SELECT count(*) FROM data"), 0);
    }
    // Every text is a BLOB of CP932 bytes, never SQLite TEXT.
    for (const char* file : {"E1.db", "E2.db", "F1.db", "F3.db", "F5.db"})
        for (const Row& r : query(out(file), "SELECT * FROM data LIMIT 5"))
            for (const Cell& cell : r)
                EXPECT_NE(cell.type, SQLITE_TEXT) << file;
}

TEST_F(SampleData, LawTabsHoldTheirDocumentsAndNumbers)
{
    struct Case {
        char letter;
        std::size_t atLeast;
        std::set<long long> codes;
    };
    for (const Case& c : {Case{'E', 60, {110, 120, 130, 140, 150, 610, 710, 810}},
                          Case{'G', 30, {410, 440, 460, 510, 910}}}) {
        SCOPED_TRACE(c.letter);
        const auto rows = articles(c.letter);
        EXPECT_GE(rows.size(), c.atLeast);
        std::set<long long> codes;
        long long previous = 0;
        for (const auto& [gyo, a] : rows) {
            codes.insert(a.kubunNo);
            EXPECT_GT(gyo, previous);
            previous = gyo;
            EXPECT_LE(a.title.size(), 255u);
            EXPECT_EQ(a.title.rfind(a.bangou, 0), 0u) << sjis::toUtf8(a.title);
            EXPECT_NE(a.honbun.find(a.bangou), std::string::npos);
        }
        EXPECT_EQ(codes, c.codes);
    }
    std::set<std::string> numbers;
    for (const auto& [gyo, a] : articles('E'))
        numbers.insert(sjis::toUtf8(a.bangou));
    for (const char* n : {"３０条", "３０条の２", "附則第３条", "別表第１", "１－１－１", "１３－２－４"})
        EXPECT_TRUE(numbers.count(n)) << n;
    bool branchWithNo = false; // the former Commercial Code writes ノ
    for (const auto& [gyo, a] : articles('G'))
        branchWithNo |= a.kubunNo == 910 && a.bangou == "２８０条ノ２"_sj;
    EXPECT_TRUE(branchWithNo);
}

TEST_F(SampleData, LinksAndReferencesPointAtArticles)
{
    const std::map<char, std::map<long long, ArticleRow>> tabs = {{'E', articles('E')}, {'G', articles('G')}};
    const std::map<long long, char> letterOf = {{1, 'E'}, {2, 'G'}};
    std::set<long long> zeimoku;
    for (char letter : {'E', 'G'}) {
        SCOPED_TRACE(letter);
        const auto& own = tabs.at(letter);
        const std::string x(1, letter);
        for (const Row& r : query(out(x + "4.db"), "SELECT Gyo, Sel, GoGyo, Zeimoku FROM data")) {
            const std::string& text = own.at(r[0].i).honbun;
            ASSERT_LT(static_cast<std::size_t>(r[1].i), text.size());
            EXPECT_NE(text[r[1].i], '\r');
            EXPECT_NE(text[r[1].i], '\n');
            zeimoku.insert(r[3].i);
            if (r[3].i >= 0) {
                EXPECT_TRUE(tabs.at(letterOf.at(r[3].i)).count(r[2].i)) << r[2].i;
            }
        }
        // Every link starts and ends on a character boundary.
        for (const Row& r :
             query(out(x + "4.db"), "SELECT Gyo, Sel FROM data a WHERE NOT EXISTS (SELECT 1 FROM "
                                    "data b WHERE b.Gyo = a.Gyo AND b.Sel = a.Sel - 1)"))
            EXPECT_FALSE(sjis::isTrailByteAt(own.at(r[0].i).honbun, static_cast<std::size_t>(r[1].i)));
        for (const Row& r :
             query(out(x + "4.db"), "SELECT Gyo, Sel + 1 FROM data a WHERE NOT EXISTS (SELECT 1 "
                                    "FROM data b WHERE b.Gyo = a.Gyo AND b.Sel = a.Sel + 1)"))
            EXPECT_FALSE(sjis::isTrailByteAt(own.at(r[0].i).honbun, static_cast<std::size_t>(r[1].i)));
        const auto refs = query(out(x + "3.db"), "SELECT Gyo, KubunNo, MainGyo FROM data");
        EXPECT_FALSE(refs.empty());
        for (const Row& r : refs) {
            EXPECT_EQ(own.at(r[0].i).kubunNo, r[1].i);
            EXPECT_TRUE(own.count(r[2].i));
        }
    }
    // Within a tab, across tabs (E -> G) and both reference searches.
    EXPECT_EQ(zeimoku, (std::set<long long>{-2, -1, 1, 2}));
    EXPECT_GT(scalar(out("E4.db"), "SELECT count(*) FROM data WHERE Zeimoku = 2"), 0);
    // A cabinet-order article cites an act article: the reference search finds it.
    EXPECT_GT(scalar(out("E3.db"), "SELECT count(*) FROM data WHERE KubunNo = 120"), 0);
}

TEST_F(SampleData, TextsUseEveryItemLevelAndBracket)
{
    std::vector<std::string> lines;
    std::string all;
    for (char letter : {'E', 'G'})
        for (const auto& [gyo, a] : articles(letter)) {
            all += a.honbun;
            std::size_t start = 0;
            for (std::size_t end; (end = a.honbun.find("\r\n", start)) != std::string::npos; start = end + 2)
                lines.push_back(a.honbun.substr(start, end - start));
            lines.push_back(a.honbun.substr(start));
        }
    auto startsALine = [&lines](const std::string& prefix) {
        for (const std::string& l : lines)
            if (l.rfind(prefix, 0) == 0)
                return true;
        return false;
    };
    for (const char* prefix :
         {"　一",       "　　イ",   "　　ア",   "（１）",   "　（１）",      "　　（イ）",     "　　　（１）",
          "　　　　Ａ", "　　　１", "（注）１", "（注）　", "　　　　（ⅰ）", "　　　　（ｉ）", "１　",
          "２　",       "また",     "　また",   "なお",     "　なお",        "　　なお"})
        EXPECT_TRUE(startsALine(sjis::fromUtf8(prefix))) << prefix;
    EXPECT_TRUE(std::count(lines.begin(), lines.end(), std::string()) > 0);
    for (const char* bracket : {"（", "）", "「", "」", "『", "』", "［", "］", "【", "】", "〔", "〕", "《",
                                "》", "(", ")", "｜", "（『"})
        EXPECT_TRUE(sjis::contains(all, sjis::fromUtf8(bracket))) << bracket;
}

TEST_F(SampleData, BooksCoverBooksPagesJumpsAndAddresses)
{
    EXPECT_GE(scalar(out("F1.db"), "SELECT count(*) FROM data"), 100);
    EXPECT_GE(scalar(out("F1.db"), "SELECT count(DISTINCT BookNo) FROM data"), 5);
    EXPECT_GT(scalar(out("F1.db"), "SELECT count(*) FROM data WHERE BookPage <> CAST(BookPage AS INTEGER)"),
              0);
    EXPECT_EQ(
        scalar(out("F1.db"), "SELECT count(*) FROM data WHERE BookNo NOT IN (1,20,30,60,70,75,80,90,95)"), 0);
    // Every entry's book has a name row; its short name is not empty.
    EXPECT_EQ(scalar(out("F1.db"), "SELECT count(*) FROM data WHERE length(BookNameShort) = 0"), 0);
    std::set<std::pair<long long, long long>> names;
    for (const Row& r :
         query(out("F3.db"), "SELECT BookNo, BookRenban, length(BookNameLong), length(BookHan), "
                             "length(BookSyupan) FROM data")) {
        names.insert({r[0].i, r[1].i});
        EXPECT_TRUE(r[2].i > 0 && r[3].i > 0 && r[4].i > 0);
    }
    for (const Row& r : query(out("F1.db"), "SELECT BookNo, BookRenban FROM data"))
        EXPECT_TRUE(names.count({r[0].i, r[1].i}));

    const auto e = articles('E');
    const auto g = articles('G');
    std::set<long long> tabs;
    for (const Row& r : query(out("F4.db"), "SELECT BookSeq, Gyo, Zeimoku FROM data")) {
        tabs.insert(r[2].i);
        EXPECT_TRUE(r[2].i == 1 ? e.count(r[1].i) : g.count(r[1].i));
    }
    EXPECT_EQ(tabs, (std::set<long long>{1, 2}));
    const auto urls = query(out("F5.db"), "SELECT Url FROM data");
    EXPECT_FALSE(urls.empty());
    for (const Row& r : urls)
        EXPECT_EQ(r[0].bytes.rfind("https://", 0), 0u);
    // Contents lines with one and with two leading ideographic spaces.
    const std::string space = "　"_sj;
    int one = 0, two = 0;
    for (const Row& r : query(out("F1.db"), "SELECT Mokuji FROM data")) {
        const bool first = r[0].bytes.rfind(space, 0) == 0;
        const bool second = first && r[0].bytes.compare(2, 2, space) == 0;
        one += first && !second;
        two += second;
    }
    EXPECT_GT(one, 0);
    EXPECT_GT(two, 0);
}

TEST_F(SampleData, AuthoringTablesMatchTheReaderTables)
{
    for (const auto& [letter, folder] : {std::pair('E', "YpSyohi"), std::pair('G', "YpGen")}) {
        SCOPED_TRACE(letter);
        const auto reader = articles(letter);
        const fs::path base = out("authoring") / folder;
        std::map<long long, std::string> official;
        for (const Row& r :
             query(out("authoring/YpSyohi/Main/Data/マスタ条文.DB"), "SELECT 連番, 正式名 FROM data"))
            official[r[0].i] = r[1].bytes;
        const auto rows = query(base / "Jyobun/Data/条文本文.db",
                                "SELECT ＫＥＹ, 条文連番, 行, 条文区分, 条文本文, 表題, 条文内容 FROM data");
        ASSERT_EQ(rows.size(), reader.size());
        std::set<long long> keys;
        for (const Row& r : rows) {
            keys.insert(r[0].i);
            const ArticleRow& a = reader.at(static_cast<long long>(r[2].f));
            EXPECT_EQ(r[1].i, a.kubunNo);
            EXPECT_EQ(r[4].bytes, a.bangou);
            // The editor's count of the bytes before the body: 表題 + 条文本文 + 8
            // + 正式名, and 2 per mark.
            std::size_t h = r[5].bytes.size() + r[4].bytes.size() + 8 + official.at(r[1].i).size();
            for (const char* mark : {"＊", "○", "☆", "×"})
                for (std::size_t p : {0u, 2u, 4u, 6u})
                    if (a.honbun.compare(p, 2, sjis::fromUtf8(mark)) == 0)
                        h += 2;
            EXPECT_EQ(a.honbun.substr(h), r[6].bytes) << sjis::toUtf8(a.title);
        }
        EXPECT_EQ(keys.size(), rows.size());
        std::set<long long> runtime;
        for (const Row& r : query(base / "Cd12/Data/条文本文.db", "SELECT 行 FROM data"))
            runtime.insert(static_cast<long long>(r[0].f));
        std::set<long long> gyo;
        for (const auto& [g, a] : reader)
            gyo.insert(g);
        EXPECT_EQ(runtime, gyo);
        EXPECT_GT(scalar(base / "Jyobun/Data/リンク条文.DB", "SELECT count(*) FROM data"), 0);
    }
    EXPECT_EQ(scalar(out("authoring/YpSyohi/Main/Data/マスタ条文.DB"), "SELECT count(*) FROM data"), 60);
    EXPECT_FALSE(fs::exists(out("authoring/YpGen/Main")));
}

TEST_F(SampleData, TreesNameEveryArticleAndHelpPagesAreCopied)
{
    for (char letter : {'E', 'G'}) {
        SCOPED_TRACE(letter);
        const std::string x(1, letter);
        const std::string tree = fileBytes(out(x + "6.dl_"));
        std::size_t lines = 0;
        for (std::size_t p = 0; (p = tree.find("\r\n", p)) != std::string::npos; p += 2)
            ++lines;
        std::set<long long> named;
        for (const Row& r : query(out(x + "5.db"), "SELECT TreeID, Gyo FROM data")) {
            EXPECT_LT(static_cast<std::size_t>(r[0].i), lines);
            named.insert(r[1].i);
        }
        std::set<long long> gyo;
        for (const auto& [g, a] : articles(letter))
            gyo.insert(g);
        EXPECT_EQ(named, gyo);
        EXPECT_GT(lines, named.size()); // headings have no rows
    }
    for (const char* page : {"RonvettaHelp.html", "jyokan1.html"}) {
        const std::string source = fileBytes(fs::path(RONVETTA_SAMPLE_DIR) / page);
        EXPECT_EQ(fileBytes(out(page)), source);
        EXPECT_NE(source.find("charset=\"UTF-8\""), std::string::npos);
    }
}

} // namespace
