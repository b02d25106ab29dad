#include "platform/db/dataset.h"
#include "platform/db/grid_model.h"
#include "platform/text/sjis.h"
#include "platform/ui/db_grid.h"
#include "support/table_file.h"
#include "support/temp_dir.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTest>
#include <gtest/gtest.h>

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

} // namespace
