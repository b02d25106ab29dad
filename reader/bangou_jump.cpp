#include "reader/bangou_jump.h"

#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "reader/kensaku.h"
#include "reader/panel_layout.h"
#include "reader/scope.h"

#include <vector>

namespace {

// The selected item of the tab's scope combo; empty with none selected.
std::string scopeLabel(int i)
{
    const ui::ComboBox* combo = JyobunComboBox[i];
    const int index = combo->ItemIndex();
    const std::vector<std::string> items = combo->Items();
    return index >= 0 && index < static_cast<int>(items.size()) ? items[index] : std::string();
}

// Start of the character right before `pos` (a character boundary), or npos
// at the start of the text.
std::size_t charBefore(std::string_view s, std::size_t pos)
{
    std::size_t prev = sjis::npos;
    for (std::size_t p = 0; p < pos; p += sjis::charLength(s, p))
        prev = p;
    return prev;
}

bool containsAny(std::string_view s, std::initializer_list<std::string> words)
{
    for (const std::string& w : words)
        if (sjis::contains(s, w))
            return true;
    return false;
}

} // namespace

std::string BangouNormalize(std::string_view typed, std::string_view scope)
{
    const bool kyuSyouhou = scope == "旧商法"_sj;
    std::string s = SuujiZenkaku(typed);
    if (!sjis::contains(s, "附則"_sj) && !sjis::contains(s, "別表"_sj))
        s = sjis::replaceAll(s, "第"_sj, "");
    s = sjis::replaceAll(s, "-", "－"_sj);
    s = sjis::replaceAll(s, "ー"_sj, "－"_sj);
    // The branch mark as the stored numbers write it.
    const std::string branch = kyuSyouhou ? "ノ"_sj : "の"_sj;
    s = sjis::replaceAll(s, kyuSyouhou ? "の"_sj : "ノ"_sj, branch);
    s = sjis::replaceAll(s, "ﾉ"_sj, branch);

    const std::string jou = "条"_sj;
    if (!sjis::contains(s, "－"_sj)) {
        const std::size_t at = sjis::find(s, branch);
        if (at != sjis::npos) {
            const std::size_t before = charBefore(s, at);
            if (before == sjis::npos || s.compare(before, at - before, jou) != 0)
                s.insert(at, jou);
        }
    }
    if (!containsAny(s, {"－"_sj, jou, "別表"_sj, "付表"_sj, "経過的取扱"_sj}) && scope != "財基通"_sj)
        s += jou;
    return s;
}

void JyobunBangouJump(int i)
{
    ui::Edit& edit = *JyobunEditBangou[i];
    if (edit.Text().empty()) {
        platform::ShowMessage("条文番号を入力してください"_sj);
        return;
    }
    const std::string bangou = BangouNormalize(edit.Text(), scopeLabel(i));
    edit.SetText(bangou);

    db::Table& main = *JyobunMainTable[i];
    db::DataSource& source = *JyobunMainSource[i];
    if (source.DataSet() == &main) {
        // Within whatever scope filter the main table carries.
        if (!main.Locate("Bangou", {bangou}))
            platform::ShowMessage("該当の条文はありません"_sj);
        return;
    }
    JyobunJumpHanniFilter(i);
    if (!main.Locate("Bangou", {bangou})) {
        platform::ShowMessage("該当の条文はありません"_sj);
        return;
    }
    source.SetDataSet(&main);
    JyobunGridWidthSet(i);
    main.Locate("Bangou", {bangou});
}
