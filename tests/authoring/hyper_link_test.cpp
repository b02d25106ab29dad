// The link editor over a copy of the sample authoring set mapped as drive C:
// (and D:): opening and its refusals, article rows, link registration and
// the link list, the body search and the paragraph jump, and what its edits
// leave in the files.
#include "app/app_fixture.h"

#include "authoring/hyper_launch.h"
#include "authoring/hyper_register.h"
#include "authoring/hyperpas.h"
#include "platform/app/drives.h"
#include "platform/db/table_writer.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/edit.h"
#include "platform/ui/label.h"
#include "platform/ui/page_control.h"
#include "support/desktop_input.h"
#include "support/table_file.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using platform::Answer;
using platform::PromptKind;
namespace fs = std::filesystem;

class HyperLinkEditor : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* drive : {"c", "d"})
            fs::create_directory(fs::path(dir_.Path()) / drive);
        oldC_ = platform::SetDriveFolder('C', fs::path(dir_.Path()) / "c");
        oldD_ = platform::SetDriveFolder('D', fs::path(dir_.Path()) / "d");
        CreateMain(ApplicationTitleText(true));
        main_->show();
        main_->MainPageControl->SetActivePage(JyobunTabSheet[Syohi]);
    }
    void TearDown() override
    {
        delete HyperLink;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::SetDriveFolder('C', oldC_);
        platform::SetDriveFolder('D', oldD_);
        MainWindowTest::TearDown();
    }

    // The sample authoring set on a drive.
    void Install(const char* drive)
    {
        fs::copy(fs::path(dir_.Path()) / "authoring", fs::path(dir_.Path()) / drive,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    std::string SyohiFolder(const char* drive, const char* sub) const
    {
        return (fs::path(dir_.Path()) / drive / "YpSyohi" / sub / "Data").string();
    }
    // The article of this Gyo in the main window, with `phrase` of its text
    // selected when given.
    void Article(int gyo, const std::string& phrase = {})
    {
        ASSERT_TRUE(JyobunMainSource[Syohi]->DataSet()->Locate("Gyo", {std::int64_t{gyo}}));
        ui::RichEdit& view = *JyobunRichEdit[Syohi];
        if (phrase.empty())
            return;
        const int at = view.FindText(phrase, 0, -1);
        ASSERT_GE(at, 0);
        view.SetSelStart(at);
        view.SetSelLength(static_cast<int>(phrase.size()));
    }
    THyperLink& Open()
    {
        HyperLinkFormOpen(Syohi);
        EXPECT_NE(HyperLink, nullptr);
        return *HyperLink;
    }
    static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    fs::path oldC_, oldD_;
};

TEST_F(HyperLinkEditor, NoDataOnEitherDriveSaysSo)
{
    prompts_.Expect(PromptKind::Message, "該当の条文データがセットされていません"_sj);
    HyperLinkFormOpen(Syohi);
    EXPECT_EQ(HyperLink, nullptr);
    EXPECT_EQ(HyperLinkOpen, 0);
}

TEST_F(HyperLinkEditor, DriveCIsPreferredAndDIsTheFallback)
{
    Install("d");
    Article(20);
    JyobunRichEdit[Syohi]->SetSelStart(800); // the body's place is far down
    THyperLink& onD = Open();
    EXPECT_EQ(MasterDataRoot, "D:");
    EXPECT_EQ(onD.Table1->DatabaseName(), sjis::fromUtf8(SyohiFolder("d", "Jyobun")));
    EXPECT_EQ(onD.Table3->DatabaseName(), sjis::fromUtf8(SyohiFolder("d", "Main")));
    EXPECT_TRUE(onD.isVisible());
    QCoreApplication::processEvents(); // whatever the window system still had to say
    EXPECT_TRUE(onD.DBRichEdit1->viewport()->rect().contains(onD.DBRichEdit1->cursorRect()));
    EXPECT_EQ(onD.PageControl1->ActivePage(), onD.TabSheet3);
    EXPECT_EQ(onD.DBEdit1->Text(), "2");
    EXPECT_EQ(onD.DBEdit8->Text(), "２条"_sj);
    EXPECT_EQ(HyperLinkOpen, 1);
    // The form fits the screen, and the grid of the rows it opens on gives
    // 表題 the width its other columns leave.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(onD.width(), screen.width());
    EXPECT_LE(onD.height(), screen.height());
    ui::DBGrid& rows = *onD.DBGrid2;
    const std::vector<std::pair<std::string, int>> columns = {
        {"ＫＥＹ"_sj, 34}, {"行"_sj, 53},       {"条文連番"_sj, 53},  {"条文区分"_sj, 54},
        {"改正"_sj, 49},   {"番号のみ"_sj, 54}, {"条文番号"_sj, 165}, {"表題"_sj, 0}};
    ASSERT_EQ(rows.ColumnCount(), 8);
    int others = 0;
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(rows.model()->headerData(c, Qt::Horizontal).toString(), sjis::toQString(columns[c].first));
        if (c < 7) { // 表題 takes the rest of the width
            EXPECT_EQ(rows.ColumnWidth(c), columns[c].second) << c;
            others += columns[c].second;
        }
    }
    EXPECT_EQ(rows.ColumnWidth(7), rows.width() - others - 41);
    EXPECT_GT(rows.ColumnWidth(7), 0);
    onD.close();
    Flush();
    EXPECT_EQ(HyperLink, nullptr);
    EXPECT_EQ(HyperLinkOpen, 0);

    Install("c");
    THyperLink& onC = Open();
    EXPECT_EQ(MasterDataRoot, "C:");
    EXPECT_EQ(onC.Table4->DatabaseName(), sjis::fromUtf8(SyohiFolder("c", "Cd12")));
    // A second call shows the open editor instead of a new one.
    prompts_.Expect(PromptKind::Message, "すでにフォームが起動されています"_sj);
    HyperLinkFormOpen(Syohi);
    EXPECT_EQ(HyperLink, &onC);
}

TEST_F(HyperLinkEditor, PopupItemsOpenTheEditorOnTheActiveLawTab)
{
    Install("c");
    Article(30);
    main_->HyperLinkAction->trigger();
    ASSERT_NE(HyperLink, nullptr);
    EXPECT_EQ(HyperLink->HyperTabNo, Syohi);
    EXPECT_EQ(HyperLink->HyperGyo, 30);
    EXPECT_EQ(HyperLink->DBEdit1->Text(), "3");
}

TEST_F(HyperLinkEditor, RefusalsDiscardTheEditor)
{
    Install("c");
    struct Case {
        const char* name;
        int gyo;
        const char* phrase;
        const char* message;
    };
    const Case cases[] = {
        // The sample registers every link of its texts.
        {"duplicate", 20, "第６条第１項", "同一条件で既に登録されています"},
        {"self link", 60, "第６条", "条文本文と同一です"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Article(c.gyo, sjis::fromUtf8(c.phrase));
        prompts_.Expect(PromptKind::Message, sjis::fromUtf8(c.message));
        HyperLinkFormOpen(Syohi);
        EXPECT_EQ(HyperLink, nullptr);
        EXPECT_EQ(HyperLinkOpen, 0);
        Flush();
    }

    // An article missing from the runtime rows was deleted from the authoring data.
    db::TableWriter(sjis::fromUtf8("条文本文.db"), db::layout::authoringArticle(),
                    fs::path(SyohiFolder("c", "Cd12")))
        .commit();
    prompts_.Expect(PromptKind::Message, "該当の条文は削除されています"_sj);
    HyperLinkFormOpen(Syohi);
    EXPECT_EQ(HyperLink, nullptr);
    EXPECT_EQ(HyperLinkOpen, 0);
}

TEST_F(HyperLinkEditor, SelectionFillsTheProposal)
{
    Install("c");
    Article(20, "第２９条"_sj); // no link of ２条 has this phrase
    THyperLink& form = Open();
    EXPECT_EQ(form.PageControl1->ActivePage(), form.TabSheet2);
    EXPECT_EQ(form.Edit3->Text(), "2");
    EXPECT_EQ(form.Edit4->Text(), "第２９条"_sj);
    EXPECT_EQ(form.Edit6->Text(), "110");
    EXPECT_EQ(form.Edit5->Text(), "２９条"_sj);
    EXPECT_EQ(form.LinkLabel->Caption(), "消法"_sj);
}

// The 行 of every row in reading order.
std::vector<double> Gyos(db::Table& t)
{
    std::vector<double> gyos;
    const int f = t.FieldByName("行"_sj).Index();
    for (int row = 0; row < t.RecordCount(); ++row)
        gyos.push_back(std::get<double>(t.ValueAt(row, f)));
    return gyos;
}

TEST_F(HyperLinkEditor, AddingRowsOpensAGap)
{
    struct Case {
        std::vector<double> gyos; // the first row (ＫＥＹ 1) is current
        int code;
        std::vector<double> after;
        bool filtered = false; // rows after the first of another code, the view filtered to 消法
    };
    const Case cases[] = {
        {{100, 150}, 110, {100, 110, 150}},
        {{100, 105}, 110, {100, 101, 105}},
        {{100}, 110, {100, 110}},
        {{100}, 510, {100, 105}},
        {{100, 101, 102, 103, 110}, 110, {100, 101, 107, 108, 109, 110}},
        {{100, 101, 102, 103}, 110, {100, 101, 111, 112, 113}},
        {{100, 110}, 110, {100, 101}, true},
    };
    Install("c");
    Article(10);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after.size());
        {
            db::TableWriter rows("条文本文.db"_sj, db::layout::authoringArticle(), SyohiFolder("c", "Jyobun"));
            int key = 1;
            for (double g : c.gyos)
                rows.insert({std::int64_t{key++}, std::int64_t{c.filtered && g > c.gyos[0] ? 120 : c.code}, g,
                             "消法"_sj, "１条"_sj, "", "", "", std::int64_t{110630}, std::int64_t{1}, 0.0, ""});
            rows.commit();
        }
        THyperLink& form = Open();
        if (c.filtered) {
            form.ComboBox1->lineEdit()->selectAll();
            CommitText(*form.ComboBox1->lineEdit(), QStringLiteral("消法"));
        }
        form.Button4->click();
        EXPECT_EQ(Gyos(*form.Table1), c.after);
        EXPECT_EQ(form.Table1->FieldByName("ＫＥＹ"_sj).AsInteger(),
                  static_cast<std::int64_t>(c.gyos.size() + 1));
        EXPECT_EQ(form.DBEdit3->Text(), std::to_string(c.code));
        form.close();
        Flush();
    }
}

TEST_F(HyperLinkEditor, DeleteAndClearAskFirst)
{
    Install("c");
    Article(20);
    THyperLink& form = Open();
    const int rows = form.Table1->RecordCount();

    prompts_.Expect(PromptKind::YesNo, "データを削除して良いですか"_sj, Answer::No);
    form.Button3->click();
    EXPECT_EQ(form.Table1->RecordCount(), rows);
    prompts_.Expect(PromptKind::YesNo, "データを削除して良いですか"_sj, Answer::Yes);
    form.Button3->click();
    EXPECT_EQ(form.Table1->RecordCount(), rows - 1);
    EXPECT_EQ(form.DBEdit1->Text(), "1"); // the row before the deleted one
    EXPECT_EQ(prompts_.Shown().back().caption, "MainTable Delete");

    prompts_.Expect(PromptKind::YesNo, "表題、条文番号、本文をクリアーして良いですか"_sj, Answer::Yes);
    form.Button6->click();
    EXPECT_EQ(prompts_.Shown().back().caption, "MemoWindow States");
    EXPECT_EQ(form.DBEdit7->Text(), "");
    EXPECT_EQ(form.DBEdit8->Text(), "");
    EXPECT_EQ(form.DBRichEdit1->Text(), "");
    // Closing posts the cleared row.
    form.close();
    Flush();
    db::Table t;
    t.SetDatabaseName(sjis::fromUtf8(SyohiFolder("c", "Jyobun")));
    t.SetTableName("条文本文.db"_sj);
    t.Open();
    ASSERT_TRUE(t.Locate("ＫＥＹ"_sj, {std::int64_t{1}}));
    EXPECT_EQ(t.FieldByName("表題"_sj).AsString(), "");
    EXPECT_FALSE(t.Locate("ＫＥＹ"_sj, {std::int64_t{2}}));
}

TEST_F(HyperLinkEditor, CodeLookupAndRevisionDate)
{
    Install("c");
    Article(20);
    THyperLink& form = Open();
    form.DBEdit3->SetFieldText("120");
    char enter = 13;
    form.DBEdit3KeyPress(enter);
    EXPECT_EQ(form.DBEdit4->Text(), "消令"_sj);
    form.DBEdit3->SetFieldText("121");
    prompts_.Expect(PromptKind::Message, "該当の条文区分がありませんので再入力してください"_sj);
    enter = 13;
    form.DBEdit3KeyPress(enter);
    EXPECT_EQ(form.DBEdit4->Text(), "");

    char letter = 'a';
    prompts_.Expect(PromptKind::Message, "半角数字しか入力出来ません"_sj);
    form.DBEdit5KeyPress(letter);
    EXPECT_EQ(letter, 0);
    form.DBEdit5->SetFieldText("120401");
    enter = 13;
    form.DBEdit5KeyPress(enter);
    EXPECT_EQ(KaiseiNo, 120401);
    EXPECT_EQ(form.Button48->text(), QStringLiteral("120401"));
}

TEST(HyperLinkRefusal, ChecksInOrder)
{
    const ArticleRow row{"2", "110", "２条"_sj};
    const std::string fifty(100, 'x');
    struct Case {
        LinkEntry entry;
        bool duplicate;
        const char* message; // "" when accepted
    };
    const Case cases[] = {
        {{"2", "第２２条"_sj, "２２条"_sj, "10"}, false, ""},
        {{"2", "別表第一"_sj, "別表第１"_sj, "110"}, false, ""},
        {{"2", "同条"_sj, "２２条"_sj, "10"}, false, "条文に、「第」がありません"},
        {{"2", "第二項"_sj, "２２条"_sj, "10"}, false, "条文に、「条」がありません"},
        {{"2", fifty, "２２条"_sj, "10"}, false, ""},
        {{"2", fifty + "x", "２２条"_sj, "10"}, false, "条件は、全角５０文字以内です"},
        {{"2", "第２条"_sj, "２２条"_sj + fifty, "10"}, false, "リンク条文本文は、全角５０文字以内です"},
        {{"3", "第２条"_sj, "２２条"_sj, "10"}, false, "ＫＥＹデータが正しく入力されていません"},
        {{"2", "第２条"_sj, "２２条"_sj, ""}, false, "データが正しく入力されていません"},
        {{"2", "第２条"_sj, "２条"_sj, "110"}, false, "条文本文と同一です"},
        {{"2", "第２２条"_sj, "２２条"_sj, "10"}, true, "同一条件で既に登録されています"},
        {{"2", "第２２条"_sj, "２２条の２"_sj, "10"}, false, ""},
        {{"2", "第２２条"_sj, "２２条第１項"_sj, "10"}, false, "リンク条文本文の最終データがおかしいです"},
        {{"2", "第１条"_sj, "０１条"_sj, "10"}, false, "リンク条文本文の最初のデータがおかしいです"},
        {{"2", "第２２条"_sj, "１－２－３"_sj, "40"}, false, ""},
        {{"2", "第２２条"_sj, "２２条"_sj, "40"}, false, "通達に「条」が含まれています"},
        {{"2", "第２２条"_sj, "２２条"_sj, "150"}, false, ""},
        {{"2", "第２２条"_sj, "附則第３"_sj, "740"}, false, "通達に「第」が含まれています"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(sjis::toUtf8(c.entry.jyoken + " " + c.entry.honbun + " " + c.entry.code));
        const std::string refusal =
            HyperLinkRefusal(c.entry, row, [&](int key, int code) { return c.duplicate && key == 2 && code >= 0; });
        EXPECT_EQ(sjis::toUtf8(refusal), c.message);
    }
    EXPECT_THROW(HyperLinkRefusal({"2", "第２条"_sj, "２２条"_sj, "1x"}, {"2", "110", ""},
                                  [](int, int) { return false; }),
                 std::runtime_error);
}

// Another program's hold on a file: a read lock (a transaction that has
// read) or a write lock, until released.
class FileLock {
public:
    FileLock(const fs::path& file, bool write)
    {
        sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        EXPECT_EQ(sqlite3_exec(db_, write ? "BEGIN IMMEDIATE" : "BEGIN; SELECT count(*) FROM data", nullptr,
                               nullptr, nullptr),
                  SQLITE_OK);
    }
    ~FileLock() { Release(); }
    // Ends the hold, once a timed release has run.
    void Release()
    {
        if (releaser_.joinable())
            releaser_.join();
        End();
    }
    void ReleaseAfter(std::chrono::milliseconds wait)
    {
        releaser_ = std::thread([this, wait] {
            std::this_thread::sleep_for(wait);
            End();
        });
    }
private:
    void End()
    {
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
    }
    sqlite3* db_ = nullptr;
    std::thread releaser_;
};

TEST_F(HyperLinkEditor, RegisterAndDeleteLinks)
{
    Install("c");
    Article(20, "第２９条"_sj);
    THyperLink& form = Open();
    const int links = form.Table2->RecordCount();
    FileLock lock(fs::path(SyohiFolder("c", "Jyobun")) / "リンク条文.DB", true);
    prompts_.Expect(PromptKind::Error,
                    "Cannot write "_sj + form.Table2->DatabaseName() + "/リンク条文.DB: database is locked"_sj);
    QTest::mouseClick(form.Button10, Qt::LeftButton); // the next press registers it, once
    lock.Release();
    prompts_.Expect(PromptKind::Message, "「第２９条」をリンク登録しました"_sj);
    form.Button10->click(); // 登録２ stays
    EXPECT_EQ(form.Table2->RecordCount(), links + 1);
    EXPECT_EQ(HyperKubunNo, "110");
    prompts_.Expect(PromptKind::Message, "同一条件で既に登録されています"_sj);
    form.Button10->click();

    form.CodeButtons[8]->click(); // 720
    form.Button38->click();       // 同: the code registered last
    EXPECT_EQ(form.Edit6->Text(), "110");
    EXPECT_EQ(form.LinkLabel->Caption(), "消法"_sj);

    ASSERT_TRUE(form.Table2->Locate("条件"_sj, {"第２９条"_sj}));
    prompts_.Expect(PromptKind::YesNo, "データを削除して良いですか"_sj, Answer::No);
    form.Button2->click();
    EXPECT_EQ(form.Table2->RecordCount(), links + 1);
    prompts_.Expect(PromptKind::YesNo, "データを削除して良いですか"_sj, Answer::Yes);
    form.Button2->click();
    EXPECT_EQ(prompts_.Shown().back().caption, "LinkTable Delete");
    EXPECT_EQ(form.Table2->RecordCount(), links);

    // 登　録 closes the form without a message.
    form.Edit4->SetText("第２９条"_sj);
    form.Edit6->SetText("110");
    form.Edit5->SetText("２９条"_sj);
    form.Button1->click();
    Flush();
    EXPECT_EQ(HyperLink, nullptr);
    EXPECT_EQ(HyperLinkOpen, 0);
}

TEST_F(HyperLinkEditor, LinkListShowsAndEditsTheLinks)
{
    Install("c");
    Article(20, "第２９条"_sj);
    THyperLink& form = Open();
    prompts_.Expect(PromptKind::Message, "「第２９条」をリンク登録しました"_sj);
    form.Button10->click();

    ui::DBGrid& grid = *form.DBGrid1;
    QAbstractItemModel& model = *grid.model();
    const std::vector<std::pair<std::string, int>> columns = {
        {"ＫＥＹ"_sj, 36}, {"条件"_sj, 276}, {"リンク条文本文"_sj, 247}, {"条文番号"_sj, 53}, {"条文区分"_sj, 52}};
    ASSERT_EQ(grid.ColumnCount(), 5);
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), sjis::toQString(columns[c].first));
        if (c != 1) { // 条件 takes the rest of the width
            EXPECT_EQ(grid.ColumnWidth(c), columns[c].second) << c;
        }
    }

    ASSERT_TRUE(form.Table2->Locate("条件"_sj, {"第２９条"_sj}));
    const int row = form.Table2->RecNo();
    const auto cell = [&](int c) { return sjis::fromQString(model.data(model.index(row, c)).toString()); };
    EXPECT_EQ(cell(0), form.DBEdit1->Text());
    EXPECT_EQ(cell(2), "２９条"_sj);
    EXPECT_EQ(cell(3), "110");
    EXPECT_EQ(cell(4), "消法"_sj);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ((model.flags(model.index(row, c)) & Qt::ItemIsEditable) != 0, c >= 1 && c <= 3) << c;

    // 条件 and the code corrected in the grid; the label follows the code.
    ASSERT_TRUE(form.Table3->Locate("連番"_sj, {std::int64_t{120}}));
    const std::string label120 = form.Table3->FieldByName("条文区分"_sj).AsString();
    EXPECT_TRUE(model.setData(model.index(row, 1), sjis::toQString("第２９条第１項"_sj)));
    EXPECT_TRUE(model.setData(model.index(row, 3), QStringLiteral("120")));
    EXPECT_EQ(cell(4), label120);
    EXPECT_FALSE(model.setData(model.index(row, 0), QStringLiteral("1")));
    EXPECT_TRUE(model.submit());

    db::Table file;
    file.SetDatabaseName(form.Table2->DatabaseName());
    file.SetTableName("リンク条文.DB"_sj);
    file.Open();
    const std::int64_t key = std::stoll(form.DBEdit1->Text());
    EXPECT_TRUE(file.Locate("ＫＥＹ;リンク条文番号;条件"_sj, {key, std::int64_t{120}, "第２９条第１項"_sj}));
    EXPECT_EQ(file.FieldByName("リンク条文本文"_sj).AsString(), "２９条"_sj);
    EXPECT_FALSE(file.Locate("ＫＥＹ;リンク条文番号;条件"_sj, {key, std::int64_t{110}, "第２９条"_sj}));

    // An edit still pending when the form closes is posted.
    ASSERT_TRUE(form.Table2->Locate("条件"_sj, {"第２９条第１項"_sj}));
    EXPECT_TRUE(model.setData(model.index(form.Table2->RecNo(), 2), sjis::toQString("２９条の２"_sj)));
    form.close();
    Flush();
    file.Refresh();
    ASSERT_TRUE(file.Locate("ＫＥＹ;リンク条文番号;条件"_sj, {key, std::int64_t{120}, "第２９条第１項"_sj}));
    EXPECT_EQ(file.FieldByName("リンク条文本文"_sj).AsString(), "２９条の２"_sj);
}

TEST_F(HyperLinkEditor, BodySearchAndParagraphJump)
{
    Install("c");
    Article(20);
    THyperLink& form = Open();
    ui::DBRichEdit& body = *form.DBRichEdit1;
    body.LoadPlainText("甲乙丙甲\r\n２　甲です\r\n５ 半角\r\n３　甲"_sj);
    const auto selected = [&] { return std::pair(body.SelStart(), body.SelText()); };

    form.ComboBox2->SetText("甲"_sj);
    form.Button63->click(); // 全対象検索: the first one, at the very start
    EXPECT_EQ(selected(), std::pair(0, "甲"_sj));
    const std::size_t history = form.ComboBox2->Items().size();
    EXPECT_EQ(history, 11u);
    form.Button64->click(); // 後半検索
    EXPECT_EQ(selected().first, 6);
    form.Button64->click();
    EXPECT_EQ(selected().first, 14);
    form.Button64->click();
    EXPECT_EQ(selected().first, 35);
    prompts_.Expect(PromptKind::Message, "該当なし"_sj);
    form.Button64->click();
    EXPECT_EQ(form.ComboBox2->Items().size(), history + 1); // appended once

    form.KouButtons[2]->click(); // ３
    EXPECT_EQ(selected(), std::pair(31, "３　"_sj));
    form.KouButtons[0]->click(); // １: the start of the body
    EXPECT_EQ(selected(), std::pair(0, std::string()));
    prompts_.Expect(PromptKind::Message, "該当なし"_sj);
    form.KouButtons[4]->click(); // ５ is followed by a half-width blank
    form.Edit8->SetText("2");
    prompts_.Expect(PromptKind::Message, "該当なし"_sj);
    form.Button72->click(); // half-width digits find no paragraph

    body.SetSelStart(0);
    body.SetSelLength(0);
    prompts_.Expect(PromptKind::Message, "選択文字がありません"_sj);
    form.J1->trigger();
    body.SetSelLength(2);
    form.ComboBox2->SetText("");
    form.L1->trigger(); // the selection, then onward from it
    EXPECT_EQ(form.ComboBox2->Text(), "甲"_sj);
    EXPECT_EQ(selected().first, 6);
}

TEST_F(HyperLinkEditor, KeysAsTheDesktopDeliversThem)
{
    Install("c");
    Article(20);
    THyperLink& form = Open();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ui::DBRichEdit& body = *form.DBRichEdit1;
    body.LoadPlainText("甲乙丙甲\r\n２　甲です"_sj);
    const auto selected = [&] { return std::pair(body.SelStart(), body.SelText()); };

    // Enter in an input focuses its button; Enter on the focused button presses it.
    const struct {
        const char* what;
        QWidget* input;
        QPushButton* button;
        std::pair<int, std::string> found;
    } bars[] = {
        {"search combo", form.ComboBox2, form.Button64, {6, "甲"_sj}},
        {"paragraph number", form.Edit8, form.Button72, {10, "２　"_sj}},
    };
    form.ComboBox2->SetText("甲"_sj);
    form.Edit8->SetText("２"_sj);
    for (const auto& bar : bars) {
        SCOPED_TRACE(bar.what);
        body.SetSelStart(2);
        bar.input->setFocus();
        PressKey(*bar.input, Qt::Key_Return, {}, QStringLiteral("\r"));
        EXPECT_EQ(QApplication::focusWidget(), bar.button);
        EXPECT_EQ(selected().first, 2) << "nothing searched yet";
        PressKey(*bar.button, Qt::Key_Return, {}, QStringLiteral("\r"));
        EXPECT_EQ(selected(), bar.found);
    }

    // Ctrl+V in the body editor is the popup's normalising paste.
    system_.clipboard = "(1)";
    QGuiApplication::clipboard()->setText(QStringLiteral("(1)"));
    body.setFocus();
    body.SetSelStart(static_cast<int>(body.Text().size()));
    PressCtrl(body, 'v');
    EXPECT_EQ(body.Text(), "甲乙丙甲\r\n２　甲です（１）"_sj);

    // The input method stays out of the number edits.
    const struct {
        QWidget* control;
        bool composes;
    } inputs[] = {
        {form.Edit1, false},   {form.Edit2, false},   {form.DBEdit2, false}, {form.DBEdit3, false},
        {form.DBEdit5, false}, {form.DBEdit6, false}, {form.Edit6, false},   {form.DBEdit7, true},
        {form.DBEdit8, true},  {form.Edit4, true},    {form.Edit8, true},    {form.ComboBox2, true},
        {&body, true},
    };
    for (const auto& in : inputs)
        EXPECT_EQ(InputMethodAccepted(*in.control), in.composes)
            << in.control->objectName().toStdString() << &in - inputs;

    int boxes = 0; // an unknown 条文連番 and Enter: the real box, which takes the focus
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget())
            ++boxes, box->close();
    });
    closer.start(10);
    QTest::mouseClick(form.DBEdit3, Qt::LeftButton); // focused, its text selected
    TypeText(*form.DBEdit3, QStringLiteral("121"));
    platform::Prompter* scripted = platform::SetPrompter(nullptr);
    PressKey(*form.DBEdit3, Qt::Key_Return, {}, QStringLiteral("\r"));
    platform::SetPrompter(scripted);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(form.DBEdit3->selectedText(), QStringLiteral("121"));
}

// Home, then Shift+End: keys that no key-press handler sees (Ctrl+A would
// reach it as the character 1, which the number edits refuse).
void SelectAll(QWidget* w)
{
    QTest::keyClick(w, Qt::Key_Home);
    QTest::keyClick(w, Qt::Key_End, Qt::ShiftModifier);
}

void Click(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

// As X11 delivers it: the second press comes as a double click too.
void DoubleClick(QWidget* w, QPoint at)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QTest::mouseDClick(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

void PageClick(THyperLink& form, int page)
{
    QTabBar& tabs = *form.PageControl1->tabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(page).center());
}

TEST_F(HyperLinkEditor, EditsReachTheFilesWholeOrNotAtAll)
{
    Install("c");
    const fs::path articles = fs::path(SyohiFolder("c", "Jyobun")) / "条文本文.db";
    const fs::path links = fs::path(SyohiFolder("c", "Jyobun")) / "リンク条文.DB";
    const auto bytes = [](const fs::path& file) { return FileBytes(sjis::fromUtf8(file.string())); };
    // A field of the row these keys find in a file, "-" when there is none.
    const auto read = [](const fs::path& file, const char* keys, const std::vector<db::Value>& values,
                         const char* field) {
        db::Table t;
        t.SetDatabaseName(sjis::fromUtf8(file.parent_path().string()));
        t.SetTableName(sjis::fromUtf8(file.filename().string()));
        t.Open();
        return t.Locate(sjis::fromUtf8(keys), values)
                   ? sjis::toUtf8(t.FieldByName(sjis::fromUtf8(field)).AsString())
                   : std::string("-");
    };
    const auto title = [&](std::int64_t key) { return read(articles, "ＫＥＹ", {key}, "表題"); };
    const std::string locked =
        "Cannot write "_sj + sjis::fromUtf8(articles.string()) + ": database is locked";

    // A 追加 after ＫＥＹ 10 (行 100) once ＫＥＹ 11 was moved to 行 101: the
    // next row goes to 行 119 and the new one (ＫＥＹ 71) to 行 101, or
    // neither when the file stays locked.
    const auto addAgainstReadLock = [&](THyperLink& form, bool freed) {
        SelectAll(form.DBEdit2);
        QTest::keyClicks(form.DBEdit2, QStringLiteral("101"));
        QTest::keyClicks(form.Edit1, QStringLiteral("10"));
        QTest::keyClick(form.Edit1, Qt::Key_Return); // KeyJump posts the row left
        ASSERT_EQ(form.DBEdit1->Text(), "10");
        SelectAll(form.DBEdit7);
        CommitText(*form.DBEdit7, QStringLiteral("追加前")); // kept whatever becomes of the 追加
        const std::string before = bytes(articles);
        FileLock lock(articles, false);
        if (freed)
            lock.ReleaseAfter(std::chrono::milliseconds(300));
        else
            prompts_.Expect(PromptKind::Error, locked);
        Click(form.Button4);
        EXPECT_EQ(form.Table1->RecordCount(), freed ? 71 : 70);
        if (!freed) {
            EXPECT_EQ(bytes(articles), before);
            EXPECT_EQ(form.DBEdit1->Text(), "10");
            EXPECT_EQ(form.HyperLastKey, 70);
        }
        lock.Release();
        Click(form.Button5);
    };

    struct Case {
        const char* name;
        int gyo;
        std::function<void(THyperLink&)> edit; // ends with the form closed
        std::function<void()> check;           // the files afterwards
    };
    std::string untouched; // the files before the case, for those that write nothing
    const Case cases[] = {
        {"a title typed before the code filter changes", 20,
         [&](THyperLink& form) {
             SelectAll(form.DBEdit7);
             CommitText(*form.DBEdit7, QStringLiteral("新しい表題"));
             QLineEdit* filter = form.ComboBox1->lineEdit();
             SelectAll(filter);
             CommitText(*filter, QStringLiteral("消")); // the combo follows every keystroke
             CommitText(*filter, QStringLiteral("法"));
             EXPECT_EQ(form.Table1->RecordCount(), 23);
             Click(form.Button5);
         },
         [&] { EXPECT_EQ(title(2), "新しい表題"); }},
        {"a filter change and a close whose posts meet a write lock", 30,
         [&](THyperLink& form) {
             FileLock lock(articles, true);
             SelectAll(form.DBEdit7);
             CommitText(*form.DBEdit7, QStringLiteral("施行日"));
             prompts_.Expect(PromptKind::Error, locked);
             SelectAll(form.ComboBox1->lineEdit());
             CommitText(*form.ComboBox1->lineEdit(), QStringLiteral("消令"));
             EXPECT_EQ(form.Table1->RecordCount(), 70); // the filter stays
             EXPECT_EQ(form.DBEdit7->Text(), "施行日"_sj);
             prompts_.Expect(PromptKind::Error, locked);
             Click(form.Button5);
             EXPECT_TRUE(form.isVisible()); // and so does the form
             lock.Release();
             Click(form.Button5);
         },
         [&] { EXPECT_EQ(title(3), "施行日"); }},
        {"a link corrected in the grid on the last row", 700,
         [&](THyperLink& form) {
             ASSERT_EQ(form.Table1->RecNo(), form.Table1->RecordCount() - 1);
             PageClick(form, 1);
             ASSERT_TRUE(form.Table2->Locate("条件"_sj, {"消費税法第３０条第１項"_sj}));
             ui::DBGrid& grid = *form.DBGrid1;
             const QRect cell = grid.visualRect(grid.model()->index(form.Table2->RecNo(), 2));
             DoubleClick(grid.viewport(), cell.center());
             auto* editor = grid.viewport()->findChild<QLineEdit*>();
             ASSERT_NE(editor, nullptr);
             SelectAll(editor);
             CommitText(*editor, QStringLiteral("３０条の２"));
             QTest::keyClick(editor, Qt::Key_Tab);
             FileLock lock(links, true); // another row chosen: one try to post, one box
             prompts_.Expect(PromptKind::Error,
                             "Cannot write "_sj + sjis::fromUtf8(links.string()) + ": database is locked");
             const int stayed = form.Table2->RecNo();
             QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                               grid.visualRect(grid.model()->index(0, 1)).center());
             QCoreApplication::processEvents(); // the grid's return is queued
             EXPECT_EQ(form.Table2->RecNo(), stayed);
             EXPECT_EQ(grid.currentIndex().row(), stayed); // back on the dataset's row
             lock.Release();
             Click(form.Button9);
         },
         [&] {
             EXPECT_EQ(read(links, "ＫＥＹ;リンク条文番号;条件",
                            {std::int64_t{70}, std::int64_t{110}, "消費税法第３０条第１項"_sj},
                            "リンク条文本文"),
                       "３０条の２");
         }},
        {"edits on an empty view", 20,
         [&](THyperLink& form) {
             untouched = bytes(articles) + bytes(links);
             SelectAll(form.ComboBox1->lineEdit());
             CommitText(*form.ComboBox1->lineEdit(), QStringLiteral("措令"));
             ASSERT_EQ(form.Table1->RecordCount(), 0);
             const std::string empty =
                 "Cannot perform this operation on an empty dataset: "_sj + sjis::fromUtf8(articles.string());
             prompts_.Expect(PromptKind::Error, empty);
             Click(form.Button48); // 改　正　日
             prompts_.Expect(PromptKind::YesNo, "表題、条文番号、本文をクリアーして良いですか"_sj,
                             Answer::Yes);
             prompts_.Expect(PromptKind::Error, empty);
             Click(form.Button6); // Clear
             system_.clipboard = "第１条（趣旨）\r\nこの法律は、"_sj;
             prompts_.Expect(PromptKind::Error, empty);
             Click(form.Button7); // SpecialPaste
             EXPECT_EQ(system_.clipboard, "第１条（趣旨）\r\nこの法律は、"_sj);
             CommitText(*form.DBEdit7, QStringLiteral("表題"));
             QTest::keyClicks(form.DBEdit2, QStringLiteral("5"));
             CommitText(*form.DBRichEdit1, QStringLiteral("本文"));
             EXPECT_EQ(form.DBEdit7->Text(), "");
             EXPECT_EQ(form.DBEdit2->Text(), "");
             EXPECT_EQ(form.DBRichEdit1->Text(), "");
             Click(form.Button5);
         },
         [&] { EXPECT_EQ(bytes(articles) + bytes(links), untouched); }},
        {"a 追加 that meets a read lock", 110, [&](THyperLink& form) { addAgainstReadLock(form, false); },
         [&] {
             EXPECT_EQ(read(articles, "ＫＥＹ", {std::int64_t{11}}, "行"), "101");
             EXPECT_EQ(read(articles, "ＫＥＹ", {std::int64_t{71}}, "行"), "-");
             EXPECT_EQ(title(10), "追加前");
         }},
        {"a 追加 in a filtered view that meets a read lock", 20,
         [&](THyperLink& form) {
             SelectAll(form.ComboBox1->lineEdit());
             CommitText(*form.ComboBox1->lineEdit(), QStringLiteral("消法"));
             ASSERT_EQ(form.Table1->RecordCount(), 23);
             const std::string key = form.DBEdit1->Text();
             FileLock lock(articles, false);
             prompts_.Expect(PromptKind::Error, locked);
             Click(form.Button4);
             EXPECT_TRUE(form.Table1->Filtered()); // back on, as before the 追加
             EXPECT_EQ(form.Table1->RecordCount(), 23);
             EXPECT_EQ(form.DBEdit1->Text(), key);
             lock.Release();
             Click(form.Button5);
         },
         [&] { EXPECT_EQ(read(articles, "ＫＥＹ", {std::int64_t{71}}, "行"), "-"); }},
        {"a 追加 that waits for a read lock", 110, [&](THyperLink& form) { addAgainstReadLock(form, true); },
         [&] {
             EXPECT_EQ(read(articles, "ＫＥＹ", {std::int64_t{11}}, "行"), "119");
             EXPECT_EQ(read(articles, "ＫＥＹ", {std::int64_t{71}}, "行"), "101");
         }},
        {"a 条件 beyond 100 bytes", 20,
         [&](THyperLink& form) {
             untouched = bytes(links);
             PageClick(form, 2);
             QTest::keyClicks(form.Edit4, QString(101, QLatin1Char('a')));
             EXPECT_EQ(form.Edit4->Text().size(), 101u); // kept whole, for the check to see
             prompts_.Expect(PromptKind::Message, "条件は、全角５０文字以内です"_sj);
             Click(form.Button10);
             Click(form.Button11);
         },
         [&] { EXPECT_EQ(bytes(links), untouched); }},
        {"the main window closed while the editor is open", 40,
         [&](THyperLink& form) {
             SelectAll(form.DBEdit7);
             CommitText(*form.DBEdit7, QStringLiteral("仕入税額控除"));
             main_->close();
         },
         [&] {
             EXPECT_EQ(title(4), "仕入税額控除");
             EXPECT_EQ(HyperLinkOpen, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main_->show();
        Article(c.gyo);
        c.edit(Open());
        Flush();
        EXPECT_EQ(HyperLink, nullptr);
        c.check();
    }
}

} // namespace
