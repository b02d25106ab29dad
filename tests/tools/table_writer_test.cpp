// db::TableWriter: the table files it makes and what it refuses.
#include "mkdata_helpers.h"

#include "platform/db/table_writer.h"
#include "platform/text/sjis.h"

#include <gtest/gtest.h>

using namespace mkdata_test;
namespace fs = std::filesystem;

namespace {

TEST(TableWriter, WritesValuesAsTheirColumnsDeclare)
{
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    const db::TableDef def = {{{"ＫＥＹ"_sj, db::FieldType::Integer},
                               {"Page", db::FieldType::Float},
                               {"Name", db::FieldType::Text},
                               {"Body", db::FieldType::Memo}},
                              "ＫＥＹ"_sj,
                              {"Name;Page"}};
    {
        db::TableWriter w("表.db"_sj, def, folder);
        w.insert({std::int64_t(2), 12.5, "表ソ"_sj, std::string()});
        w.insert({std::int64_t(1), std::int64_t(3), std::string(), std::monostate()});
        w.commit();
    }
    const fs::path file = folder / "表.db";
    ASSERT_TRUE(fs::exists(file));
    const auto rows = query(file, "SELECT ＫＥＹ, Page, Name, Body FROM data ORDER BY rowid");
    ASSERT_EQ(rows.size(), 2u);
    // The primary key orders the rows.
    EXPECT_EQ(rows[0][0].i, 1);
    EXPECT_EQ(rows[0][1].type, SQLITE_FLOAT);
    EXPECT_EQ(rows[0][1].f, 3.0);
    // An empty text is an empty BLOB, a missing value NULL.
    EXPECT_EQ(rows[0][2].type, SQLITE_BLOB);
    EXPECT_EQ(rows[0][2].bytes, "");
    EXPECT_EQ(rows[0][3].type, SQLITE_NULL);
    // CP932 bytes stay as they are, a second byte 0x5C included.
    EXPECT_EQ(rows[1][2].type, SQLITE_BLOB);
    EXPECT_EQ(rows[1][2].bytes, "表ソ"_sj);
    EXPECT_EQ(rows[1][3].type, SQLITE_BLOB);
    EXPECT_EQ(query(file, "SELECT sql FROM sqlite_master WHERE type = 'index'")[0][0].bytes,
              "CREATE INDEX idx1 ON data (\"Name\", \"Page\")");
    EXPECT_FALSE(fs::exists(folder / "表.db-journal"));
}

TEST(TableWriter, RefusesWrongValuesAndLeavesNoHalfFile)
{
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    const db::TableDef def = {{{"Gyo", db::FieldType::Integer}, {"Title", db::FieldType::Text}}, "Gyo", {}};
    struct Case {
        const char* name;
        std::vector<db::Value> row;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"text in a number column", {std::string("1"), std::string("a")}, "a text for the number column Gyo"},
        {"number in a text column", {std::int64_t(1), std::int64_t(2)}, "a number for the text column Title"},
        {"fraction in an integer column", {0.5, std::string("a")}, "a fraction for the column Gyo"},
        {"beyond 32 bits", {std::int64_t(1) << 31, std::string("a")}, "does not fit the 32-bit column Gyo"},
        {"too few values", {std::int64_t(1)}, "a row of 1 values for 2 columns"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            db::TableWriter w("T.db", def, folder);
            w.insert(c.row);
            FAIL() << "accepted";
        } catch (const db::Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("T.db"), std::string::npos) << e.what();
        }
        EXPECT_FALSE(fs::exists(folder / "T.db"));
    }

    // A repeated primary key is the engine's complaint, with the file named.
    try {
        db::TableWriter w("T.db", def, folder);
        w.insert({std::int64_t(1), std::string("a")});
        w.insert({std::int64_t(1), std::string("b")});
        FAIL() << "accepted";
    } catch (const db::Error& e) {
        EXPECT_NE(std::string(e.what()).find("T.db: cannot insert a row"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(folder / "T.db"));

    // A folder that does not exist.
    EXPECT_THROW(db::TableWriter("T.db", def, folder / "missing"), db::Error);
}

TEST(TableWriter, ReplacesAnEarlierFile)
{
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    writeFile(folder / "T.db", "not a database");
    const db::TableDef def = {{{"Gyo", db::FieldType::Integer}}, {}, {}};
    db::TableWriter w("T.db", def, folder);
    w.insert({std::int64_t(7)});
    w.commit();
    EXPECT_EQ(scalar(folder / "T.db", "SELECT Gyo FROM data"), 7);
}

} // namespace
