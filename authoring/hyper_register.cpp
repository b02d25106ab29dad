#include "authoring/hyper_register.h"

#include "authoring/hyperpas.h"
#include "authoring/reference_parser.h"
#include "authoring/str_to_int.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/text/sjis.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/edit.h"
#include "platform/ui/label.h"

#include <array>

namespace {

// Whether the first (or last) character of `text` is one of `chars`.
bool OneOf(std::string_view text, bool last, const std::string& chars)
{
    if (text.size() < 2)
        return false;
    const std::string_view ch = last ? text.substr(text.size() - 2) : text.substr(0, 2);
    for (std::size_t i = 0; i + 1 < chars.size(); i += 2)
        if (ch == std::string_view(chars).substr(i, 2))
            return true;
    return false;
}

} // namespace

void HyperLinkLabelSet(THyperLink& form)
{
    if (form.Table3->Locate("連番"_sj, {form.Edit6->Text()}))
        form.LinkLabel->SetCaption(form.Table3->FieldByName("条文区分"_sj).AsString());
    else
        form.LinkLabel->SetCaption("未登録"_sj);
}

void HyperProposalFill(THyperLink& form, const std::string& phrase)
{
    form.Edit3->SetText(form.DBEdit1->Text());
    form.Edit4->SetText(phrase);
    form.Edit6->SetText(HyperKubunNoHantei(phrase, form.HyperTabNo, form.HyperJyobunKubunNo));
    form.Edit5->SetText(HyperJyobunBangouGet(phrase, form.Edit6->Text()));
    HyperLinkLabelSet(form);
}

bool HyperTsutatsuCheck(std::string_view code)
{
    static const std::array<std::string_view, 11> circulars = {
        "40", "50", "80", "140", "190", "240", "290", "340", "350", "740", "750"};
    for (std::string_view c : circulars)
        if (code == c)
            return true;
    return false;
}

std::string HyperLinkRefusal(const LinkEntry& entry, const ArticleRow& row,
                             const std::function<bool(int key, int code)>& duplicate)
{
    const std::string jyo = "条"_sj;
    const std::string dai = "第"_sj;
    const std::string& j = entry.jyoken;
    const std::string& h = entry.honbun;
    if (sjis::contains(j, jyo) && !sjis::contains(j, dai))
        return "条文に、「第」がありません"_sj;
    if (sjis::contains(j, dai) && !sjis::contains(j, "別表"_sj) && !sjis::contains(j, jyo))
        return "条文に、「条」がありません"_sj;
    if (j.size() > 100)
        return "条件は、全角５０文字以内です"_sj;
    if (h.size() > 100)
        return "リンク条文本文は、全角５０文字以内です"_sj;
    if (entry.key != row.key)
        return "ＫＥＹデータが正しく入力されていません"_sj;
    if (entry.key.empty() || j.empty() || h.empty() || entry.code.empty())
        return "データが正しく入力されていません"_sj;
    if (entry.code == row.kubunNo && h == row.bangou)
        return "条文本文と同一です"_sj;
    if (duplicate(StrToInt(entry.key), StrToInt(entry.code)))
        return "同一条件で既に登録されています"_sj;
    if (!OneOf(h, false, "１２３４５６７８９附別経付"_sj))
        return "リンク条文本文の最初のデータがおかしいです"_sj;
    if (!OneOf(h, true, "０１２３４５６７８９条）"_sj))
        return "リンク条文本文の最終データがおかしいです"_sj;
    if (HyperTsutatsuCheck(entry.code) && sjis::contains(h, jyo))
        return "通達に「条」が含まれています"_sj;
    if (HyperTsutatsuCheck(entry.code) && sjis::contains(h, dai))
        return "通達に「第」が含まれています"_sj;
    return {};
}

void HyperLinkRegister(THyperLink& form, bool closeAfter)
{
    const LinkEntry entry{form.Edit3->Text(), form.Edit4->Text(), form.Edit5->Text(), form.Edit6->Text()};
    const ArticleRow row{form.DBEdit1->Text(), form.DBEdit3->Text(), form.DBEdit8->Text()};
    db::Table& links = *form.Table2;
    const std::string refusal = HyperLinkRefusal(entry, row, [&](int key, int code) {
        return links.Locate("ＫＥＹ;リンク条文番号;条件"_sj,
                            {std::int64_t{key}, std::int64_t{code}, entry.jyoken});
    });
    if (!refusal.empty()) {
        platform::ShowMessage(refusal);
        return;
    }
    links.Append();
    try {
        links.FieldByName("ＫＥＹ"_sj).SetAsInteger(StrToInt(entry.key));
        links.FieldByName("リンク条文番号"_sj).SetAsInteger(StrToInt(entry.code));
        links.FieldByName("条件"_sj).SetAsString(entry.jyoken);
        links.FieldByName("リンク条文本文"_sj).SetAsString(entry.honbun);
        links.Post();
    } catch (...) {
        // The page still holds the link: a row left pending would be posted
        // by the next press's duplicate check, which then refuses it.
        links.Cancel();
        throw;
    }
    links.Refresh();
    HyperKubunNo = entry.code;
    if (closeAfter)
        form.close();
    else
        platform::ShowMessage("「"_sj + entry.jyoken + "」をリンク登録しました"_sj);
}

void HyperLinkDelete(THyperLink& form)
{
    if (platform::AskYesNo("データを削除して良いですか"_sj, "LinkTable Delete") != platform::Answer::Yes)
        return;
    db::Table& links = *form.Table2;
    links.Delete();
    if (!links.Bof())
        links.Prior();
}
