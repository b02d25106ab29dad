#include "authoring/hyper_rows.h"

#include "authoring/hyperpas.h"
#include "authoring/str_to_int.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/page_control.h"

#include <QPushButton>

#include <climits>
#include <string>

namespace {

double GyoOf(db::Table& t)
{
    return t.FieldByName("行"_sj).AsFloat();
}

// The after-scroll handler keeps every row in edit state; a row reached
// otherwise (a locate that found the row already current) is put there too.
void EditRow(db::Table& t)
{
    if (t.EditState() == db::Table::State::Browse)
        t.Edit();
}

// After row g: the rows that follow renumbered when there is no gap, then
// the new row with the key `key`, posted.
void RowAppend(db::Table& t, int g, int k, const std::string& d, int key)
{
    long long gap = INT_MAX;
    if (!t.Eof()) {
        t.Next();
        if (!t.Eof())
            gap = static_cast<long long>(GyoOf(t)) - g;
    }
    if (gap < 2) {
        // Push the rows up to the next wide gap (or the table's end) to
        // consecutive values below it, so that a gap opens after row g.
        int steps = 0;
        double m = 0;
        for (;;) {
            const double before = GyoOf(t);
            ++steps;
            t.Next();
            if (t.Eof()) {
                m = before + 11;
                break;
            }
            if (GyoOf(t) - before >= 2) {
                m = GyoOf(t);
                t.Prior();
                break;
            }
        }
        for (int n = 0; n < steps; ++n) {
            EditRow(t);
            m -= 1;
            t.FieldByName("行"_sj).SetAsFloat(m);
            t.Prior();
        }
    }
    const int newGyo = gap < 11 ? g + 1 : k == 510 ? g + 5 : g + 10;

    t.Append();
    t.FieldByName("ＫＥＹ"_sj).SetAsInteger(key);
    t.FieldByName("行"_sj).SetAsFloat(newGyo);
    t.FieldByName("条文連番"_sj).SetAsInteger(k);
    t.FieldByName("条文区分"_sj).SetAsString(d);
    t.Post();
}

// The renumbering and the new row reach the file together or not at all;
// what was typed into the current row is posted before, on its own.
void RowAppendWhole(db::Table& t, int g, int k, const std::string& d, int key)
{
    t.StartTransaction();
    try {
        RowAppend(t, g, k, d, key);
        t.Commit();
    } catch (...) {
        t.Rollback();
        throw;
    }
}

} // namespace

void HyperKeyJump(THyperLink& form, std::string_view keyText)
{
    form.Table1->Locate("ＫＥＹ"_sj, {std::string(keyText)});
}

void HyperGyoJump(THyperLink& form, std::string_view gyoText)
{
    form.Table1->Locate("行"_sj, {std::string(gyoText)});
}

void HyperCodeFilter(THyperLink& form)
{
    db::Table& t = *form.Table1;
    t.Close(); // posts the row being edited; when it cannot, the filter stays
    if (form.Table3->Locate("条文区分"_sj, {form.ComboBox1->Text()})) {
        t.SetFilter("条文連番 = "_sj + form.Table3->FieldByName("連番"_sj).AsString());
        t.SetFiltered(true);
    } else {
        t.SetFilter("");
        t.SetFiltered(false);
    }
    t.Open();
}

void HyperRowAdd(THyperLink& form)
{
    db::Table& t = *form.Table1;
    const int g = StrToInt(form.DBEdit2->Text());
    const int k = StrToInt(form.DBEdit3->Text());
    const std::string d = form.DBEdit4->Text();
    const int key = form.HyperLastKey + 1;
    const std::int64_t current = t.FieldByName("ＫＥＹ"_sj).AsInteger();

    // 行 is the reader's key: the gap and the renumbering follow the whole
    // table's order, not the code filter's.
    const bool filtered = t.Filtered();
    if (filtered) {
        t.SetFiltered(false);
        t.Locate("ＫＥＹ"_sj, {current});
    }
    try {
        RowAppendWhole(t, g, k, d, key);
    } catch (...) {
        if (filtered) {
            t.SetFiltered(true);
            t.Locate("ＫＥＹ"_sj, {current});
        }
        throw;
    }
    form.HyperLastKey = key;
    t.SetFiltered(filtered);

    form.PageControl1->SetActivePage(form.TabSheet3);
    t.Locate("ＫＥＹ"_sj, {std::int64_t{key}});
    form.DBEdit7->setFocus();
    form.DBEdit5->setFocus();
}

void HyperRowDelete(THyperLink& form)
{
    if (platform::AskYesNo("データを削除して良いですか"_sj, "MainTable Delete") != platform::Answer::Yes)
        return;
    db::Table& t = *form.Table1;
    t.Delete();
    if (!t.Bof())
        t.Prior();
}

void HyperRowClear(THyperLink& form)
{
    if (platform::AskYesNo("表題、条文番号、本文をクリアーして良いですか"_sj, "MemoWindow States")
        != platform::Answer::Yes)
        return;
    db::Table& t = *form.Table1;
    EditRow(t);
    for (const char* field : {"表題", "条文本文", "条文内容"})
        t.FieldByName(sjis::fromUtf8(field)).SetAsString("");
    form.RowsShow();
}

void HyperKaiseiSet(THyperLink& form)
{
    const int date = StrToInt(sjis::fromQString(form.Button48->text()));
    db::Table& t = *form.Table1;
    EditRow(t);
    t.FieldByName("改正"_sj).SetAsInteger(date);
    form.DBEdit5->Reload();
}

bool HyperDigitKey(THyperLink& form, char& key)
{
    if (key == 13) {
        key = 0;
        db::Table& t = *form.Table1;
        const std::int64_t kaisei =
            t.Active() && !t.IsEmpty() ? t.FieldByName("改正"_sj).AsInteger() : 0;
        if (kaisei > 0) {
            KaiseiNo = static_cast<int>(kaisei);
            form.Button48->setText(QString::number(KaiseiNo));
        }
        return true;
    }
    if ((key < '0' || key > '9') && key != 8 && key != 27) {
        key = 0;
        platform::ShowMessage("半角数字しか入力出来ません"_sj);
    }
    return false;
}

bool HyperCodeLookup(THyperLink& form)
{
    const std::string code = form.DBEdit3->Text();
    if (code.empty())
        return true;
    if (form.Table3->Locate("連番"_sj, {code})) {
        form.DBEdit4->SetFieldText(form.Table3->FieldByName("条文区分"_sj).AsString());
        return true;
    }
    form.DBEdit4->SetFieldText("");
    platform::ShowMessage("該当の条文区分がありませんので再入力してください"_sj);
    return false;
}
