// Every filter text and scope line of the scope tables must select exactly
// its codes: on a table held in memory, on a result query, rendered as SQL
// for large tables, and as SQL lines of the search statement.
#include "platform/db/dataset.h"
#include "platform/db/filter.h"
#include "platform/text/sjis.h"
#include "reader/scope_tables.h"
#include "support/table_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <ranges>
#include <set>
#include <tuple>

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

// The books of each book tab, in combo order.
const std::vector<std::int64_t> kBooks[] = {
    {1, 5, 10, 20, 30, 40, 50, 60, 70, 80, 95, 100, 110, 115, 150},
    {1, 20, 30, 60, 70, 75, 80, 90, 95},
    {1, 4, 8, 12, 16, 20, 30, 60, 70, 75, 80, 90, 93, 95, 100, 110, 120}};
// Every book number, and two beside them.
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

// What a group label admits on law tab `tab` (-1: on every tab that offers
// it); the jump filters of the tab 5 families admit fewer codes.
struct Group {
    int tab;
    const char* label;
    Admits admits;
    Admits jumpAdmits = nullptr;
};

const Group kGroups[] = {
    {0, "本法関係", [](auto k) { return k < 70; }},
    {0, "耐用年数関係", [](auto k) { return k >= 70 && k < 100; }},
    {1, "本法関係", [](auto k) { return k < 200; }},
    {1, "地方税関係", [](auto k) { return k >= 600 && k < 700; }},
    {2, "新法関係", [](auto k) { return k < 500; }},
    {2, "旧法関係", [](auto k) { return k > 899; }},
    {3, "本法関係", [](auto k) { return k < 300; }},
    {4, "本法関係", [](auto k) { return k < 400; }},
    {-1, "措置法関係", [](auto k) { return k >= 700 && k < 800; }},
    {-1, "震災関係", [](auto k) { return k >= 800; }},
    {5, "国通関係", [](auto k) { return (k > 150 && k < 200) || (k > 700 && k < 760); },
     [](auto k) { return k >= 160 && k < 190; }},
    {5, "国徴関係", [](auto k) { return k > 250 && k < 300; }, [](auto k) { return k >= 260 && k < 290; }},
    {5, "印紙関係", [](auto k) { return (k > 350 && k < 400) || (k > 700 && k < 760); },
     [](auto k) { return (k >= 360 && k < 390) || (k >= 700 && k < 800); }},
};

// What scope `e` of law tab i admits, in its result filter and SQL lines and
// in its jump filter: its group's codes, or its document's code.
std::pair<Admits, Admits> admitsOf(int i, const ScopeEntry& e)
{
    for (const Group& g : kGroups)
        if ((g.tab < 0 || g.tab == i) && e.Label == sjis::fromUtf8(g.label))
            return {g.admits, g.jumpAdmits ? g.jumpAdmits : g.admits};
    for (const KubunCode& c : KubunCodeTable())
        if (c.Label == e.Label) {
            const Admits one = [n = c.Code](auto k) { return k == n; };
            return {one, one};
        }
    ADD_FAILURE() << "no codes for " << sjis::toUtf8(e.Label);
    const Admits none = [](auto) { return false; };
    return {none, none};
}

// The entries of the law tabs after 全範囲, which filters nothing.
std::vector<FilterCase> lawFilters()
{
    std::vector<FilterCase> cases;
    for (int i = 0; i < 6; ++i)
        for (const ScopeEntry& e : LawScopeTable(i) | std::views::drop(1)) {
            const auto [result, jump] = admitsOf(i, e);
            cases.push_back({e.JumpFilter, jump});
            cases.push_back({e.ResultFilter, result});
        }
    return cases;
}

std::vector<SqlCase> lawSqlLines()
{
    // the reference search's scope lines
    std::vector<SqlCase> cases = {
        {{"AND ( KubunNo = 440 ) "}, [](auto k) { return k == 440; }},
        {{"AND ( KubunNo > 459 )"}, [](auto k) { return k > 459; }},
        {{"AND ( KubunNo > 110 ) "}, [](auto k) { return k > 110; }},
    };
    for (int i = 0; i < 6; ++i)
        for (const ScopeEntry& e : LawScopeTable(i) | std::views::drop(1))
            cases.push_back({e.SqlLines, admitsOf(i, e).first});
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

// The tab 5 families, code by code as listed there: jump filter, then result filter.
TEST_F(ScopeTexts, Tab5FamiliesAdmitTheListedCodes)
{
    const std::tuple<const char*, Codes, Codes> cases[] = {
        {"国通関係", {160, 170, 180}, {160, 170, 180, 190, 710, 720, 730, 740, 750}},
        {"国徴関係", {260, 270, 280}, {260, 270, 280, 290}},
        {"印紙関係", {360, 370, 380, 710, 720, 730, 740, 750}, {360, 370, 380, 390, 710, 720, 730, 740, 750}},
    };
    db::Table t;
    t.SetTableName("E2.db");
    t.Open();
    t.SetFiltered(true);
    const auto documents = [&t](const std::string& filter) {
        t.SetFilter(filter);
        Codes out;
        for (auto k : visible(t, "KubunNo"))
            if (std::count(kDocuments.begin(), kDocuments.end(), k))
                out.insert(k);
        return out;
    };
    for (const auto& [label, jump, result] : cases) {
        const ScopeEntry* e = ScopeEntryFind(LawScopeTable(5), sjis::fromUtf8(label));
        ASSERT_NE(e, nullptr) << label;
        EXPECT_EQ(documents(e->JumpFilter), jump) << label;
        EXPECT_EQ(documents(e->ResultFilter), result) << label;
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
        EXPECT_EQ(visible(q, "KubunNo"), expected(kKubunNo, c.admits)) << testing::PrintToString(c.lines);
    }
}

TEST_F(ScopeTexts, BookScopesSelectTheirBooks)
{
    db::Table main;
    main.SetTableName("F1.db");
    main.Open();
    main.SetFiltered(true);
    for (int b = 0; b < 3; ++b) {
        const ScopeTable& table = BookScopeTable(b);
        ASSERT_EQ(table.size(), kBooks[b].size() + 1);
        for (std::size_t n = 0; n < kBooks[b].size(); ++n) {
            const ScopeEntry& e = table[n + 1];
            SCOPED_TRACE(sjis::toUtf8(e.Label));
            const Codes book{kBooks[b][n]};
            main.SetFilter(e.JumpFilter);
            EXPECT_EQ(visible(main, "BookNo"), book);
            main.SetFilter(e.ResultFilter);
            EXPECT_EQ(visible(main, "BookNo"), book);

            db::Query q;
            q.SQL() = {"SELECT DISTINCT BookSeq,BookNo,BookRenban ", "FROM F1.db ",
                       "WHERE ( Mokuji LIKE '%目次%') "_sj};
            q.SQL().insert(q.SQL().end(), e.SqlLines.begin(), e.SqlLines.end());
            q.SQL().push_back("ORDER BY BookSeq ");
            q.Open();
            EXPECT_EQ(visible(q, "BookNo"), book);
        }
    }
    main.SetFilter("");
    EXPECT_EQ(main.RecordCount(), static_cast<int>(kBookNo.size())); // an empty filter admits all
}

} // namespace
