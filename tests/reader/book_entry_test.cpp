// The entry pane of a book tab: title line, contents line and the colours of
// the key words, over table files made for it.
#include "reader/book_entry.h"

#include "data/namepas.h"
#include "platform/db/table_writer.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "support/temp_dir.h"

#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int Tab = Sbooks;

class BookEntry : public ::testing::Test {
protected:
    void SetUp() override
    {
        NamepasReset();
        db::TableWriter entries("F1.db", db::layout::bookMain());
        entries.insert({1, 1, 1, "基通"_sj, "１"_sj, 2.0, "　　二つの空白"_sj});
        entries.insert({2, 1, 1, "基通"_sj, "２"_sj, 3.0, "　一つの空白と課税売上と課税"_sj});
        entries.insert({3, 20, 2, "事例"_sj, "３"_sj, 4.5, "版の欠けた本"_sj});
        entries.insert({4, 30, 1, "名なし"_sj, "４"_sj, 5.0, "名前の行がない本"_sj});
        entries.insert({5, 1, 1, "基通"_sj, "５"_sj, 6.0, "abc Abc ABC"});
        entries.commit();
        db::TableWriter names("F3.db", db::layout::bookName());
        names.insert({1, 1, "消費税の課税解説"_sj, "第２版"_sj, "見本出版"_sj});
        names.insert({20, 2, "事例集"_sj, ""_sj, "見本社"_sj});
        names.commit();

        main_.SetTableName("F1.db");
        source_.SetDataSet(&main_);
        entry_.SetTableName("F1.db");
        entry_.SetIndexFieldNames("BookSeq");
        entry_.SetMasterSource(&source_);
        entry_.SetMasterFields("BookSeq");
        entry_.AfterScroll = [](db::Dataset&) { BooksHonbunShow(Tab); };
        names_.SetTableName("F3.db");
        BooksSubTable[Tab] = &entry_;
        BooksNameTable[Tab] = &names_;
        BooksRichEdit[Tab] = &view_;
        view_.SetReadOnly(true);
        main_.Open();
        names_.Open();
    }
    void TearDown() override { NamepasReset(); }

    void show(int seq)
    {
        if (!entry_.Active())
            entry_.Open();
        ASSERT_TRUE(main_.Locate("BookSeq", {db::Value(std::int64_t{seq})}));
    }

    // The text colour of every character of the view, in display order.
    std::vector<QColor> colours() const
    {
        std::vector<QColor> out;
        for (QTextBlock b = view_.document()->begin(); b.isValid(); b = b.next()) {
            if (b != view_.document()->begin())
                out.push_back(QColor()); // the line break
            for (auto it = b.begin(); !it.atEnd(); ++it)
                for (int n = 0; n < it.fragment().length(); ++n)
                    out.push_back(it.fragment().charFormat().foreground().color());
        }
        return out;
    }

    TempDir cwd_;
    db::Table main_{"SbMainTable"};
    db::DataSource source_{"SbMainSource"};
    db::Table entry_{"SbSubTable"};
    db::Table names_{"SbNameTable"};
    ui::RichEdit view_;
};

TEST_F(BookEntry, TitleLineAndContentsLine)
{
    struct Case {
        int seq;
        std::string text;
    };
    const Case cases[] = {
        // Only one leading ideographic blank goes.
        {1, "消費税の課税解説　第２版　見本出版\r\n　二つの空白"_sj},
        {2, "消費税の課税解説　第２版　見本出版\r\n一つの空白と課税売上と課税"_sj},
        // An empty part still has its blanks.
        {3, "事例集　　見本社\r\n版の欠けた本"_sj},
        // No name row: no title rather than another book's.
        {4, "\r\n名前の行がない本"_sj},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seq);
        show(c.seq);
        EXPECT_EQ(view_.Text(), c.text);
    }
}

TEST_F(BookEntry, KeyWordTwoMagentaThenKeyWordOneRedEverywhere)
{
    const QColor red(255, 0, 0), magenta(255, 0, 255);

    show(2);
    for (const QColor& c : colours())
        EXPECT_NE(c, red);

    BooksKeyWord1[Tab] = "課税"_sj;
    BooksKeyWord2[Tab] = "課税売上"_sj;
    BooksHonbunShow(Tab);
    // 消費税の課税解説 / 一つの空白と課税売上と課税, by character.
    const QString shown = view_.toPlainText();
    const std::vector<QColor> got = colours();
    ASSERT_EQ(got.size(), static_cast<std::size_t>(shown.size()));
    std::vector<QColor> expected(got.size(), QColor());
    auto mark = [&](const QString& word, const QColor& colour, int from) {
        const int at = shown.indexOf(word, from);
        EXPECT_GE(at, 0) << word.toStdString();
        for (int n = 0; n < word.size(); ++n)
            expected[at + n] = colour;
        return at + static_cast<int>(word.size());
    };
    mark(QStringLiteral("課税"), red, 0);
    const int second = shown.indexOf(QLatin1Char('\n'));
    int after = mark(QStringLiteral("課税"), red, second);
    mark(QStringLiteral("売上"), magenta, after);
    mark(QStringLiteral("課税"), red, after);
    for (std::size_t n = 0; n < got.size(); ++n) {
        if (expected[n].isValid())
            EXPECT_EQ(got[n], expected[n]) << n;
        else
            EXPECT_TRUE(got[n] != red && got[n] != magenta) << n;
    }

    // Key word 1 alone; then none: the pane is plain again.
    BooksKeyWord1[Tab].clear();
    BooksHonbunShow(Tab);
    const std::vector<QColor> keyWord2Only = colours();
    EXPECT_EQ(std::count(keyWord2Only.begin(), keyWord2Only.end(), magenta), 4);
    BooksKeyWord2[Tab].clear();
    BooksHonbunShow(Tab);
    for (const QColor& c : colours())
        EXPECT_TRUE(c != red && c != magenta);
    EXPECT_EQ(view_.SelStart(), 0);

    // The find runs without options: a Latin key word matches in any case.
    BooksKeyWord1[Tab] = "ABC";
    show(5);
    const std::vector<QColor> anyCase = colours();
    EXPECT_EQ(std::count(anyCase.begin(), anyCase.end(), red), 9);
}

} // namespace
