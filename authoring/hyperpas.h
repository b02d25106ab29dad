// The link editor of developer builds: the article rows of one law tab's
// authoring tables, their link definitions, and the body editor with its
// search. The handlers call the logic in hyper_rows.h, hyper_register.h and
// hyper_search.h; the form owns its four tables.
#pragma once

#include "platform/db/dataset.h"

#include <QWidget>

#include <string>
#include <vector>

class QAction;
class QMenu;
class QPushButton;

namespace ui {
class ComboBox;
class DBEdit;
class DBGrid;
class DBRichEdit;
class Edit;
class Label;
class PageControl;
class Panel;
class TabSheet;
} // namespace ui

class THyperLink : public QWidget {
    Q_OBJECT
public:
    // Builds the form and runs FormCreate; throws when the set-up fails.
    THyperLink();
    ~THyperLink() override;

    void FormCreate();
    void FormShow();
    // Showing runs FormShow once the window manager has mapped the form at
    // its maximised size: the body's first place depends on the editor's size.
    void setVisible(bool visible) override;
    // False when the form stays open: an edit could not be posted.
    bool FormClose();
    void FormResize();
    void Button5Click();
    void Table1AfterScroll();
    void Edit1KeyPress(char& key);
    void Edit2KeyPress(char& key);
    void DBEdit3Click(ui::Edit& sender);
    void ComboBox1Change();
    void Button4Click();
    void Button3Click();
    void Button6Click();
    void Button48Click();
    void DBEdit5KeyPress(char& key);
    void DBEdit3KeyPress(char& key);
    void DBEdit3Exit();
    void DBEdit4KeyPress(char& key);
    void DBEdit8KeyPress(char& key);
    void Button7Click();
    void Paste2Click();
    // Registration and link list.
    void Button1Click(QPushButton& sender);
    void Button39Click();
    void Button8Click(QPushButton& sender);
    void Button38Click();
    void Edit6KeyPress(char& key);
    void Edit6Exit();
    void Button2Click();
    // Body search and paragraph jump.
    void Button63Click(QPushButton& sender);
    void K1Click();
    void L1Click();
    void J1Click();
    void Button57Click();
    void ComboBox2KeyPress(char& key);
    void DBRichEdit1KeyPress(char& key);
    void Button55Click(QPushButton& sender);
    void Button72Click();
    void Edit8KeyPress(char& key);
    void Button73Click();
    // The data-aware controls show the current row again (after the program
    // changed its fields).
    void RowsShow();

    // Set at creation.
    int HyperTabNo = 0;
    int HyperGyo = 0;
    int HyperJyobunKubunNo = 0;
    int HyperKey = 0;
    int HyperLastKey = 0;
    std::string HyperJyoken;

    db::Table* Table1 = nullptr; // 条文本文.db (Jyobun): article rows
    db::Table* Table2 = nullptr; // リンク条文.DB: link definitions, detail of Table1
    db::Table* Table3 = nullptr; // マスタ条文.DB: document master
    db::Table* Table4 = nullptr; // 条文本文.db (Cd12): Gyo to ＫＥＹ
    db::DataSource* DataSource1 = nullptr;
    db::DataSource* DataSource2 = nullptr;

    // Article row.
    ui::Panel* Panel1 = nullptr;
    QPushButton* Button6 = nullptr;  // Clear
    QPushButton* Button3 = nullptr;  // 削　除
    QPushButton* NavFirst = nullptr; // record navigation over Table1
    QPushButton* NavPrior = nullptr;
    QPushButton* NavNext = nullptr;
    QPushButton* NavLast = nullptr;
    QPushButton* NavCancel = nullptr;
    QPushButton* Button4 = nullptr;  // 追　加
    QPushButton* Button48 = nullptr; // 改　正　日
    QPushButton* Button7 = nullptr;  // SpecialPaste
    QPushButton* Button5 = nullptr;  // 閉じる
    ui::Edit* Edit1 = nullptr;       // KeyJump
    ui::Edit* Edit2 = nullptr;       // GyoJump
    ui::ComboBox* ComboBox1 = nullptr;
    ui::DBEdit* DBEdit1 = nullptr; // ＫＥＹ
    ui::DBEdit* DBEdit2 = nullptr; // 行
    ui::DBEdit* DBEdit3 = nullptr; // 条文連番
    ui::DBEdit* DBEdit4 = nullptr; // 条文区分
    ui::DBEdit* DBEdit5 = nullptr; // 改正
    ui::DBEdit* DBEdit6 = nullptr; // 番号のみ
    ui::DBEdit* DBEdit7 = nullptr; // 表題
    ui::DBEdit* DBEdit8 = nullptr; // 条文本文 (条文番号)

    ui::PageControl* PageControl1 = nullptr;
    // 条文一覧
    ui::TabSheet* TabSheet3 = nullptr;
    ui::DBGrid* DBGrid2 = nullptr;
    ui::ComboBox* ComboBox2 = nullptr;
    QPushButton* Button63 = nullptr; // 全対象検索
    QPushButton* Button64 = nullptr; // 後半検索
    QPushButton* Button57 = nullptr; // クリアー
    std::vector<QPushButton*> KouButtons; // １ .. １０
    ui::Edit* Edit8 = nullptr;
    QPushButton* Button72 = nullptr; // Jump
    QPushButton* Button73 = nullptr; // Clear
    // リンク一覧
    ui::TabSheet* TabSheet1 = nullptr;
    ui::DBGrid* DBGrid1 = nullptr;
    QPushButton* Button2 = nullptr; // リンク削除
    QPushButton* Button9 = nullptr; // 閉じる
    // リンク登録
    ui::TabSheet* TabSheet2 = nullptr;
    ui::Edit* Edit3 = nullptr; // ＫＥＹ
    ui::Edit* Edit4 = nullptr; // 条件
    ui::Edit* Edit5 = nullptr; // リンク条文本文
    ui::Edit* Edit6 = nullptr; // リンク条文番号
    ui::Label* LinkLabel = nullptr;
    std::vector<QPushButton*> CodeButtons; // the 59 codes
    QPushButton* Button38 = nullptr; // 同
    QPushButton* Button39 = nullptr; // 変　換
    QPushButton* Button1 = nullptr;  // 登　録
    QPushButton* Button10 = nullptr; // 登録２
    QPushButton* Button11 = nullptr; // 閉じる
    QPushButton* RegPrior = nullptr; // record navigation over Table1
    QPushButton* RegNext = nullptr;

    ui::DBRichEdit* DBRichEdit1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste2 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* K1 = nullptr;
    QAction* L1 = nullptr;
    QAction* J1 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeArticlePanel();
    void MakeListPage();
    void MakeLinkListPage();
    void MakeRegisterPage();
    void MakeBodyEditor();
    void Connect();
    void EnterMovesOn(ui::Edit* edit);
    void ReleaseTables();
};
