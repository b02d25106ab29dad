// Every filter text and scope line the reader builds must select exactly
// its codes: on a table held in memory, on a result query, rendered as SQL
// for large tables, and as SQL lines of the search statement.
#include "platform/db/dataset.h"
#include "platform/db/filter.h"
#include "platform/text/sjis.h"
#include "support/table_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

using Codes = std::set<std::int64_t>;
using Admits = std::function<bool(std::int64_t)>;

// Every document code, and the codes just beside the bounds of the scopes.
const std::vector<std::int64_t> kKubunNo = {
    10,  20,  30,  40,  50,  70,  80,  110, 120, 130, 140, 150, 160, 170, 180, 190, 210, 220, 230, 240,
    260, 270, 280, 290, 310, 320, 330, 340, 350, 360, 370, 380, 390, 410, 420, 430, 440, 450, 460, 470,
    480, 490, 510, 610, 620, 630, 710, 720, 730, 740, 750, 810, 820, 830, 910, 920, 930, 940, 950, 960,
    // beside the bounds
    0,   60,  69,  99,  100, 151, 199, 200, 251, 299, 300, 351, 399, 400, 459, 499, 500, 599, 600, 699,
    700, 701, 759, 760, 799, 800, 899, 900};
const std::vector<std::int64_t> kDocuments(kKubunNo.begin(), kKubunNo.begin() + 60);

const std::vector<std::int64_t> kBookNo = {1,  4,  5,  8,  10, 12, 16, 20, 30,  40,  50,  60,  70,
                                           75, 80, 90, 93, 95, 100, 110, 115, 120, 150, 2,   96};

struct FilterCase {
    std::string text;
    Admits admits;
};

struct SqlCase {
    std::vector<std::string> lines;
    Admits admits;
};

std::vector<FilterCase> lawFilters()
{
    std::vector<FilterCase> cases = {
        {"KubunNo < 70", [](auto k) { return k < 70; }},
        {"(KubunNo >= 70) and (KubunNo < 100)", [](auto k) { return k >= 70 && k < 100; }},
        {"(KubunNo >= 700) and (KubunNo < 800)", [](auto k) { return k >= 700 && k < 800; }},
        {"KubunNo >= 800", [](auto k) { return k >= 800; }},
        {"KubunNo < 200", [](auto k) { return k < 200; }},
        {"(KubunNo >= 600) and (KubunNo < 700)", [](auto k) { return k >= 600 && k < 700; }},
        {"KubunNo < 500", [](auto k) { return k < 500; }},
        {"KubunNo > 899", [](auto k) { return k > 899; }},
        {"KubunNo < 300", [](auto k) { return k < 300; }},
        {"KubunNo < 400", [](auto k) { return k < 400; }},
        {"(KubunNo >= 160) and (KubunNo < 190)", [](auto k) { return k >= 160 && k < 190; }},
        {"((KubunNo > 150) and (KubunNo < 200)) or ((KubunNo > 700) and (KubunNo < 760))",
         [](auto k) { return (k > 150 && k < 200) || (k > 700 && k < 760); }},
        {"(KubunNo >= 260) and (KubunNo < 290)", [](auto k) { return k >= 260 && k < 290; }},
        {"(KubunNo > 250) and (KubunNo < 300)", [](auto k) { return k > 250 && k < 300; }},
        {"((KubunNo >= 360) and (KubunNo < 390)) or ((KubunNo >= 700) and (KubunNo < 800)) ",
         [](auto k) { return (k >= 360 && k < 390) || (k >= 700 && k < 800); }},
        {"((KubunNo > 350) and (KubunNo < 400)) or ((KubunNo > 700) and (KubunNo < 760))",
         [](auto k) { return (k > 350 && k < 400) || (k > 700 && k < 760); }},
    };
    for (std::int64_t n : kDocuments)
        cases.push_back({"KubunNo = " + std::to_string(n), [n](auto k) { return k == n; }});
    return cases;
}

std::vector<SqlCase> lawSqlLines()
{
    std::vector<SqlCase> cases = {
        {{"AND ( KubunNo < 70) "}, [](auto k) { return k < 70; }},
        {{"AND ( KubunNo >= 70 ) ", "AND ( KubunNo < 100) "}, [](auto k) { return k >= 70 && k < 100; }},
        {{"AND ( KubunNo >= 700 ) ", "AND ( KubunNo < 800) "}, [](auto k) { return k >= 700 && k < 800; }},
        {{"AND ( KubunNo >= 800) "}, [](auto k) { return k >= 800; }},
        {{"AND ( KubunNo < 200) "}, [](auto k) { return k < 200; }},
        {{"AND ( KubunNo >= 600 ) ", "AND ( KubunNo < 700) "}, [](auto k) { return k >= 600 && k < 700; }},
        {{"AND ( KubunNo < 500) "}, [](auto k) { return k < 500; }},
        {{"AND ( KubunNo > 899) "}, [](auto k) { return k > 899; }},
        {{"AND ( KubunNo < 300) "}, [](auto k) { return k < 300; }},
        {{"AND ( KubunNo < 400) "}, [](auto k) { return k < 400; }},
        {{"AND ( ( ( KubunNo > 150) AND ( KubunNo < 200) ) OR ( ( KubunNo > 700) AND ( KubunNo < 760) ) )"},
         [](auto k) { return (k > 150 && k < 200) || (k > 700 && k < 760); }},
        {{"AND  ( ( KubunNo > 250) AND ( KubunNo < 300) ) "}, [](auto k) { return k > 250 && k < 300; }},
        {{"AND ( ( ( KubunNo > 350) AND ( KubunNo < 400) ) OR ( ( KubunNo > 700) AND ( KubunNo < 760) ) )"},
         [](auto k) { return (k > 350 && k < 400) || (k > 700 && k < 760); }},
        // the reference search's scope lines
        {{"AND ( KubunNo = 440 ) "}, [](auto k) { return k == 440; }},
        {{"AND ( KubunNo > 459 )"}, [](auto k) { return k > 459; }},
        {{"AND ( KubunNo > 110 ) "}, [](auto k) { return k > 110; }},
    };
    for (std::int64_t n : kDocuments)
        cases.push_back({{"AND ( KubunNo = " + std::to_string(n) + ") "}, [n](auto k) { return k == n; }});
    return cases;
}

Codes expected(const std::vector<std::int64_t>& all, const Admits& admits)
{
    Codes out;
    for (auto k : all)
        if (admits(k))
            out.insert(k);
    return out;
}

Codes visible(db::Dataset& ds, const char* field)
{
    Codes out;
    for (ds.First(); !ds.Eof(); ds.Next())
        out.insert(ds.FieldByName(field).AsInteger());
    return out;
}

class ScopeTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<Row> law, books;
        for (std::size_t i = 0; i < kKubunNo.size(); ++i)
            law.push_back({static_cast<std::int64_t>(i + 1), kKubunNo[i], "第＊条"_sj});
        for (std::size_t i = 0; i < kBookNo.size(); ++i)
            books.push_back({static_cast<std::int64_t>(i + 1), kBookNo[i], std::int64_t{1}, "目次"_sj});
        using db::FieldType;
        WriteTableFile("E2.db", db::layout::lawText(), law);
        WriteTableFile("F1.db",
                       {{{"BookSeq", FieldType::Integer},
                         {"BookNo", FieldType::Integer},
                         {"BookRenban", FieldType::Integer},
                         {"Mokuji", FieldType::Text}},
                        "BookSeq",
                        {}},
                       books);
    }

    TempDir dir_;
};

TEST_F(ScopeTexts, LawFiltersSelectTheirCodes)
{
    db::Table memory;
    memory.SetTableName("E2.db");
    db::Query result;
    result.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", "FROM E2.db ", "ORDER BY Gyo "};
    for (db::Dataset* ds : std::initializer_list<db::Dataset*>{&memory, &result}) {
        ds->Open();
        for (const FilterCase& c : lawFilters()) {
            ds->SetFilter(c.text);
            ds->SetFiltered(true);
            EXPECT_EQ(visible(*ds, "KubunNo"), expected(kKubunNo, c.admits)) << c.text;
        }
        ds->SetFiltered(false);
        EXPECT_EQ(ds->RecordCount(), static_cast<int>(kKubunNo.size()));
    }
}

// Large tables filter in SQL: the same texts rendered as SQL conditions.
TEST_F(ScopeTexts, LawFiltersRenderedAsSqlSelectTheirCodes)
{
    for (const FilterCase& c : lawFilters()) {
        db::Filter filter(c.text);
        filter.bind([](const std::string& name) { return name == "KubunNo" ? 0 : -1; });
        db::Query q;
        q.SQL() = {"SELECT DISTINCT Gyo,KubunNo FROM E2.db WHERE "
                   + filter.toSql([](int) { return std::string("\"KubunNo\""); })};
        q.Open();
        EXPECT_EQ(visible(q, "KubunNo"), expected(kKubunNo, c.admits)) << c.text;
    }
}

// The tab 5 rows of the scope table, code by code as listed there.
TEST_F(ScopeTexts, Tab5FamiliesAdmitTheListedCodes)
{
    const std::pair<const char*, Codes> cases[] = {
        {"(KubunNo >= 160) and (KubunNo < 190)", {160, 170, 180}},
        {"((KubunNo > 150) and (KubunNo < 200)) or ((KubunNo > 700) and (KubunNo < 760))",
         {160, 170, 180, 190, 710, 720, 730, 740, 750}},
        {"(KubunNo >= 260) and (KubunNo < 290)", {260, 270, 280}},
        {"(KubunNo > 250) and (KubunNo < 300)", {260, 270, 280, 290}},
        {"((KubunNo >= 360) and (KubunNo < 390)) or ((KubunNo >= 700) and (KubunNo < 800)) ",
         {360, 370, 380, 710, 720, 730, 740, 750}},
        {"((KubunNo > 350) and (KubunNo < 400)) or ((KubunNo > 700) and (KubunNo < 760))",
         {360, 370, 380, 390, 710, 720, 730, 740, 750}},
    };
    db::Table t;
    t.SetTableName("E2.db");
    t.Open();
    t.SetFiltered(true);
    for (const auto& [text, codes] : cases) {
        t.SetFilter(text);
        Codes documents;
        for (auto k : visible(t, "KubunNo"))
            if (std::count(kDocuments.begin(), kDocuments.end(), k))
                documents.insert(k);
        EXPECT_EQ(documents, codes) << text;
    }
}

TEST_F(ScopeTexts, LawSqlLinesSelectTheirCodes)
{
    for (const SqlCase& c : lawSqlLines()) {
        db::Query q;
        q.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", "FROM E2.db ", "WHERE ( Honbun LIKE '%＊%') "_sj};
        q.SQL().insert(q.SQL().end(), c.lines.begin(), c.lines.end());
        q.SQL().push_back("ORDER BY Gyo ");
        q.Open();
        EXPECT_EQ(visible(q, "KubunNo"), expected(kKubunNo, c.admits)) << c.lines.front();
    }
}

TEST_F(ScopeTexts, BookScopesSelectTheirBooks)
{
    db::Table main;
    main.SetTableName("F1.db");
    main.Open();
    main.SetFiltered(true);
    for (std::int64_t n : kBookNo) {
        main.SetFilter("BookNo = " + std::to_string(n));
        EXPECT_EQ(visible(main, "BookNo"), Codes{n}) << n;

        db::Query q;
        q.SQL() = {"SELECT DISTINCT BookSeq,BookNo,BookRenban ", "FROM F1.db ",
                   "WHERE ( Mokuji LIKE '%目次%') "_sj, "AND ( BookNo = " + std::to_string(n) + " ) ",
                   "ORDER BY BookSeq "};
        q.Open();
        EXPECT_EQ(visible(q, "BookNo"), Codes{n}) << n;
    }
    main.SetFilter("");
    EXPECT_EQ(main.RecordCount(), static_cast<int>(kBookNo.size())); // an empty filter admits all
}

} // namespace
