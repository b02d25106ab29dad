// The article is built once per action: a search with a hit and show-all
// each move the grid through several states, and only the last one is shown.
#include "search_window.h"

#include "reader/tab_reset.h"

namespace {

TEST_F(SearchWindow, SearchAndShowAllBuildTheArticleOnce)
{
    // Every after-scroll of the text table builds the article.
    int builds = 0;
    db::Table& text = *JyobunSubTable[Syohi];
    text.AfterScroll = [&builds, build = text.AfterScroll](db::Dataset& ds) {
        ++builds;
        build(ds);
    };
    const std::string word = "課税"_sj;
    const std::string red = "{\\cf1 " + word + "}";
    Activate(main_->SyohiTab);
    // Away from the first row, where unfiltering the main table would move it.
    JyobunMainTable[Syohi]->MoveTo(3);

    builds = 0;
    LawSearch(Syohi, word);
    db::Dataset* result = JyobunMainSource[Syohi]->DataSet();
    ASSERT_NE(result, JyobunMainTable[Syohi]);
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(text.FieldByName("Gyo").AsInteger(), result->FieldByName("Gyo").AsInteger());
    EXPECT_NE(JyobunRtfCache[Syohi].find(red), std::string::npos);

    result->MoveTo(2);
    const std::int64_t g = result->FieldByName("Gyo").AsInteger();
    builds = 0;
    JyobunOpenAll(Syohi);
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);
    EXPECT_EQ(text.FieldByName("Gyo").AsInteger(), g);
    EXPECT_NE(JyobunRtfCache[Syohi].find(red), std::string::npos);
}

} // namespace
