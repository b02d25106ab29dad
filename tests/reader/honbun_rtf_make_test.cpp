// HonbunRtfMake through the globals, over real table files, and the
// scratch-file load.
#include "reader/honbun_rtf_make.h"

#include "data/namepas.h"
#include "platform/db/table_writer.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "reader/honbun_rtf.h"
#include "reader/scratch_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int Tab = Syohi;

class HonbunRtfMakeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        NamepasReset();
        writeTables();
        main_.SetTableName("E1.db");
        source_.SetDataSet(&main_);
        text_.SetTableName("E2.db");
        text_.SetIndexFieldNames("Gyo");
        text_.SetMasterSource(&source_);
        text_.SetMasterFields("Gyo");
        links_.SetTableName("E4.db");
        links_.SetIndexFieldNames("Gyo;Sel");
        JyobunMainTable[Tab] = &main_;
        JyobunMainSource[Tab] = &source_;
        JyobunSubTable[Tab] = &text_;
        JyobunLinkTable[Tab] = &links_;
        JyobunRichEdit[Tab] = &view_;
        view_.SetReadOnly(true);
        main_.Open();
        links_.Open();
        text_.Open();
    }
    void TearDown() override { NamepasReset(); }

    static void writeTables()
    {
        db::TableWriter main("E1.db", db::layout::lawMain());
        main.insert({1, 110, "消法"_sj, "１条"_sj, "第一条"_sj});
        main.insert({2, 110, "消法"_sj, "２条"_sj, "第二条"_sj});
        main.insert({3, 140, "消基通"_sj, "１－１"_sj, "１－１"_sj});
        main.commit();
        db::TableWriter text("E2.db", db::layout::lawText());
        text.insert({1, 110, "この法律は\r\n１　前条"_sj});
        text.insert({2, 110, "法律の規定"_sj});
        text.insert({3, 140, "第一条の二\r\n１　項\r\n　一　号\r\n二　この法律"_sj});
        text.commit();
        db::TableWriter links("E4.db", db::layout::lawLink());
        // Article 2: 法律 (0..3) and の (4..5) touch and show as one span;
        // the row of article 3 right after must not extend it.
        for (int sel : {0, 1, 2, 3})
            links.insert({2, sel, 1, 1});
        for (int sel : {4, 5})
            links.insert({2, sel, 3, 1});
        links.insert({3, 6, 1, 1});
        links.insert({3, 7, 1, 1});
        links.commit();
    }

    TempDir cwd_;
    db::Table main_{"SMainTable"};
    db::DataSource source_{"SMainSource"};
    db::Table text_{"SSubTable"};
    db::Table links_{"SLinkTable"};
    ui::RichEdit view_;
};

std::string expected(const std::string& honbun, std::vector<LinkSpan> spans, const std::string& key1,
                     int kubunNo, RtfMode mode)
{
    LinkSpanList links(std::move(spans));
    return HonbunRtfBuild(honbun, key1, {}, kubunNo, links, mode);
}

TEST_F(HonbunRtfMakeTest, DisplayModeFillsViewAndCache)
{
    JyobunKeyWord1[Tab] = "法律"_sj;
    HonbunRtfMake(Tab);
    EXPECT_EQ(JyobunRtfCache[Tab],
              expected("この法律は\r\n１　前条"_sj, {}, "法律"_sj, 110, RtfMode::Display));
    // The view shows the text byte for byte, so link positions hold.
    EXPECT_TRUE(view_.Text().starts_with(HonbunText("この法律は\r\n１　前条"_sj)));

    main_.Next();
    HonbunRtfMake(Tab);
    EXPECT_EQ(JyobunRtfCache[Tab], expected("法律の規定"_sj, {{1, 7}}, "法律"_sj, 110, RtfMode::Display));
    EXPECT_NE(JyobunRtfCache[Tab].find("\\cf3\\ul "), std::string::npos);
    EXPECT_TRUE(view_.Text().starts_with(HonbunText("法律の規定"_sj)));
    EXPECT_TRUE(MemoRtfStream.empty());
}

TEST_F(HonbunRtfMakeTest, MemoModeLeavesTheTabAlone)
{
    JyobunKeyWord1[Tab] = "法律"_sj;
    HonbunRtfMake(Tab);
    const std::string shown = JyobunRtfCache[Tab];
    const std::string viewText = view_.Text();

    // As a link click prepares it: the text table unbound and on the target.
    text_.Close();
    text_.SetMasterFields("");
    text_.SetMasterSource(nullptr);
    text_.Open();
    ASSERT_TRUE(text_.Locate("Gyo", {db::Value(std::int64_t{3})}));
    MemoLinkMode = 1;
    HonbunRtfMake(Tab);
    MemoLinkMode = 0;

    // The target's own document code (140, flush left) and links, no key words.
    EXPECT_EQ(MemoRtfStream, expected("第一条の二\r\n１　項\r\n　一　号\r\n二　この法律"_sj, {{7, 9}}, {},
                                      140, RtfMode::Memo));
    EXPECT_EQ(MemoRtfStream.find("\\cf1 "), std::string::npos);
    EXPECT_EQ(JyobunRtfCache[Tab], shown);
    EXPECT_EQ(view_.Text(), viewText);
}

TEST(ScratchFileLoad, LoadsThroughTheFileAndDeletesIt)
{
    TempDir cwd;
    ui::RichEdit view;
    view.SetReadOnly(true);
    LinkSpanList none;
    const std::string doc = HonbunRtfBuild("第一条\r\n本文"_sj, {}, {}, 10, none, RtfMode::Display);
    ScratchFileLoad(view, db::StringList{doc});
    EXPECT_TRUE(view.Text().starts_with("第一条\r\n本文\r\n"_sj));
    EXPECT_TRUE(view.ReadOnly());
    EXPECT_FALSE(fs::exists("C2.dl_"));

    ui::RichEdit copy;
    copy.SetReadOnly(true);
    ScratchFileLoad(copy, view);
    EXPECT_EQ(copy.Text(), view.Text());
    EXPECT_TRUE(copy.ReadOnly());
    EXPECT_FALSE(fs::exists("C2.dl_"));
}

TEST(ScratchFileLoad, RescuesADocumentTheDirectLoadRefuses)
{
    TempDir cwd;
    ui::RichEdit view;
    view.SetReadOnly(true);
    LinkSpanList none;
    std::string doc = HonbunRtfBuild("第一条\r\n本文"_sj, {}, {}, 10, none, RtfMode::Display);
    doc.pop_back(); // cut off before its last brace
    EXPECT_THROW(view.LoadRichText(doc), ui::RichTextError);
    ScratchFileLoad(view, db::StringList{doc});
    EXPECT_TRUE(view.Text().starts_with("第一条\r\n本文\r\n"_sj));
    EXPECT_TRUE(view.ReadOnly());
    EXPECT_FALSE(fs::exists("C2.dl_"));
}

TEST(ScratchFileLoad, UnwritableFileIsAnError)
{
    TempDir cwd;
    fs::create_directory("C2.dl_"); // a folder in the file's place
    ui::RichEdit view;
    view.SetReadOnly(true);
    EXPECT_THROW(ScratchFileLoad(view, db::StringList{"x"}), std::runtime_error);
    EXPECT_TRUE(view.ReadOnly());
}

} // namespace
