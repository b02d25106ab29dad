#include "authoring/hyper_launch.h"

#include "authoring/hyperpas.h"
#include "authoring/str_to_int.h"
#include "data/namepas.h"
#include "platform/app/drives.h"
#include "platform/app/prompts.h"
#include "platform/app/text_file.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/edit.h"

#include <QGuiApplication>
#include <QScreen>

#include <array>

namespace {

const std::array<const char*, JyobunTabCount> Folders = {"YpHoujin", "YpSyohi", "YpGen",
                                                         "YpToku",   "YpZoku",  "YpMin"};

std::string FolderPath(int i, const char* sub)
{
    if (i < 0 || i >= JyobunTabCount)
        return {};
    return MasterDataRoot + "\\" + Folders[i] + sub;
}

bool DataPresent(int i)
{
    return platform::FileExists(platform::DrivePath(MasterJyobunPath(i) + "\\" + "条文本文.db"_sj));
}

// A discarded editor is never shown; it goes once the current event is handled.
void Discard(const std::string& message)
{
    platform::ShowMessage(message);
    HyperLink->deleteLater();
    HyperLink = nullptr;
    HyperLinkOpen = 0;
}

void Show(THyperLink& form)
{
    form.show();
    form.repaint();
    // A small screen shows little of the body: bring the place further up.
    if (QGuiApplication::primaryScreen()->geometry().height() < 700
        && form.DBRichEdit1->FirstVisibleLine() > 5)
        form.DBRichEdit1->LineScroll(5);
}

} // namespace

std::string MasterJyobunPath(int i)
{
    return FolderPath(i, "\\Jyobun\\Data");
}

std::string MasterCd12Path(int i)
{
    return FolderPath(i, "\\Cd12\\Data");
}

bool HyperLinkFormClose()
{
    return HyperLinkOpen != 1 || !HyperLink || HyperLink->close();
}

void HyperLinkFormOpen(int i)
{
    MasterDataRoot = "C:";
    if (!DataPresent(i)) {
        MasterDataRoot = "D:";
        if (!DataPresent(i)) {
            platform::ShowMessage("該当の条文データがセットされていません"_sj);
            return;
        }
    }
    if (HyperLinkOpen == 1) {
        platform::ShowMessage("すでにフォームが起動されています"_sj);
        if (HyperLink) {
            HyperLink->show();
            HyperLink->setWindowState(Qt::WindowMaximized);
            return;
        }
    }
    try {
        HyperLink = new THyperLink();
    } catch (...) {
        platform::ShowMessage("リンクフォームの起動に失敗しました"_sj);
        return;
    }
    THyperLink& form = *HyperLink;
    if (HyperLinkDeleted == 1) {
        Discard("該当の条文は削除されています"_sj);
        return;
    }
    if (JyobunRichEdit[i]->SelText().empty()) {
        Show(form);
        return;
    }
    if (form.Table2->Locate("ＫＥＹ;リンク条文番号;条件"_sj,
                            {std::int64_t{StrToInt(form.Edit3->Text())},
                             std::int64_t{StrToInt(form.Edit6->Text())}, form.Edit4->Text()})) {
        Discard("同一条件で既に登録されています"_sj);
        return;
    }
    if (form.Edit6->Text() == form.DBEdit3->Text() && form.Edit5->Text() == form.DBEdit8->Text()) {
        Discard("条文本文と同一です"_sj);
        return;
    }
    Show(form);
}
