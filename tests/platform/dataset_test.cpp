#include "platform/db/dataset.h"
#include "platform/text/sjis.h"
#include "support/table_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using db::Value;

namespace {

constexpr std::int64_t operator""_i(unsigned long long v)
{
    return static_cast<std::int64_t>(v);
}

// A small law tab: main table, article texts, references and links.
class LawTab : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteTableFile("E1.db", db::layout::lawMain(),
                       {{1_i, 110_i, "消法"_sj, "１条"_sj, "第１条（趣旨）"_sj},
                        {2_i, 110_i, "消法"_sj, "２条"_sj, "第２条（定義）"_sj},
                        {3_i, 120_i, "消令"_sj, "１条"_sj, "第１条（定義）"_sj},
                        {4_i, 140_i, "消基通"_sj, "１－１－１"_sj, "１－１－１（個人事業者）"_sj},
                        {5_i, 710_i, "措法"_sj, "８６条"_sj, "第８６条"_sj}});
        WriteTableFile("E2.db", db::layout::lawText(),
                       {{1_i, 110_i, "この法律は、消費税について定める。"_sj},
                        {2_i, 110_i, "課税資産の譲渡等とは、\r\n事業として行う。"_sj},
                        {3_i, 120_i, "法第二条に規定する課税資産"_sj},
                        {4_i, 140_i, "個人事業者の課税"_sj},
                        {5_i, 710_i, "措置法の特例"_sj}});
        WriteTableFile("E3.db", db::layout::lawReference(),
                       {{3_i, 120_i, 2_i}, {4_i, 140_i, 2_i}, {3_i, 120_i, 1_i}});
        // Link rows written out of order into a file without indexes: the
        // order comes from the index fields.
        db::TableDef unindexed = db::layout::lawLink();
        unindexed.indexes.clear();
        WriteTableFile("E4.db", unindexed,
                       {{2_i, 11_i, 3_i, 1_i}, {2_i, 10_i, 3_i, 1_i}, {1_i, 4_i, 2_i, 1_i},
                        {3_i, 0_i, 1_i, -1_i}, {2_i, 12_i, 3_i, 1_i}, {1_i, 5_i, 2_i, 1_i}});
    }

    TempDir dir_;
};

std::vector<std::int64_t> column(db::Dataset& ds, const char* field)
{
    std::vector<std::int64_t> out;
    for (ds.First(); !ds.Eof(); ds.Next())
        out.push_back(ds.FieldByName(field).AsInteger());
    return out;
}

TEST_F(LawTab, NavigationFollowsTheClassLibrary)
{
    db::Table t;
    t.SetTableName("E1.db");
    t.Open();
    EXPECT_TRUE(t.Bof());
    EXPECT_FALSE(t.Eof());
    EXPECT_EQ(t.RecordCount(), 5);
    EXPECT_EQ(column(t, "gyo"), (std::vector<std::int64_t>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.FieldByName("Gyo").AsInteger(), 5); // Next on the last row stays there
    t.Prior();
    EXPECT_FALSE(t.Eof());
    EXPECT_EQ(t.RecNo(), 3);
    t.First();
    t.Prior();
    EXPECT_TRUE(t.Bof());
    EXPECT_EQ(t.FieldByName("Gyo").AsInteger(), 1);
    t.Last();
    EXPECT_TRUE(t.Eof());
    EXPECT_FALSE(t.Bof());
    EXPECT_EQ(t.FieldByName("TITLE").AsString(), "第８６条"_sj);
    EXPECT_EQ(t.FieldByName("KubunNo").AsString(), "710");
    EXPECT_EQ(t.FieldByName("KubunNo").AsFloat(), 710.0);
    EXPECT_THROW(t.FieldByName("Kubun").AsInteger(), db::Error);
    EXPECT_THROW(t.FieldByName("NoSuchField"), db::Error);
    EXPECT_EQ(t.FindField("NoSuchField"), nullptr);

    t.SetFilter("KubunNo > 900");
    t.SetFiltered(true);
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_TRUE(t.Eof() && t.Bof());
    EXPECT_EQ(t.RecNo(), -1);
    t.Next();
    EXPECT_TRUE(t.Eof() && t.Bof());
}

TEST_F(LawTab, LocateOnOneAndTwoFields)
{
    db::Table links;
    links.SetTableName("E4.db");
    links.SetIndexFieldNames("Gyo;Sel");
    links.Open();
    // Within one Gyo the rows come in Sel order whatever order they were written in.
    EXPECT_EQ(column(links, "Sel"), (std::vector<std::int64_t>{4, 5, 10, 11, 12, 0}));

    ASSERT_TRUE(links.Locate("Gyo", {2_i}));
    EXPECT_EQ(links.FieldByName("Sel").AsInteger(), 10);
    ASSERT_TRUE(links.Locate("gyo;SEL", {2_i, 11_i}));
    EXPECT_EQ(links.FieldByName("Sel").AsInteger(), 11);
    links.Next();
    EXPECT_EQ(links.FieldByName("Sel").AsInteger(), 12);

    EXPECT_FALSE(links.Locate("Gyo;Sel", {2_i, 13_i}));
    EXPECT_EQ(links.FieldByName("Sel").AsInteger(), 12); // position kept
    EXPECT_FALSE(links.Locate("Gyo", {std::string("x")}));
    EXPECT_TRUE(links.Locate("Gyo;Sel", {std::string("3"), 0_i})); // text for an integer field
    EXPECT_EQ(links.FieldByName("Zeimoku").AsInteger(), -1);
    EXPECT_THROW(links.Locate("Gyo;Sel", {1_i}), db::Error);
    EXPECT_THROW(links.Locate("Nope", {1_i}), db::Error);

    db::Table main;
    main.SetTableName("E1.db");
    main.Open();
    EXPECT_TRUE(main.Locate("Bangou", {"１条"_sj}));
    EXPECT_EQ(main.FieldByName("Gyo").AsInteger(), 1); // the first of two
    main.SetFilter("KubunNo = 120");
    main.SetFiltered(true);
    EXPECT_TRUE(main.Locate("Bangou", {"１条"_sj}));
    EXPECT_EQ(main.FieldByName("Gyo").AsInteger(), 3); // the first visible one
}

// A table beyond the size held in memory is stepped by key; it must behave
// as the small one does.
TEST_F(LawTab, LargeTableStepsByKey)
{
    constexpr std::int64_t rowCount = 100200;
    std::vector<Row> rows;
    for (std::int64_t i = 0; i < rowCount; ++i) // three rows per Gyo, Sel descending in writing order
        rows.push_back({i / 3, 100 - i % 3, i, i % 7});
    WriteTableFile("E4.db", db::layout::lawLink(), rows);
    db::Table links;
    links.SetTableName("E4.db");
    links.SetIndexFieldNames("Gyo;Sel");
    links.Open();
    EXPECT_EQ(links.RecordCount(), rowCount);
    std::vector<std::int64_t> sel;
    std::int64_t steps = 0;
    for (links.First(); !links.Eof(); links.Next(), ++steps)
        if (links.FieldByName("Gyo").AsInteger() == 50)
            sel.push_back(links.FieldByName("Sel").AsInteger());
    EXPECT_EQ(steps, rowCount);
    EXPECT_EQ(sel, (std::vector<std::int64_t>{98, 99, 100}));
    EXPECT_EQ(links.FieldByName("Gyo").AsInteger(), (rowCount - 1) / 3);

    ASSERT_TRUE(links.Locate("Gyo;Sel", {70_i, 99_i}));
    EXPECT_EQ(links.RecNo(), 211);
    links.Next();
    EXPECT_EQ(links.FieldByName("Sel").AsInteger(), 100);
    links.Next();
    EXPECT_EQ(links.FieldByName("Gyo").AsInteger(), 71);
    for (int i = 0; i < 4; ++i)
        links.Prior();
    EXPECT_EQ(links.FieldByName("Gyo").AsInteger(), 69);
    EXPECT_FALSE(links.Locate("Gyo", {rowCount}));
    EXPECT_EQ(links.FieldByName("Gyo").AsInteger(), 69);
    EXPECT_EQ(std::get<std::int64_t>(links.ValueAt(300, 0)), 100);

    links.Last();
    EXPECT_TRUE(links.Eof());
    links.Prior();
    EXPECT_EQ(links.RecNo(), rowCount - 2);

    links.SetFilter("(Gyo >= 10) and (Zeimoku = 3)");
    links.SetFiltered(true);
    EXPECT_TRUE(links.Bof());
    int count = 0;
    for (; !links.Eof(); links.Next(), ++count) {
        EXPECT_GE(links.FieldByName("Gyo").AsInteger(), 10);
        EXPECT_EQ(links.FieldByName("Zeimoku").AsInteger(), 3);
    }
    int expected = 0;
    for (std::int64_t i = 0; i < rowCount; ++i)
        expected += i / 3 >= 10 && i % 7 == 3;
    EXPECT_EQ(count, expected);
    EXPECT_EQ(links.RecordCount(), expected);
}

TEST_F(LawTab, DetailFollowsTheMasterAndAfterScrollComesInOrder)
{
    std::vector<std::string> log;
    db::Table main("SMainTable");
    main.SetTableName("E1.db");
    db::DataSource source("SMainSource");
    source.SetDataSet(&main);
    db::Table text("SSubTable");
    text.SetTableName("E2.db");
    text.SetIndexFieldNames("Gyo");
    text.SetMasterSource(&source);
    text.SetMasterFields("Gyo");
    main.AfterScroll = [&](db::Dataset& ds) { log.push_back("M" + ds.FieldByName("Gyo").AsString()); };
    text.AfterScroll = [&](db::Dataset& ds) { log.push_back("T" + ds.FieldByName("Gyo").AsString()); };

    main.Open();
    text.Open();
    EXPECT_EQ(log, (std::vector<std::string>{"M1", "T1"}));
    EXPECT_EQ(text.RecordCount(), 1);
    EXPECT_EQ(text.FieldByName("Honbun").AsString(), "この法律は、消費税について定める。"_sj);

    log.clear();
    main.Next(); // the detail hears first, as the class library has it
    main.Locate("Gyo", {2_i}); // no move, nothing fires
    EXPECT_EQ(log, (std::vector<std::string>{"T2", "M2"}));

    // A result query in the source moves the detail; switching back does too,
    // even to a row of the same Gyo.
    db::Query q("JyobunSQL0");
    q.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", "FROM E2.db ", "WHERE ( Honbun LIKE '%課税%') "_sj,
               "ORDER BY Gyo "};
    q.AddDataField("Gyo", db::FieldType::Integer);
    q.AddDataField("KubunNo", db::FieldType::Integer);
    q.Open();
    log.clear();
    source.SetDataSet(&q);
    q.Next();
    q.Next();
    source.SetDataSet(&main);
    EXPECT_EQ(log, (std::vector<std::string>{"T2", "T3", "T4", "T2"}));

    // Disabled controls: the master moves alone, then the detail catches up once.
    log.clear();
    main.DisableControls();
    main.DisableControls();
    main.Next();
    main.Next();
    EXPECT_EQ(text.FieldByName("Gyo").AsInteger(), 2);
    main.EnableControls();
    EXPECT_TRUE(main.ControlsDisabled());
    main.EnableControls();
    EXPECT_FALSE(main.ControlsDisabled());
    EXPECT_EQ(log, (std::vector<std::string>{"M3", "M4", "T4"}));

    // A filter that the current row fails moves the master to its first visible row.
    log.clear();
    main.SetFilter("KubunNo = 710");
    main.SetFiltered(true);
    EXPECT_EQ(log, (std::vector<std::string>{"T5", "M5"}));

    // A master row without text leaves the detail empty.
    using db::FieldType;
    WriteTableFile("E5.db", {{{"Gyo", FieldType::Integer}, {"KubunNo", FieldType::Integer}}, "Gyo", {}},
                   {{9_i, 110_i}});
    db::Table other;
    other.SetTableName("E5.db");
    other.Open();
    log.clear();
    source.SetDataSet(&other);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(log, (std::vector<std::string>{"T"}));
    source.SetDataSet(nullptr);
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(LawTab, ResultQueryLooksUpWithoutMovingTheMainTable)
{
    db::Table main;
    main.SetTableName("E1.db");
    main.Open();
    main.Last();
    db::Query q;
    q.AddDataField("Gyo", db::FieldType::Integer);
    q.AddDataField("KubunNo", db::FieldType::Integer);
    q.AddLookupField("Kubun", db::FieldType::Text, "Gyo", "Gyo", "Kubun");
    q.AddLookupField("Bangou", db::FieldType::Text, "Gyo", "Gyo", "Bangou");
    q.AddLookupField("Title", db::FieldType::Text, "Gyo", "Gyo", "Title");
    for (int f = 2; f <= 4; ++f)
        q.Fields(f).SetLookupDataSet(&main);
    q.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", "FROM E3.db ", "WHERE ( MainGyo = 2 ) ",
               "AND ( KubunNo = 120 ) "};
    q.Open();
    ASSERT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldCount(), 5);
    EXPECT_EQ(q.FieldByName("kubun").AsString(), "消令"_sj);
    EXPECT_EQ(q.FieldByName("Title").AsString(), "第１条（定義）"_sj);
    EXPECT_EQ(std::get<std::string>(q.ValueAt(0, 3)), "１条"_sj);
    EXPECT_EQ(main.FieldByName("Gyo").AsInteger(), 5);

    // A row whose Gyo is not in the main table has empty lookups.
    q.Close();
    q.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", "FROM E3b.db ", "WHERE ( MainGyo = 1 ) "};
    WriteTableFile("E3b.db", db::layout::lawReference(), {{42_i, 120_i, 1_i}});
    q.Open();
    EXPECT_EQ(q.FieldByName("Gyo").AsInteger(), 42);
    EXPECT_TRUE(q.FieldByName("Title").IsNull());
    EXPECT_EQ(q.FieldByName("Title").AsString(), "");

    // Data fields must name the result's columns.
    q.Close();
    q.SQL() = {"SELECT DISTINCT KubunNo,Gyo FROM E3.db "};
    EXPECT_THROW(q.Open(), db::Error);
    EXPECT_FALSE(q.Active());
}

TEST_F(LawTab, QueryWithoutFieldsShowsTheResultColumns)
{
    WriteTableFile("F1.db", db::layout::bookMain(),
                   {{1_i, 30_i, 1_i, "勘定"_sj, "１"_sj, 12.5, "売上の計上時期"_sj},
                    {2_i, 30_i, 1_i, "勘定"_sj, "２"_sj, 13.0, "仕入税額控除"_sj},
                    {3_i, 60_i, 2_i, "裁決"_sj, "３"_sj, 100.25, "課税売上割合"_sj}});
    db::Query q;
    q.SQL() = {"SELECT DISTINCT BookSeq,BookNo,BookRenban ", "FROM F1.db ",
               "WHERE ( Mokuji LIKE '%売%') "_sj, "AND ( BookNo = 30 ) ", "ORDER BY BookSeq "};
    q.AddLookupField("BookPage", db::FieldType::Float, "BookSeq", "BookSeq", "BookPage");
    db::Table main;
    main.SetTableName("F1.db");
    main.Open();
    q.FieldByName("BookPage").SetLookupDataSet(&main);
    q.Open();
    ASSERT_EQ(q.FieldCount(), 4);
    EXPECT_EQ(q.Fields(0).FieldName(), "BookSeq");
    EXPECT_EQ(q.Fields(3).FieldName(), "BookPage");
    EXPECT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldByName("BookPage").AsString(), "12.5");
    EXPECT_EQ(q.FieldByName("BookPage").AsFloat(), 12.5);
}

TEST_F(LawTab, ErrorsNameTheFileOrTheProblem)
{
    const auto message = [](db::Dataset& ds) {
        try {
            ds.Open();
        } catch (const db::Error& e) {
            EXPECT_FALSE(ds.Active());
            return std::string(e.what());
        }
        return std::string("no error");
    };
    db::Table missing;
    missing.SetTableName("条文本文.db"_sj);
    EXPECT_NE(message(missing).find("条文本文.db"_sj), std::string::npos);

    {
        std::ofstream("E9.db") << std::string(70000, 'x');
    }
    db::Table damaged;
    damaged.SetTableName("E9.db");
    const std::string m = message(damaged);
    EXPECT_NE(m.find("E9.db"), std::string::npos) << m;

    db::Table unnamed("GSubTable"); // a table start-up never came to name
    EXPECT_EQ(message(unnamed), "Cannot open GSubTable (no table file named)");
    try {
        unnamed.First();
        ADD_FAILURE() << "moved a closed table";
    } catch (const db::Error& e) {
        EXPECT_STREQ(e.what(), "Cannot perform this operation on a closed dataset: GSubTable (no table file named)");
    }

    db::Query bad;
    bad.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", "FROM E2.db ", "WHERE ( Honbn LIKE '%a%') "};
    const std::string b = message(bad);
    EXPECT_NE(b.find("E2.db"), std::string::npos) << b;
    EXPECT_NE(b.find("Honbn"), std::string::npos) << b;

    db::Query noFile;
    noFile.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", "FROM X2.db "};
    EXPECT_NE(message(noFile).find("X2.db"), std::string::npos);

    db::Query quote; // a key word with a quote breaks the statement, and says so
    quote.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", "FROM E2.db ", "WHERE ( Honbun LIKE '%O'Hara%') "};
    EXPECT_NE(message(quote), "no error");

    // A broken filter is refused when applied, and nothing changes.
    db::Table t;
    t.SetTableName("E1.db");
    t.Open();
    for (const char* broken : {"KubunNo = = 1", "(KubunNo = 1", "Nope = 1", "Kubun = 1", "KubunNo = abc",
                               "KubunNo 1", "KubunNo = 1 and"}) {
        t.SetFiltered(false);
        t.SetFilter(broken);
        EXPECT_THROW(t.SetFiltered(true), db::Error) << broken;
        EXPECT_FALSE(t.Filtered());
        t.SetFilter("KubunNo = 110");
        t.SetFiltered(true);
        EXPECT_THROW(t.SetFilter(broken), db::Error) << broken;
        EXPECT_EQ(t.Filter(), "KubunNo = 110");
        EXPECT_EQ(t.RecordCount(), 2);
    }
}

TEST_F(LawTab, ReadingLeavesTheFilesAlone)
{
    const std::vector<std::string> files = {"E1.db", "E2.db", "E3.db", "E4.db"};
    std::vector<std::string> before;
    for (const auto& f : files)
        before.push_back(FileBytes(f));
    {
        db::Table main, text, links;
        main.SetTableName("E1.db");
        text.SetTableName("E2.db");
        links.SetTableName("E4.db");
        links.SetIndexFieldNames("Gyo;Sel");
        for (db::Table* t : {&main, &text, &links})
            t->Open();
        for (text.First(); !text.Eof(); text.Next())
            text.FieldByName("Honbun").AsString();
        EXPECT_THROW(text.Edit(), db::Error);
        db::Query q;
        q.SQL() = {"SELECT DISTINCT Gyo,KubunNo FROM E3.db WHERE ( MainGyo = 2 ) "};
        q.Open();
        q.Refresh();
        main.Refresh();
        db::Query write;
        write.SQL() = {"DELETE FROM E2.db "};
        EXPECT_THROW(write.Open(), db::Error);
    }
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(FileBytes(files[i]), before[i]) << files[i];
    for (const auto& entry : std::filesystem::directory_iterator("."))
        EXPECT_EQ(entry.path().extension(), ".db") << entry.path(); // no journal, no WAL
}

class Authoring : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories("YpSyohi/Jyobun/Data");
        using db::FieldType;
        const db::TableDef articles = {{{"ＫＥＹ"_sj, FieldType::Integer},
                                        {"条文連番"_sj, FieldType::Integer},
                                        {"行"_sj, FieldType::Float},
                                        {"条文区分"_sj, FieldType::Text},
                                        {"条文内容"_sj, FieldType::Memo}},
                                       {},
                                       {"ＫＥＹ"_sj}};
        WriteTableFile(path_, articles,
                       {{1_i, 110_i, 1.0, "消法"_sj, "第一条"_sj},
                        {2_i, 120_i, 2.0, "消令"_sj, "第一条の二"_sj},
                        {3_i, 110_i, 3.0, "消法"_sj, "第二条"_sj}});
        table_.SetDatabaseName("YpSyohi/Jyobun/Data");
        table_.SetTableName("条文本文.db"_sj);
        table_.SetIndexFieldNames("ＫＥＹ"_sj);
        table_.SetReadOnly(false);
        table_.Open();
    }

    std::vector<std::string> contents()
    {
        db::Table fresh;
        fresh.SetDatabaseName("YpSyohi/Jyobun/Data");
        fresh.SetTableName("条文本文.db"_sj);
        fresh.SetIndexFieldNames("ＫＥＹ"_sj);
        fresh.Open();
        std::vector<std::string> out;
        for (; !fresh.Eof(); fresh.Next())
            out.push_back(fresh.FieldByName("ＫＥＹ"_sj).AsString() + ":"
                          + fresh.FieldByName("条文内容"_sj).AsString());
        return out;
    }

    TempDir dir_;
    const std::string path_ = "YpSyohi/Jyobun/Data/条文本文.db"_sj;
    db::Table table_;
};

TEST_F(Authoring, EditAppendDeletePostCancel)
{
    using State = db::Table::State;
    EXPECT_THROW(table_.FieldByName("条文内容"_sj).SetAsString("x"), db::Error); // not editing

    ASSERT_TRUE(table_.Locate("ＫＥＹ"_sj, {std::string("2")}));
    table_.Edit();
    EXPECT_EQ(table_.EditState(), State::Edit);
    table_.FieldByName("条文内容"_sj).SetAsString("第一条の三"_sj);
    EXPECT_EQ(table_.FieldByName("条文内容"_sj).AsString(), "第一条の三"_sj);
    EXPECT_THROW(table_.FieldByName("条文連番"_sj).SetAsString("abc"), db::Error);
    table_.Post();
    EXPECT_EQ(table_.EditState(), State::Browse);
    EXPECT_EQ(table_.FieldByName("ＫＥＹ"_sj).AsInteger(), 2);
    EXPECT_EQ(contents(), (std::vector<std::string>{"1:"_sj + "第一条"_sj, "2:"_sj + "第一条の三"_sj,
                                                     "3:"_sj + "第二条"_sj}));

    table_.Append();
    table_.FieldByName("ＫＥＹ"_sj).SetAsInteger(0);
    table_.FieldByName("条文内容"_sj).SetAsString("前文"_sj);
    table_.Cancel();
    EXPECT_EQ(contents().size(), 3u);
    EXPECT_EQ(table_.FieldByName("ＫＥＹ"_sj).AsInteger(), 2);

    table_.Append();
    table_.FieldByName("ＫＥＹ"_sj).SetAsString("0");
    table_.FieldByName("行"_sj).SetAsFloat(0.5);
    table_.FieldByName("条文内容"_sj).SetAsString("前文"_sj);
    table_.Next(); // moving posts, as the class library does
    EXPECT_EQ(table_.EditState(), State::Browse);
    EXPECT_EQ(contents().front(), "0:"_sj + "前文"_sj);
    table_.First();
    EXPECT_EQ(table_.FieldByName("行"_sj).AsString(), "0.5");

    ASSERT_TRUE(table_.Locate("ＫＥＹ"_sj, {2_i}));
    table_.Delete();
    EXPECT_EQ(table_.FieldByName("ＫＥＹ"_sj).AsInteger(), 3); // the next row is current
    EXPECT_EQ(contents(), (std::vector<std::string>{"0:"_sj + "前文"_sj, "1:"_sj + "第一条"_sj,
                                                     "3:"_sj + "第二条"_sj}));

    table_.SetFilter("条文連番 = 110"_sj);
    table_.SetFiltered(true);
    EXPECT_EQ(table_.RecordCount(), 2);
    table_.Close();
    table_.SetFiltered(false);
    table_.SetReadOnly(true);
    table_.Open();
    EXPECT_THROW(table_.Append(), db::Error);
    EXPECT_THROW(table_.SetTableName("x.db"), db::Error);
}

TEST_F(Authoring, TableLooksUpWithoutMovingTheMaster)
{
    WriteTableFile("master.db",
                   {{{"連番"_sj, db::FieldType::Integer}, {"正式名"_sj, db::FieldType::Text}}, {}, {}},
                   {{110_i, "消費税法"_sj}, {120_i, "消費税法施行令"_sj}, {130_i, "消費税法施行規則"_sj}});
    db::Table master;
    master.SetTableName("master.db");
    master.Open();
    master.Last();

    EXPECT_THROW(table_.AddLookupField("名"_sj, db::FieldType::Text, "条文連番"_sj, "連番"_sj,
                                       "正式名"_sj),
                 db::Error); // only while closed
    table_.Close();
    table_.AddLookupField("名"_sj, db::FieldType::Text, "条文連番"_sj, "連番"_sj, "正式名"_sj);
    db::Field* name = &table_.FieldByName("名"_sj);
    name->SetLookupDataSet(&master);
    table_.Open();
    ASSERT_EQ(table_.FieldCount(), 6);
    EXPECT_EQ(&table_.Fields(5), name); // after the file's fields, the same object
    EXPECT_TRUE(name->IsLookup());
    EXPECT_EQ(name->AsString(), "消費税法"_sj);
    EXPECT_EQ(std::get<std::string>(table_.ValueAt(1, 5)), "消費税法施行令"_sj);
    EXPECT_EQ(master.RecNo(), 2);

    // The value follows the key as edited, before and after the post;
    // a key without a master row gives an empty value.
    table_.Next();
    table_.Edit();
    table_.FieldByName("条文連番"_sj).SetAsInteger(130);
    EXPECT_EQ(name->AsString(), "消費税法施行規則"_sj);
    EXPECT_EQ(std::get<std::string>(table_.ValueAt(1, 5)), "消費税法施行規則"_sj);
    EXPECT_EQ(std::get<std::string>(table_.ValueAt(0, 5)), "消費税法"_sj);
    EXPECT_THROW(name->SetAsString("x"), db::Error);
    table_.FieldByName("条文連番"_sj).SetAsInteger(999);
    EXPECT_TRUE(name->IsNull());
    table_.Post();
    EXPECT_EQ(table_.FieldByName("ＫＥＹ"_sj).AsInteger(), 2);
    EXPECT_EQ(name->AsString(), "");
    EXPECT_THROW(table_.Locate("名"_sj, {"消費税法"_sj}), db::Error);
    EXPECT_EQ(master.RecNo(), 2);

    // Reopening keeps the lookup; a closed master gives empty values.
    table_.Close();
    table_.Open();
    EXPECT_EQ(table_.FieldByName("名"_sj).AsString(), "消費税法"_sj);
    master.Close();
    EXPECT_TRUE(name->IsNull());
}

} // namespace
