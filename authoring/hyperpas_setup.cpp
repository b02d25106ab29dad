// The link editor's life: set-up over the authoring tables of the active law
// tab, the first place shown, closing and the column widths.
#include "authoring/hyper_launch.h"
#include "authoring/hyper_register.h"
#include "authoring/hyperpas.h"
#include "app/mainpas.h"
#include "app/tab_dispatch.h"
#include "data/namepas.h"
#include "platform/app/application.h"
#include "platform/app/drives.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/page_control.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <stdexcept>

void THyperLink::FormCreate()
{
    HyperLinkDeleted = 0;
    HyperTabNo = JyobunTabIndex(Main->MainPageControl->ActivePage());
    if (HyperTabNo < 0)
        throw std::runtime_error("HyperLink: no law tab is active");
    db::Dataset& shown = *JyobunMainSource[HyperTabNo]->DataSet();
    HyperGyo = static_cast<int>(shown.FieldByName("Gyo").AsInteger());
    HyperJyobunKubunNo = static_cast<int>(shown.FieldByName("KubunNo").AsInteger());

    const std::string jyobun = platform::DrivePath(MasterJyobunPath(HyperTabNo));
    Table1->SetDatabaseName(jyobun);
    Table2->SetDatabaseName(jyobun);
    Table4->SetDatabaseName(platform::DrivePath(MasterCd12Path(HyperTabNo)));
    Table3->SetDatabaseName(platform::DrivePath(MasterDataRoot + "\\YpSyohi\\Main\\Data"));

    Table4->SetIndexFieldNames("行"_sj);
    Table4->Open();
    if (!Table4->Locate("行"_sj, {std::int64_t{HyperGyo}})) {
        HyperLinkDeleted = 1;
        return;
    }
    HyperKey = static_cast<int>(Table4->FieldByName("ＫＥＹ"_sj).AsInteger());
    Table3->Open();
    Table1->SetIndexFieldNames("ＫＥＹ"_sj);
    Table1->Open();
    Table1->Last();
    HyperLastKey = static_cast<int>(Table1->FieldByName("ＫＥＹ"_sj).AsInteger());
    Table1->Close();
    Table1->SetIndexFieldNames("行"_sj);
    Table1->Open();
    Table2->Open();

    Button48->setText(QString::number(KaiseiNo));
    // Centred at its own size for when it is not maximised.
    adjustSize();
    move(QGuiApplication::primaryScreen()->availableGeometry().center() - rect().center());
    setWindowState(Qt::WindowMaximized);

    if (!Table1->Locate("ＫＥＹ"_sj, {std::int64_t{HyperKey}})) {
        HyperLinkDeleted = 1;
        return;
    }
    const ui::ComboBox& scope = *JyobunComboBox[HyperTabNo];
    ComboBox1->SetItems(scope.Items());
    ComboBox1->SetDropDownCount(scope.DropDownCount());
    ComboBox1->SetText("全範囲"_sj);
    HyperLinkOpen = 1;

    HyperJyoken = JyobunRichEdit[HyperTabNo]->SelText();
    if (!HyperJyoken.empty())
        HyperProposalFill(*this, HyperJyoken);
}

void THyperLink::FormShow()
{
    PageControl1->SetActivePage(TabSheet3);
    Table1->Locate("ＫＥＹ"_sj, {std::int64_t{HyperKey}});
    if (!HyperJyoken.empty())
        PageControl1->SetActivePage(TabSheet2);

    // The bytes that precede the body in the main window's text of the
    // article: marks, 【official name】, number, "　", heading, CR LF.
    const ui::RichEdit& main = *JyobunRichEdit[HyperTabNo];
    int h = static_cast<int>(DBEdit7->Text().size() + DBEdit8->Text().size()) + 8;
    if (Table3->Locate("連番"_sj, {DBEdit3->Text()}))
        h += static_cast<int>(Table3->FieldByName("正式名"_sj).AsString().size());
    else
        h += 8;
    const std::string mainText = main.Text();
    for (std::size_t pos : {0, 2, 4, 6}) {
        const std::string ch = mainText.substr(std::min(pos, mainText.size()), 2);
        for (const char* mark : {"＊", "○", "☆", "×"})
            if (ch == sjis::fromUtf8(mark))
                h += 2;
    }

    ui::DBRichEdit& editor = *DBRichEdit1;
    editor.setFocus();
    const int c = main.SelStart();
    editor.SetSelStart(h < c ? c - h : 0);

    if (QGuiApplication::primaryScreen()->geometry().height() > 700) {
        int n = main.FirstVisibleLine() - 3;
        if (!sjis::contains(editor.Text(), "｜"_sj))
            n += editor.SelStart() / 500;
        if (n > 0)
            editor.LineScroll(n);
    }
    const int length = static_cast<int>(editor.Text().size());
    int k = 6;
    while (length < editor.SelStart() + k && k > 0)
        k -= 2;
    if (k > 0)
        editor.SetSelLength(k);
}

bool THyperLink::FormClose()
{
    // The pending edits of both tables are posted, on whatever row; one that
    // cannot be posted shows its error and keeps the form open.
    if (!platform::RunGuarded([this] {
            Table2->Post();
            Table1->Post();
        }))
        return false;
    hide();
    HyperLinkOpen = 0;
    deleteLater();
    return true;
}

void THyperLink::FormResize()
{
    int others = 0;
    for (int c = 0; c + 1 < DBGrid2->ColumnCount(); ++c)
        others += DBGrid2->ColumnWidth(c);
    DBGrid2->SetColumnWidth(DBGrid2->ColumnCount() - 1, DBGrid2->width() - others - 41);
    others = 0;
    for (int c = 0; c < DBGrid1->ColumnCount(); ++c)
        if (c != 1)
            others += DBGrid1->ColumnWidth(c);
    DBGrid1->SetColumnWidth(1, DBGrid1->width() - others - 38);
}
