#include "authoring/hyper_search.h"

#include "authoring/hyperpas.h"
#include "platform/app/prompts.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_edit.h"

namespace {

void NotFound()
{
    platform::ShowMessage("該当なし"_sj);
}

// A found text joins the history unless it is the last one there already.
void HistoryAdd(ui::ComboBox& combo, const std::string& text)
{
    std::vector<std::string> items = combo.Items();
    if (!items.empty() && items.back() == text)
        return;
    items.push_back(text);
    combo.SetItems(items);
    combo.SetText(text);
}

void Search(THyperLink& form, std::string_view mode)
{
    ui::DBRichEdit& editor = *form.DBRichEdit1;
    const std::string t = form.ComboBox2->Text();
    if (t.empty() || editor.Text().empty()) {
        NotFound();
        return;
    }
    const bool onward = mode == "後半検索"_sj;
    const int from = onward ? editor.SelStart() + editor.SelLength() : 0;
    const int p = editor.FindText(t, from, -1);
    const int length = static_cast<int>(t.size());
    if (p >= 1) {
        HistoryAdd(*form.ComboBox2, t);
        editor.SetSelStart(p);
        editor.SetSelLength(length);
        return;
    }
    // No match, or one at the very start: walking on has passed the last one.
    if (onward && (editor.SelStart() != 0 || editor.SelText() == t)) {
        NotFound();
        return;
    }
    editor.SetSelStart(0);
    editor.SetSelLength(length);
    if (editor.SelText() == t)
        return;
    editor.SetSelLength(0);
    NotFound();
}

} // namespace

const std::vector<std::string>& HyperSearchHistory()
{
    static const std::vector<std::string> history = {
        "第項"_sj,     "第条"_sj,     "第号"_sj,     "第項第号"_sj, "法第条"_sj, "法第条第項第号"_sj,
        "同条第項"_sj, "同項第号"_sj, "前条第項"_sj, "前項第号"_sj, "（以下この条項号"_sj};
    return history;
}

void HyperHonbunKensaku(THyperLink& form, std::string_view mode)
{
    Search(form, mode);
    form.DBRichEdit1->setFocus();
}

bool HyperSelectionToSearch(THyperLink& form)
{
    const std::string selected = form.DBRichEdit1->SelText();
    if (selected.empty()) {
        platform::ShowMessage("選択文字がありません"_sj);
        form.DBRichEdit1->setFocus();
        return false;
    }
    form.ComboBox2->SetText(selected);
    return true;
}

void HyperKouJump(THyperLink& form, const std::string& number)
{
    ui::DBRichEdit& editor = *form.DBRichEdit1;
    editor.setFocus();
    const std::string n = number + "　"_sj;
    if (editor.Text().empty()) {
        NotFound();
        return;
    }
    if (n == "１　"_sj) {
        editor.SetSelStart(0);
        return;
    }
    const int p = editor.FindText("\r\n" + n, 0, -1);
    if (p < 1) {
        NotFound();
        return;
    }
    editor.SetSelStart(p + 2);
    editor.SetSelLength(static_cast<int>(n.size()));
}
