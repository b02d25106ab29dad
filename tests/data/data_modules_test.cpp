// The law and book data modules over the sample data: which tables open in
// what order, what a table that cannot be opened leaves behind, the grids
// following the result pools and the texts following the grids.
#include "app/mainpas.h"
#include "app/startup.h"
#include "data/hbooks_db.h"
#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/app/application.h"
#include "platform/db/connection.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/edit.h"
#include "platform/ui/tool_button.h"
#include "platform/ui/tree_view.h"
#include "support/fake_system.h"
#include "support/prompt_log.h"
#include "support/sample_data.h"
#include "support/temp_dir.h"

#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <tuple>

namespace fs = std::filesystem;

namespace {

class DataModules : public ::testing::Test {
protected:
    void SetUp() override
    {
        NamepasReset();
        CopySampleData(cwd_.emplace().Path()); // a fresh folder: the files of a run stay as first read
    }
    void TearDown() override
    {
        reader_.reset();
        NamepasReset();
    }

    // Start-up up to the data modules, as the program runs it.
    void Start()
    {
        reader_ = std::make_unique<ReaderSession>("Ronvetta");
        main_ = &reader_->MainForm();
        houjin_ = &reader_->HoujinModule();
        hbooks_ = &reader_->HbooksModule();
    }

    std::set<std::string> openTables() const
    {
        std::set<std::string> open;
        for (const db::Table* t : {&houjin_->SMainTable, &houjin_->SMainTable2, &houjin_->SSubTable,
                                   &houjin_->SLinkTable, &houjin_->STreeTable, &houjin_->GMainTable,
                                   &houjin_->GMainTable2, &houjin_->GSubTable, &houjin_->GLinkTable,
                                   &houjin_->GTreeTable, &hbooks_->SbMainTable, &hbooks_->SbSubTable,
                                   &hbooks_->SbNameTable, &hbooks_->SbJumpTable, &hbooks_->SbUrlTable})
            if (t->Active())
                open.insert(t->Name());
        return open;
    }

    static db::Query& resultOf(int i, const std::string& where)
    {
        db::Query& q = *JyobunSQLNext(i);
        q.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", "FROM " + JyobunSubTableName[i] + " ", where,
                   "ORDER BY Gyo "};
        q.Open();
        return q;
    }

    std::optional<TempDir> cwd_;
    FakeSystem system_;
    PromptLog prompts_;
    std::unique_ptr<ReaderSession> reader_;
    TMain* main_ = nullptr;
    THoujin* houjin_ = nullptr;
    THbooks* hbooks_ = nullptr;
};

const std::set<std::string> AllPresentTables = {
    "SMainTable", "SMainTable2", "SSubTable", "SLinkTable", "STreeTable",
    "GMainTable", "GMainTable2", "GSubTable", "GLinkTable", "GTreeTable",
    "SbMainTable", "SbSubTable", "SbNameTable", "SbJumpTable", "SbUrlTable"};

TEST_F(DataModules, EveryPresentTabOpensAndShowsItsFirstArticleAndEntry)
{
    Start();
    EXPECT_TRUE(prompts_.shown.empty());
    EXPECT_EQ(openTables(), AllPresentTables);
    EXPECT_EQ(JyobunMainTable[Syohi], &houjin_->SMainTable);
    EXPECT_EQ(JyobunLinkTable[Gen], &houjin_->GLinkTable);
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), &houjin_->SMainTable);
    EXPECT_EQ(JyobunMainTable[Houjin], nullptr) << "absent tabs stay empty";
    EXPECT_EQ(houjin_->HMainTable.TableName(), "");
    EXPECT_EQ(BooksMainSource[Sbooks], &hbooks_->SbMainSource);
    EXPECT_EQ(JyobunSQL[14], &houjin_->JyobunSQL14);
    EXPECT_EQ(BooksSQL[9], &hbooks_->BooksSQL9);
    EXPECT_EQ(main_->SyohiDBGrid->DataSource(), &houjin_->SMainSource);
    EXPECT_EQ(main_->GenDBGrid->DataSource(), &houjin_->GMainSource);
    EXPECT_EQ(main_->SbooksDBGrid->DataSource(), &hbooks_->SbMainSource);
    EXPECT_EQ(main_->SyohiDBGrid->model()->rowCount(), houjin_->SMainTable.RecordCount());

    // Opening a text table built its tab's first article and first entry.
    EXPECT_TRUE(main_->SyohiRichEdit->Text().starts_with("【消費税法】１条"_sj));
    EXPECT_EQ(JyobunRtfCache[Syohi].substr(0, 5), "{\\rtf");
    EXPECT_TRUE(main_->GenRichEdit->Text().starts_with("【会社法】"_sj));
    EXPECT_EQ(main_->SbooksRichEdit->Text(),
              "消費税法基本通達逐条解説（見本）　平成２３年版　サンプル税務出版\r\n第１章　納税義務者"_sj);
}

// Each tab opens tree, second cursor, main table, link table, text table;
// the first file that fails stops its module's creation there.
TEST_F(DataModules, AFileThatCannotBeOpenedLeavesItAndEverythingAfterItClosed)
{
    struct Case {
        const char* missing;
        std::set<std::string> closed;
    };
    const std::set<std::string> allG = {"GMainTable", "GMainTable2", "GSubTable", "GLinkTable",
                                        "GTreeTable"};
    auto with = [](std::set<std::string> a, const std::set<std::string>& b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    const std::vector<Case> cases = {
        {"E5.db", with({"STreeTable", "SMainTable2", "SMainTable", "SLinkTable", "SSubTable"}, allG)},
        {"E1.db", with({"SMainTable2", "SMainTable", "SLinkTable", "SSubTable"}, allG)},
        {"E4.db", with({"SLinkTable", "SSubTable"}, allG)},
        {"E2.db", with({"SSubTable"}, allG)},
        {"G1.db", {"GMainTable2", "GMainTable", "GLinkTable", "GSubTable"}},
        {"F1.db", {"SbMainTable", "SbNameTable", "SbJumpTable", "SbUrlTable", "SbSubTable"}},
        {"F3.db", {"SbNameTable", "SbJumpTable", "SbUrlTable", "SbSubTable"}},
        {"F5.db", {"SbUrlTable", "SbSubTable"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing);
        TearDown();
        SetUp();
        prompts_.shown.clear();
        fs::remove(c.missing);
        Start();

        ASSERT_EQ(prompts_.shown.size(), 1u);
        EXPECT_EQ(prompts_.shown[0].first, platform::PromptKind::Error);
        EXPECT_NE(prompts_.shown[0].second.find(c.missing), std::string::npos) << prompts_.shown[0].second;
        std::set<std::string> expected;
        for (const std::string& name : AllPresentTables)
            if (!c.closed.contains(name))
                expected.insert(name);
        EXPECT_EQ(openTables(), expected);
    }
}

// Runs SQL on a table file as someone else's tool would.
// The writer is closed when the result goes; held, it keeps its log or journal.
std::unique_ptr<sqlite3, int (*)(sqlite3*)> Exec(const std::string& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
    sqlite3_free(error);
    return {db, sqlite3_close};
}

// The table `data` rebuilt with these column declarations, rows kept.
std::string Redeclare(const std::string& columns)
{
    return "CREATE TABLE t (" + columns + "); INSERT INTO t SELECT * FROM data; DROP TABLE data; "
           "ALTER TABLE t RENAME TO data;";
}

// A key read as text comes in text order (10, 100, 11 ...) and finds no
// integer, one beyond 32 bits names another row: each file says which column
// is wrong, when it is opened or when it is first searched.
TEST_F(DataModules, ColumnsOfAnotherTypeOrMissingAreNamed)
{
    struct Case {
        const char* file;
        std::string sql;
        const char* message;
        const char* search; // FROM and WHERE of a search that meets the fault; null: start-up does
    };
    const std::string lawMain = "KubunNo INTEGER, Kubun TEXT, Bangou TEXT, Title TEXT";
    const std::vector<Case> cases = {
        {"E1.db", Redeclare("Gyo TEXT, " + lawMain), "Field 'Gyo' in E1.db is declared TEXT, not INTEGER", nullptr},
        {"E2.db", Redeclare("Gyo INTEGER, KubunNo TEXT, Honbun MEMO"),
         "Field 'KubunNo' in E2.db is declared TEXT, not INTEGER", nullptr},
        {"E4.db", Redeclare("Gyo INTEGER, Sel TEXT, GoGyo INTEGER, Zeimoku INTEGER"),
         "Field 'Sel' in E4.db is declared TEXT, not INTEGER", nullptr},
        {"E5.db", Redeclare("Node INTEGER, Gyo INTEGER"), "Field 'TreeID' not found in E5.db", nullptr},
        {"F1.db",
         Redeclare("BookSeq TEXT, BookNo INTEGER, BookRenban INTEGER, BookNameShort TEXT, Gou TEXT, "
                   "BookPage FLOAT, Mokuji TEXT"),
         "Field 'BookSeq' in F1.db is declared TEXT, not INTEGER", nullptr},
        {"F1.db", "UPDATE data SET BookPage = 'p.12' WHERE BookSeq = 5",
         "Field 'BookPage' in F1.db holds 'p.12', which is not a number", nullptr},
        {"E1.db", "UPDATE data SET KubunNo = 'abc' WHERE rowid = (SELECT rowid FROM data LIMIT 1 OFFSET 2)",
         "Field 'KubunNo' in E1.db holds 'abc', which is not a 32-bit integer", nullptr},
        {"F3.db", "UPDATE data SET BookRenban = 1.5 WHERE rowid = 1",
         "Field 'BookRenban' in F3.db holds '1.5', which is not a 32-bit integer", nullptr},
        {"E1.db", "UPDATE data SET Gyo = 4294967316 WHERE Gyo = (SELECT max(Gyo) FROM data)",
         "Field 'Gyo' in E1.db holds '4294967316', which is not a 32-bit integer", nullptr},
        {"E4.db", "UPDATE data SET Sel = 9223372036854775807 WHERE rowid = 9",
         "Field 'Sel' in E4.db holds '9223372036854775807', which is not a 32-bit integer", nullptr},
        {"E2.db", "UPDATE data SET KubunNo = 'abc' WHERE Gyo = (SELECT max(Gyo) FROM data)",
         "Field 'KubunNo' in E2.db holds 'abc', which is not a 32-bit integer",
         "FROM E2.db WHERE ( Honbun LIKE '%%' ) "},
        {"E3.db", "UPDATE data SET MainGyo = 'abc' WHERE rowid = 5", "Field 'MainGyo' in E3.db holds 'abc', "
         "which is not a 32-bit integer", "FROM E3.db WHERE ( MainGyo = 1 ) "},
        {"E3.db", "UPDATE data SET MainGyo = 1.5 WHERE rowid = 5", "Field 'MainGyo' in E3.db holds '1.5', "
         "which is not a 32-bit integer", "FROM E3.db WHERE ( MainGyo = 1 ) "},
        {"E3.db", "UPDATE data SET MainGyo = x'3132' WHERE rowid = 5", "Field 'MainGyo' in E3.db holds '12', "
         "which is not a 32-bit integer", "FROM E3.db WHERE ( MainGyo = 1 ) "},
        {"E3.db", "INSERT INTO data SELECT Gyo, KubunNo, 'abc' FROM data WHERE MainGyo = 130 "
         "ORDER BY Gyo DESC LIMIT 1",
         "Field 'MainGyo' in E3.db holds 'abc', which is not a 32-bit integer", // one DISTINCT drops
         "FROM E3.db WHERE ( MainGyo = 130 ) "},
        {"E3.db", Redeclare("Gyo INTEGER, KubunNo INTEGER, MainGyo BLOB"),
         "Field 'MainGyo' in E3.db is declared BLOB, not INTEGER", "FROM E3.db WHERE ( MainGyo = 1 ) "},
        {"E3.db", Redeclare("Gyo, KubunNo INTEGER, MainGyo INTEGER"),
         "Field 'Gyo' in E3.db is declared without a type, not INTEGER", "FROM E3.db WHERE ( MainGyo = 1 ) "},
        {"E2.db", "ALTER TABLE data ADD COLUMN Rate FLOAT; UPDATE data SET Rate = 'x' WHERE Gyo = 30",
         "Field 'Rate' in E2.db holds 'x', which is not a number", "FROM E2.db WHERE ( Honbun LIKE '%%' ) "},
        {"E3.db", "UPDATE data SET MainGyo = -2147483648 WHERE rowid = 5; "
         "UPDATE data SET MainGyo = -2147483649 WHERE rowid = 6",
         "Field 'MainGyo' in E3.db holds '-2147483649', which is not a 32-bit integer",
         "FROM E3.db WHERE ( MainGyo = 1 ) "},
        {"E1.db", "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; DELETE FROM data WHERE Gyo > 100",
         "Cannot open the table file E1.db (E1.db-wal holds changes not yet written into it; open and close "
         "the file once with sqlite3 to write them)", nullptr},
        {"E1.db", "PRAGMA journal_mode=WAL; UPDATE data SET KubunNo = 'abc' WHERE Gyo = 30; "
         "PRAGMA wal_checkpoint(PASSIVE)", // the log is all in the file again: read, not refused
         "Field 'KubunNo' in E1.db holds 'abc', which is not a 32-bit integer", nullptr},
        {"E1.db", "PRAGMA cache_size=1; BEGIN; CREATE TABLE t (a); "
         "INSERT INTO t SELECT zeroblob(60000) FROM data LIMIT 20", "Cannot open the table file "
         "E1.db (E1.db-journal holds a change left unfinished; open and close the file once with sqlite3 to "
         "roll it back)", nullptr},
        {"E1.db", "UPDATE data SET KubunNo = -2147483648 WHERE Gyo = 20; "
         "UPDATE data SET KubunNo = -2147483649 WHERE Gyo = 30",
         "Field 'KubunNo' in E1.db holds '-2147483649', which is not a 32-bit integer", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        TearDown();
        SetUp();
        prompts_.shown.clear();
        const auto writer = Exec(c.file, c.sql);
        Start();
        std::vector<std::string> messages;
        for (const auto& shown : prompts_.shown)
            messages.push_back(shown.second);
        if (c.search) {
            EXPECT_TRUE(messages.empty());
            try {
                db::Query& q = *JyobunSQLNext(Syohi);
                q.SQL() = {"SELECT DISTINCT Gyo,KubunNo ", c.search};
                q.Open();
                ADD_FAILURE() << "the search ran";
            } catch (const db::Error& e) {
                messages.push_back(e.what());
            }
        }
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
    }
}

// A text row that cannot be read is refused, and the next row reads whole.
TEST_F(DataModules, ARefusedTextRowLeavesTheNextReadable)
{
    Exec("E2.db", "UPDATE data SET KubunNo = 4294967316 WHERE Gyo = 20");
    Start();
    db::Table& main = houjin_->SMainTable;
    EXPECT_THROW(main.Locate("Gyo", {db::Value(20)}), db::Error);
    ASSERT_TRUE(main.Locate("Gyo", {db::Value(30)}));
    EXPECT_EQ(houjin_->SSubTable.RecordCount(), 1);
    EXPECT_EQ(houjin_->SSubTable.FieldByName("Gyo").AsInteger(), 30);
}

// A link table too large to hold is read in blocks of rows around the ones
// asked for: a bad cell refuses the article it belongs to, not its
// neighbours, and that article's view shows nothing.
TEST_F(DataModules, ABadLinkCellRefusesItsOwnArticleOnly)
{
    Exec("E4.db", "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x <= 100000) "
                  "INSERT INTO data SELECT 1000000 + x, 0, 0, 0 FROM n; "
                  "UPDATE data SET Sel = 'abc' WHERE Gyo = 70");
    Start();
    for (const std::int64_t gyo : {60, 70, 80}) {
        platform::RunGuarded([&] { houjin_->SMainTable.Locate("Gyo", {db::Value(gyo)}); });
        EXPECT_EQ(prompts_.shown.size(), gyo < 70 ? 0u : 1u) << gyo;
        EXPECT_EQ(main_->SyohiRichEdit->Text().empty(), gyo == 70) << gyo;
    }
}

// A link is a run of rows in Sel order; the file's indexes do not decide it.
TEST_F(DataModules, LinkRowsComeInSelOrderInAFileWithoutIndexes)
{
    Exec("E4.db", "CREATE TABLE t (Gyo INTEGER, Sel INTEGER, GoGyo INTEGER, Zeimoku INTEGER); "
                  "INSERT INTO t SELECT * FROM data ORDER BY Gyo DESC, Sel DESC; DROP TABLE data; "
                  "ALTER TABLE t RENAME TO data;");
    Start();
    db::Table& links = houjin_->SLinkTable;
    ASSERT_GT(links.RecordCount(), 100);
    std::pair<std::int64_t, std::int64_t> last{-1, -1};
    for (links.First(); !links.Eof(); links.Next()) {
        const std::pair row{links.FieldByName("Gyo").AsInteger(), links.FieldByName("Sel").AsInteger()};
        ASSERT_LT(last, row);
        last = row;
    }
}

// A table file cut short, copied over or renamed over while the reader runs:
// the next read reports the file, and the process runs on (it used to die of
// SIGBUS reading the mapped file). Renamed over, it is reported once while the
// old file is read on; a search on it is refused.
TEST_F(DataModules, AFileChangedUnderTheReaderIsReportedNotACrash)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::vector<std::tuple<const char*, std::function<void()>, int>> cases = {
        {"cut short", [] { ASSERT_EQ(truncate("E2.db", 65536), 0); }, 2},
        {"copied over", [] { fs::copy_file("E6.dl_", "E2.db", fs::copy_options::overwrite_existing); }, 2},
        {"copied over at its size and time", [] { ASSERT_EQ(fs::file_size("G2.db"), fs::file_size("E2.db"));
             const auto time = fs::last_write_time("E2.db");
             fs::copy_file("G2.db", "E2.db", fs::copy_options::overwrite_existing);
             fs::last_write_time("E2.db", time); }, 2},
        {"renamed over", [] { fs::copy_file("G2.db", "new.db"); fs::rename("new.db", "E2.db"); }, 1},
        // While a page is read: it and the next, which then starts what is
        // left of the file's map, read as zeros.
        {"cut short under a read", [] {
             sqlite3_file* file = nullptr;
             void* page = nullptr;
             sqlite3_file_control(db::OpenConnection("E2.db", db::Connection::Mode::Reader)->handle(),
                                  "main", SQLITE_FCNTL_FILE_POINTER, &file);
             ASSERT_EQ(file->pMethods->xFetch(file, 65536, 65536, &page), SQLITE_OK);
             ASSERT_EQ(truncate("E2.db", 65536), 0);
             ASSERT_EQ(static_cast<volatile char*>(page)[0] + static_cast<volatile char*>(page)[4096], 0);
         }, 2},
    };
    // The child ends without unwinding: its folders go by hand.
    const auto leave = [this] { fs::remove_all(SampleDataDir()); fs::remove_all(cwd_->Path()); };
    for (const auto& [what, change, messages] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EXIT(
            {
                Start();
                main_->show();
                ui::DBGrid& grid = *main_->SyohiDBGrid;
                grid.setFocus();
                change();
                // A search, then down in the grid, through the default error box as the program has it.
                JyobunEditKey1[Syohi]->SetText("税"_sj);
                platform::RunGuarded([&] { main_->BBtnKensaku->click(); });
                platform::RunGuarded([&] { QTest::keyClick(&grid, Qt::Key_Down); });
                for (const auto& shown : prompts_.shown)
                    std::fprintf(stderr, "%s\n", shown.second.c_str());
                std::fprintf(stderr, "%zu messages, row %d\n", prompts_.shown.size(),
                             houjin_->SMainTable.RecNo());
                std::fflush(stderr);
                leave();
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(0),
            "Cannot read E2.db: the file changed on disk while the reader had it open; start the reader "
            "again\n(.*\n)?" + std::to_string(messages) + " messages, row 1");
    }
    // Not the guard's, and still the end of the process (or of a sanitizer's
    // report): a bus error sent from outside, a fault in a map of another file.
    const auto ended = [](int) { return true; };
    EXPECT_EXIT({ Start(); leave(); kill(getpid(), SIGBUS); }, ended, "");
    EXPECT_EXIT(
        {
            Start();
            const int fd = open("E6.dl_", O_RDWR);
            const void* map = mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0);
            leave();
            ASSERT_EQ(ftruncate(fd, 0), 0);
            (void)*static_cast<const volatile char*>(map);
        },
        ended, "");
}

// Metadata alone moves a file's change time (a chmod, a backup's hard link,
// a rename away and back, a touch): its bytes are as opened and read on.
TEST_F(DataModules, AFileWhoseBytesAreAsOpenedIsReadOn)
{
    const std::vector<std::function<void()>> changes = {
        [] { ASSERT_EQ(chmod("E2.db", 0644), 0); },
        [] { fs::create_hard_link("E2.db", "E2.backup"); },
        [] { fs::rename("E2.db", "E2.old"); fs::rename("E2.old", "E2.db"); },
        [] { ASSERT_EQ(utimensat(AT_FDCWD, "E2.db", nullptr, 0), 0); }, // touch
    };
    for (std::size_t c = 0; c < changes.size(); ++c) {
        TearDown();
        SetUp();
        Start();
        changes[c]();
        JyobunEditKey1[Syohi]->SetText("税"_sj);
        platform::RunGuarded([&] { main_->BBtnKensaku->click(); });
        platform::RunGuarded([&] { JyobunMainSource[Syohi]->DataSet()->Next(); });
        EXPECT_TRUE(prompts_.shown.empty()) << c;
        EXPECT_EQ(houjin_->SSubTable.FieldByName("Gyo").AsInteger(),
                  JyobunMainSource[Syohi]->DataSet()->FieldByName("Gyo").AsInteger()) << c;
    }
}

// A book entry that cannot be read leaves no other entry in the view, and
// every later move says why.
TEST_F(DataModules, ABookEntryThatCannotBeReadIsNotShownUnderAnotherRow)
{
    Start();
    main_->show();
    fs::copy_file("F3.db", "F1.db", fs::copy_options::overwrite_existing);
    for (std::size_t move = 1; move <= 2; ++move) {
        QTest::keyClick(main_->SbooksDBGrid, Qt::Key_Down);
        ASSERT_EQ(prompts_.shown.size(), move);
        EXPECT_EQ(prompts_.shown.back().second, "Cannot read F1.db: the file changed on disk while the reader "
                                                "had it open; start the reader again");
        EXPECT_TRUE(main_->SbooksRichEdit->Text().empty());
    }
}

TEST_F(DataModules, ALaterTabIsNeitherNamedNorOpenedAfterAFailure)
{
    fs::remove("E4.db");
    Start();
    EXPECT_EQ(houjin_->SSubTable.TableName(), "E2.db");
    EXPECT_FALSE(houjin_->SSubTable.Active());
    EXPECT_EQ(houjin_->GMainTable.TableName(), "");
    EXPECT_EQ(houjin_->GTreeTable.TableName(), "");
    // The arrays were filled before the first table opened.
    EXPECT_EQ(JyobunSubTable[Gen], &houjin_->GSubTable);
    EXPECT_EQ(JyobunSQL[0], &houjin_->JyobunSQL0);
    EXPECT_TRUE(main_->SyohiRichEdit->Text().empty());
    EXPECT_TRUE(hbooks_->SbSubTable.Active()) << "the book module goes on";
}

TEST_F(DataModules, TheGridFollowsAResultAndTheTextFollowsTheGrid)
{
    Start();
    ui::DBGrid& grid = *main_->SyohiDBGrid;
    db::Query& q = resultOf(Syohi, "WHERE ( Honbun LIKE '%輸出%' ) "_sj);
    ASSERT_GT(q.RecordCount(), 2);
    JyobunMainSource[Syohi]->SetDataSet(&q);

    EXPECT_EQ(grid.model()->rowCount(), q.RecordCount());
    // The lookups give the result the main table's columns.
    ASSERT_TRUE(houjin_->SMainTable2.Locate("Gyo", {q.FieldByName("Gyo").AsValue()}));
    EXPECT_EQ(grid.model()->index(0, 0).data().toString(),
              sjis::toQString(houjin_->SMainTable2.FieldByName("Kubun").AsString()));
    EXPECT_EQ(grid.model()->index(0, 1).data().toString(),
              sjis::toQString(houjin_->SMainTable2.FieldByName("Title").AsString()));
    EXPECT_EQ(houjin_->SSubTable.FieldByName("Gyo").AsInteger(), q.FieldByName("Gyo").AsInteger());

    // A row chosen in the grid moves the text table and rebuilds the article.
    const std::string before = JyobunRtfCache[Syohi];
    grid.selectRow(2);
    const std::int64_t gyo = q.FieldByName("Gyo").AsInteger();
    EXPECT_EQ(houjin_->SSubTable.FieldByName("Gyo").AsInteger(), gyo);
    EXPECT_NE(JyobunRtfCache[Syohi], before);
    ASSERT_TRUE(houjin_->SMainTable2.Locate("Gyo", {db::Value(gyo)}));
    const std::string bangou = houjin_->SMainTable2.FieldByName("Bangou").AsString();
    EXPECT_NE(main_->SyohiRichEdit->Text().find(bangou), std::string::npos);
}

TEST_F(DataModules, TheAfterScrollGuardsKeepTreeAndArticleStill)
{
    Start();
    main_->show();
    ASSERT_TRUE(prompts_.shown.empty());
    ui::TreeView& tree = *main_->SyohiTreeView;
    db::Table& main = houjin_->SMainTable;
    const std::string first = JyobunRtfCache[Syohi];
    const int node = tree.Selected();

    LinkBusy = 1;
    main.Next();
    EXPECT_EQ(JyobunRtfCache[Syohi], first) << "no rebuild while a link is located";
    EXPECT_NE(tree.Selected(), node) << "the tree still follows";
    LinkBusy = 0;

    const int followed = tree.Selected();
    for (int* guard : {&TreeBusy[Syohi], &MemoLinkMode}) {
        *guard = 1;
        main.Next();
        EXPECT_EQ(tree.Selected(), followed);
        *guard = 0;
    }
    main.Next();
    EXPECT_NE(tree.Selected(), followed);
    EXPECT_NE(JyobunRtfCache[Syohi], first);
}

TEST_F(DataModules, ThePoolsSkipMembersOnShowAndWrap)
{
    Start();
    db::Query* first = JyobunSQLNext(Syohi);
    EXPECT_EQ(first, &houjin_->JyobunSQL0);
    EXPECT_EQ(first->Fields(2).LookupDataSet(), &houjin_->SMainTable);
    EXPECT_EQ(first->Fields(4).FieldName(), "Title");

    // Member 1 on show in the G tab is passed over by every tab.
    db::Query& shown = resultOf(Gen, "WHERE ( Honbun LIKE '%会社%' ) "_sj);
    EXPECT_EQ(&shown, &houjin_->JyobunSQL1);
    EXPECT_EQ(shown.Fields(3).LookupDataSet(), &houjin_->GMainTable);
    JyobunMainSource[Gen]->SetDataSet(&shown);
    EXPECT_EQ(JyobunSQLNext(Syohi), &houjin_->JyobunSQL2);
    for (int n = 3; n < JyobunSQLCount; ++n)
        JyobunSQLNext(Syohi);
    EXPECT_EQ(JyobunSQLNext(Syohi), &houjin_->JyobunSQL0) << "wraps after the fifteenth";
    EXPECT_EQ(JyobunSQLNext(Syohi), &houjin_->JyobunSQL2);

    // Handed out again, a member is closed and loses its rows.
    JyobunMainSource[Gen]->SetDataSet(&houjin_->GMainTable);
    for (int n = 0; n < JyobunSQLCount - 2; ++n)
        JyobunSQLNext(Syohi);
    EXPECT_TRUE(shown.Active());
    EXPECT_EQ(JyobunSQLNext(Syohi), &shown);
    EXPECT_FALSE(shown.Active());
    EXPECT_EQ(shown.Fields(3).LookupDataSet(), &houjin_->SMainTable);

    db::Query* book = BooksSQLNext(Sbooks);
    EXPECT_EQ(book, &hbooks_->BooksSQL0);
    book->SQL() = {"SELECT DISTINCT BookSeq,BookNo,BookRenban ", "FROM F1.db ", "ORDER BY BookSeq "};
    book->Open();
    BooksMainSource[Sbooks]->SetDataSet(book);
    // Every looked-up column of the first hit: short name, number, page, contents.
    QStringList row;
    for (int column = 0; column < 4; ++column)
        row << main_->SbooksDBGrid->model()->index(0, column).data().toString();
    EXPECT_EQ(row.join(u'|').toStdString(), "基通逐条解説|第１章|1|第１章　納税義務者");
    for (int n = 1; n < BooksSQLCount; ++n)
        EXPECT_NE(BooksSQLNext(Sbooks), book);
    EXPECT_EQ(BooksSQLNext(Sbooks), &hbooks_->BooksSQL1) << "wraps after the tenth, skipping 0";
}

} // namespace
