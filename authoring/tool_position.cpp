#include "authoring/tool_position.h"

#include "app/mainpas.h"
#include "authoring/hyper_launch.h"
#include "authoring/str_to_int.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/app/text_file.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "reader/kensaku.h"
#include "reader/rireki.h"

#include <string>
#include <vector>

namespace {

const char* const PositionFile = "C4.dl_";

// The dataset the grid of law tab i shows: its main table or a search result.
db::Dataset* GridDataSet(int i)
{
    return JyobunMainSource[i]->DataSet();
}

bool PresentLawTab(int i)
{
    return i >= 0 && i < JyobunTabCount && JyobunTabHidden[i] == 0;
}

} // namespace

void ToolHyperLinkOpen(int i)
{
    JyobunRichEdit[i]->setFocus();
    HyperLinkFormOpen(i);
}

void ToolNextData(int i)
{
    // A table that failed to open at start-up has no record to move to.
    db::Dataset* ds = GridDataSet(i);
    if (ds->Active())
        ds->Next();
    JyobunRichEdit[i]->setFocus();
}

void ToolSpecialSearch(int i)
{
    JyobunEditKey1[i]->SetText("＊－"_sj);
    JyobunEditKey2[i]->SetText("＊条"_sj);
    JyobunKeyWord1[i] = "－"_sj;
    JyobunKeyWord2[i] = "条"_sj;
    JyobunKensaku(i);
    JyobunRichEdit[i]->setFocus();
}

void PositionSave(int i)
{
    if (platform::AskYesNoPlain("現在の情報を保存しますか"_sj, "PositionSave Infomation") !=
        platform::Answer::Yes)
        return;
    // A table that failed to open raises its error here, before the file is touched.
    platform::SaveLines(PositionFile, {std::to_string(i), GridDataSet(i)->FieldByName("Gyo").AsString()});
}

void PositionReturn()
{
    if (!platform::FileExists(PositionFile))
        return;
    const std::vector<std::string> lines = platform::LoadLines(PositionFile);
    RirekiSave();
    // The file is only written from a present law tab; anything else cannot
    // be shown.
    if (lines.empty()) {
        platform::ShowMessage("保存データに移動できません"_sj);
        return;
    }
    TabNo = StrToInt(lines[0]);
    if (lines.size() < 2 || !PresentLawTab(TabNo)) {
        platform::ShowMessage("保存データに移動できません"_sj);
        return;
    }
    Main->MainPageControl->SetActivePage(JyobunTabSheet[TabNo]);
    db::Dataset* ds = GridDataSet(TabNo);
    if (!ds->Active() || !ds->Locate("Gyo", {lines[1]}))
        platform::ShowMessage("保存データに移動できません"_sj);
    JyobunRichEdit[TabNo]->setFocus();
}
