#include "reader/book_jump.h"

#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/app/system.h"
#include "platform/text/sjis.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "reader/panel_layout.h"
#include "reader/rireki.h"
#include "reader/scope.h"
#include "reader/tab_reset.h"

#include <string_view>

void BooksPageJump(int b)
{
    const std::string page = BooksEditPage[b]->Text();
    if (page.empty()) {
        platform::ShowMessage("ページ番号を入力してください"_sj);
        return;
    }
    db::Table& main = *BooksMainTable[b];
    // The typed text is the table's to convert; one that is no number finds nothing.
    const std::vector<db::Value> key{db::Value(page)};
    if (BooksMainSource[b]->DataSet() == &main) {
        // Whatever scope filter the main table carries stays in force.
        if (!main.Locate("BookPage", key))
            platform::ShowMessage("該当の文献目次はありません"_sj);
        return;
    }
    // From a search result: the selected scope narrows the main table first.
    BooksJumpHanniFilter(b);
    if (!main.Locate("BookPage", key)) {
        platform::ShowMessage("該当の文献目次はありません"_sj);
        return;
    }
    BooksMainSource[b]->SetDataSet(&main);
    BooksGridWidthSet(b);
    main.Locate("BookPage", key);
}

void BooksKanrenOpen(int b)
{
    db::Dataset& shown = *BooksMainSource[b]->DataSet();
    if (!shown.Active() || shown.IsEmpty())
        return;
    const db::Value seq = shown.FieldByName("BookSeq").AsInteger();
    db::Table& jump = *BooksJumpTable[b];
    if (jump.Locate("BookSeq", {seq})) {
        const db::Value gyo = jump.FieldByName("Gyo").AsInteger();
        const std::int64_t z = jump.FieldByName("Zeimoku").AsInteger();
        // A target that is no present law tab is not followed, nor is the
        // entry's web address.
        if (z < 0 || z >= JyobunTabCount || JyobunTabHidden[z] != 0)
            return;
        const int tab = static_cast<int>(z);
        RirekiSave();
        JyobunTabSheet[tab]->Owner()->SetActivePage(JyobunTabSheet[tab]);
        JyobunClear(tab);
        JyobunReset(tab);
        if (!JyobunMainTable[tab]->Locate("Gyo", {gyo}))
            platform::ShowMessage("該当の条文はありません"_sj);
        return;
    }
    db::Table& urls = *BooksUrlTable[b];
    if (urls.Locate("BookSeq", {seq}))
        platform::Sys().OpenDocument(urls.FieldByName("Url").AsString());
}

bool BooksPageKeyAllowed(char key)
{
    constexpr std::string_view accepted = "0123456789.";
    return key == 8 || key == 27 || accepted.find(key) != std::string_view::npos;
}
