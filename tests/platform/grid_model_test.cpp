#include "platform/db/dataset.h"
#include "platform/db/grid_model.h"
#include "platform/text/sjis.h"
#include "platform/ui/db_grid.h"
#include "support/prompt_log.h"
#include "support/scripted_prompts.h"
#include "support/table_file.h"
#include "support/temp_dir.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

QStringList modelWarnings;

void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        modelWarnings << message;
}

class Grid : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<Row> rows;
        for (std::int64_t g = 1; g <= 40; ++g)
            rows.push_back({g, g < 20 ? std::int64_t{110} : std::int64_t{140}, "消法"_sj,
                            "第"_sj + std::to_string(g) + "条"_sj});
        using db::FieldType;
        WriteTableFile("E1.db",
                       {{{"Gyo", FieldType::Integer},
                         {"KubunNo", FieldType::Integer},
                         {"Kubun", FieldType::Text},
                         {"Title", FieldType::Text}},
                        "Gyo",
                        {}},
                       rows);
        main_.SetTableName("E1.db");
        source_.SetDataSet(&main_);
        query_.SQL() = {"SELECT DISTINCT Gyo,KubunNo FROM E1.db WHERE ( KubunNo = 140 ) ORDER BY Gyo "};
        query_.AddDataField("Gyo", db::FieldType::Integer);
        query_.AddDataField("KubunNo", db::FieldType::Integer);
        query_.AddLookupField("Title", db::FieldType::Text, "Gyo", "Gyo", "Title");
        query_.FieldByName("Title").SetLookupDataSet(&main_);
    }

    TempDir dir_;
    db::Table main_;
    db::Query query_;
    db::DataSource source_;
};

TEST_F(Grid, ModelPassesTheModelTester)
{
    db::GridModel model;
    model.AddColumn({"区分"_sj, "Kubun", 60, Qt::AlignLeft | Qt::AlignVCenter});
    model.AddColumn({"条文番号＆表題"_sj, "Title", 200, Qt::AlignLeft | Qt::AlignVCenter});
    model.AddColumn({"No", "KubunNo", 40, Qt::AlignRight | Qt::AlignVCenter});
    modelWarnings.clear();
    const auto previous = qInstallMessageHandler(recordWarning);
    {
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
        model.SetDataSource(&source_);
        EXPECT_EQ(model.rowCount(), 0); // not open yet
        main_.Open();
        EXPECT_EQ(model.rowCount(), 40);
        EXPECT_EQ(model.data(model.index(2, 1)).toString(), QStringLiteral("第3条"));
        EXPECT_EQ(model.data(model.index(2, 2)).toString(), QStringLiteral("110"));
        EXPECT_EQ(model.data(model.index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                  Qt::AlignRight | Qt::AlignVCenter);
        EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), sjis::toQString("条文番号＆表題"_sj));
        main_.Next();
        EXPECT_EQ(model.headerData(1, Qt::Vertical).toString(), QString(QChar(0x25B6)));
        EXPECT_EQ(model.headerData(0, Qt::Vertical).toString(), QString());

        query_.Open();
        source_.SetDataSet(&query_); // the query has no Kubun: that column stays empty
        EXPECT_EQ(model.rowCount(), 21);
        EXPECT_EQ(model.data(model.index(0, 0)).toString(), QString());
        EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("第20条"));
        query_.SetFilter("Gyo > 35");
        query_.SetFiltered(true);
        EXPECT_EQ(model.rowCount(), 5);
        query_.Close();
        EXPECT_EQ(model.rowCount(), 0);
        source_.SetDataSet(&main_);
        EXPECT_EQ(model.rowCount(), 40);
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(modelWarnings.isEmpty()) << modelWarnings.join(QLatin1Char('\n')).toStdString();
}

// A column whose cells cannot be read (the lookup table lacks the field)
// stays empty and is reported once, not on every repaint.
TEST_F(Grid, ACellThatCannotBeReadIsReportedOnce)
{
    query_.AddLookupField("Bangou", db::FieldType::Text, "Gyo", "Gyo", "Bangou");
    query_.FieldByName("Bangou").SetLookupDataSet(&main_);
    main_.Open();
    query_.Open();
    source_.SetDataSet(&query_);
    ui::DBGrid grid;
    grid.AddColumn("条文番号"_sj, "Bangou", 100);
    grid.AddColumn("条文番号＆表題"_sj, "Title", 100);
    grid.SetDataSource(&source_);
    PromptLog prompts;
    grid.resize(300, 200);
    grid.show();
    for (int paint = 0; paint < 3; ++paint) {
        grid.viewport()->repaint();
        QApplication::processEvents();
    }
    using Shown = std::pair<platform::PromptKind, std::string>;
    EXPECT_EQ(prompts.shown, (std::vector<Shown>{{platform::PromptKind::Error, "Field 'Bangou' not found in E1.db"}}));
    EXPECT_EQ(grid.model()->index(0, 0).data().toString(), QString());
    EXPECT_EQ(grid.model()->index(0, 1).data().toString(), QStringLiteral("第20条"));
}

TEST_F(Grid, CurrentRowFollowsBothWays)
{
    ui::DBGrid grid;
    grid.AddColumn("区分"_sj, "Kubun", 60);
    grid.AddColumn("条文番号＆表題"_sj, "Title", 200);
    grid.SetDataSource(&source_);
    EXPECT_EQ(grid.DataSource(), &source_);
    EXPECT_EQ(grid.ColumnCount(), 2);
    grid.resize(400, 300);
    grid.show();
    main_.Open();
    EXPECT_EQ(grid.ColumnWidth(1), 200);
    grid.SetColumnWidth(1, 150);
    EXPECT_EQ(grid.ColumnWidth(1), 150);
    for (int narrow : {0, -20}) { // a width worked out from a grid too narrow
        grid.SetColumnWidth(1, narrow);
        EXPECT_GT(grid.ColumnWidth(1), 0) << narrow;
    }
    grid.SetColumnWidth(1, 150);

    ASSERT_TRUE(main_.Locate("Gyo", {std::int64_t{35}}));
    EXPECT_EQ(grid.currentIndex().row(), 34);
    EXPECT_TRUE(grid.viewport()->rect().intersects(grid.visualRect(grid.currentIndex())));

    int scrolled = 0;
    main_.AfterScroll = [&](db::Dataset&) { ++scrolled; };
    grid.setCurrentIndex(grid.model()->index(36, 0)); // keyboard or click
    EXPECT_EQ(main_.RecNo(), 36);
    EXPECT_EQ(scrolled, 1);
    const QRect cell = grid.visualRect(grid.model()->index(35, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(main_.FieldByName("Gyo").AsInteger(), 36);

    main_.DisableControls();
    main_.First();
    EXPECT_EQ(grid.currentIndex().row(), 35); // the grid waits
    main_.EnableControls();
    EXPECT_EQ(grid.currentIndex().row(), 0); // and catches up once

    query_.Open();
    source_.SetDataSet(&query_);
    EXPECT_EQ(grid.model()->rowCount(), 21);
    EXPECT_EQ(grid.currentIndex().row(), 0);
    EXPECT_EQ(grid.ColumnWidth(1), 150); // widths survive a switch
}

constexpr std::int64_t operator""_i(unsigned long long v)
{
    return static_cast<std::int64_t>(v);
}

// A writable link table with a lookup of its code's label, as the link
// editor shows it.
class EditingGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory("auth");
        using db::FieldType;
        WriteTableFile("auth/links.db",
                       {{{"KEY", FieldType::Integer}, {"Code", FieldType::Integer}, {"Phrase", FieldType::Text}},
                        {},
                        {"KEY"}},
                       {{1_i, 110_i, "第１条"_sj}, {2_i, 120_i, "第２条"_sj}, {3_i, 130_i, "第３条"_sj}});
        WriteTableFile("auth/master.db",
                       {{{"No", FieldType::Integer}, {"Label", FieldType::Text}}, {}, {}},
                       {{110_i, "消法"_sj}, {120_i, "消令"_sj}});
        for (db::Table* t : {&links_, &master_})
            t->SetDatabaseName("auth");
        links_.SetTableName("links.db");
        links_.SetIndexFieldNames("KEY");
        links_.SetReadOnly(false);
        links_.AddLookupField("Label", db::FieldType::Text, "Code", "No", "Label");
        links_.FieldByName("Label").SetLookupDataSet(&master_);
        master_.SetTableName("master.db");
        master_.Open();
        links_.Open();
        source_.SetDataSet(&links_);
    }

    // Phrase and Code of every row as the file holds them.
    std::vector<std::string> file()
    {
        db::Table fresh;
        fresh.SetDatabaseName("auth");
        fresh.SetTableName("links.db");
        fresh.SetIndexFieldNames("KEY");
        fresh.Open();
        std::vector<std::string> out;
        for (; !fresh.Eof(); fresh.Next())
            out.push_back(fresh.FieldByName("Code").AsString() + ":" + fresh.FieldByName("Phrase").AsString());
        return out;
    }

    TempDir dir_;
    db::Table master_;
    db::Table links_;
    db::DataSource source_;
};

TEST_F(EditingGrid, CellsEditPostAndRefuse)
{
    db::GridModel model;
    model.AddColumn({"KEY", "KEY", 36, Qt::AlignLeft, true});
    model.AddColumn({"Code", "Code", 53, Qt::AlignLeft});
    model.AddColumn({"Phrase", "Phrase", 200, Qt::AlignLeft});
    model.AddColumn({"Label", "Label", 52, Qt::AlignLeft});
    model.SetDataSource(&source_);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    for (int c = 0; c < 4; ++c)
        EXPECT_EQ((model.flags(model.index(0, c)) & Qt::ItemIsEditable) != 0, c == 1 || c == 2) << c;
    EXPECT_EQ(model.data(model.index(1, 3)).toString(), sjis::toQString("消令"_sj));
    EXPECT_EQ(model.data(model.index(1, 2), Qt::EditRole).toString(), sjis::toQString("第２条"_sj));

    // An edit puts the table into edit state on the cell's row; the grid
    // shows it at once, the file gets it when it is posted.
    ASSERT_TRUE(model.setData(model.index(1, 2), sjis::toQString("第２条の２"_sj)));
    ASSERT_TRUE(model.setData(model.index(1, 1), QStringLiteral("110")));
    EXPECT_EQ(links_.RecNo(), 1);
    EXPECT_EQ(links_.EditState(), db::Table::State::Edit);
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), sjis::toQString("第２条の２"_sj));
    EXPECT_EQ(model.data(model.index(1, 3)).toString(), sjis::toQString("消法"_sj));
    EXPECT_EQ(file()[1], "120:"_sj + "第２条"_sj);
    EXPECT_TRUE(model.submit());
    EXPECT_EQ(links_.EditState(), db::Table::State::Browse);
    EXPECT_EQ(file()[1], "110:"_sj + "第２条の２"_sj);

    // An edit on another row leaves (and posts) the row being edited.
    ASSERT_TRUE(model.setData(model.index(0, 2), QStringLiteral("A")));
    ASSERT_TRUE(model.setData(model.index(2, 2), QStringLiteral("C")));
    EXPECT_EQ(file()[0], "110:A");
    EXPECT_EQ(links_.RecNo(), 2);
    const QSignalSpy shownAnew(&model, &QAbstractItemModel::dataChanged);
    links_.Cancel();
    EXPECT_EQ(shownAnew.size(), 1);
    EXPECT_EQ(model.data(model.index(2, 2)).toString(), sjis::toQString("第３条"_sj));

    // A code that is no integer is refused with the message; the row is as it was.
    {
        ScriptedPrompts prompts;
        prompts.Expect(platform::PromptKind::Error, "'1x0' is not a valid integer value for field 'Code'");
        EXPECT_FALSE(model.setData(model.index(2, 1), QStringLiteral("1x0")));
    }
    EXPECT_EQ(links_.EditState(), db::Table::State::Browse);
    EXPECT_EQ(model.data(model.index(2, 1)).toString(), QStringLiteral("130"));
    // Read-only and lookup columns refuse, as does everything over a read-only table.
    EXPECT_FALSE(model.setData(model.index(2, 0), QStringLiteral("9")));
    EXPECT_FALSE(model.setData(model.index(2, 3), QStringLiteral("x")));
    links_.Close();
    links_.SetReadOnly(true);
    links_.Open();
    EXPECT_FALSE(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.index(0, 2), QStringLiteral("x")));
    EXPECT_EQ(file(), (std::vector<std::string>{"110:A", "110:"_sj + "第２条の２"_sj, "130:"_sj + "第３条"_sj}));
}

// Typing into a cell and Enter post the row; reader grids open no editor.
TEST_F(EditingGrid, TypingAndEnterPost)
{
    ui::DBGrid grid;
    grid.AddColumn("KEY", "KEY", 36);
    grid.AddColumn("Phrase", "Phrase", 200);
    grid.SetColumnReadOnly(0, true);
    grid.SetDataSource(&source_);
    grid.resize(400, 200);
    grid.show();
    QApplication::setActiveWindow(&grid);
    grid.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));

    grid.setCurrentIndex(grid.model()->index(2, 0));
    QTest::keyClick(&grid, Qt::Key_F2); // the KEY column stays shut
    EXPECT_EQ(QApplication::focusWidget(), &grid);

    grid.setCurrentIndex(grid.model()->index(2, 1));
    QTest::keyClick(&grid, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Z"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(links_.EditState(), db::Table::State::Browse);
    EXPECT_EQ(file()[2], "130:Z");
    EXPECT_EQ(links_.RecNo(), 2);

    // Edited, then left by a click on another row: posted, and the click's row is current.
    grid.setCurrentIndex(grid.model()->index(0, 1));
    QTest::keyClick(&grid, Qt::Key_F2);
    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Y"));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(1, 1)).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(file()[0], "110:Y");
    EXPECT_EQ(links_.RecNo(), 1);

    links_.Close();
    links_.SetReadOnly(true);
    links_.Open();
    grid.setCurrentIndex(grid.model()->index(1, 1));
    QTest::keyClick(&grid, Qt::Key_F2);
    QTest::keyClicks(&grid, QStringLiteral("Q"));
    EXPECT_EQ(QApplication::focusWidget(), &grid);
}

} // namespace
