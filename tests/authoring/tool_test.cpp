// The tool form of developer builds over the sample data: its layout and
// lifetime, the saved position in "C4.dl_", the special search, the next
// record, the link editor, and its silence on a book tab.
#include "app/app_fixture.h"

#include "authoring/hyperpas.h"
#include "authoring/toolpas.h"
#include "platform/app/drives.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "reader/kensaku.h"
#include "reader/rireki.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using platform::Answer;
using platform::PromptKind;

class ToolForm : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        CreateMain(ApplicationTitleText(true));
        main_->show();
    }
    void TearDown() override
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<TTool*>(window))
                delete window;
        MainWindowTest::TearDown();
    }

    void Activate(ui::TabSheet* sheet) { main_->MainPageControl->SetActivePage(sheet); }
    static db::Dataset* Grid(int i) { return JyobunMainSource[i]->DataSet(); }
    static std::int64_t CurrentGyo(int i) { return Grid(i)->FieldByName("Gyo").AsInteger(); }

    TTool& OpenTool()
    {
        main_->ToolAction->trigger();
        return *Tool;
    }
    TTool& AnyTool() { return Tool ? *Tool : OpenTool(); }
    // Saves the position of law tab i at its grid row `row`.
    void SaveAt(int i, int row)
    {
        Activate(JyobunTabSheet[i]);
        Grid(i)->MoveTo(row);
        prompts_.Expect(PromptKind::YesNoPlain, "現在の情報を保存しますか"_sj, Answer::Yes);
        AnyTool().Button5->click();
    }

    static void DeleteFreedForms() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(ToolForm, MenuItemMakesAFurtherFormEachTimeAndClosingFreesIt)
{
    EXPECT_TRUE(main_->ToolAction->isVisible());
    EXPECT_TRUE(main_->ToolAction->isEnabled());
    EXPECT_EQ(sjis::fromQString(main_->ToolAction->text()), "Tool(&T)");

    QPointer<TTool> first = &OpenTool();
    QPointer<TTool> second = &OpenTool();
    ASSERT_NE(first, second);
    EXPECT_EQ(Tool, second);
    EXPECT_TRUE(first->isVisible() && second->isVisible());

    TTool& form = *second;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tool"));
    EXPECT_EQ(form.size(), QSize(396, 19));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "a dialog border is not sizable";
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(sjis::fromQString(form.font().family()), "ＭＳ Ｐゴシック"_sj);
    const struct {
        QPushButton* button;
        const char* caption;
        int left;
    } buttons[] = {{form.Button1, "HyperLink", 0},
                   {form.Button3, "SpecialSearch", 80},
                   {form.Button5, "PositionSave", 160},
                   {form.Button4, "ReturnPositon", 240},
                   {form.Button2, "NextData", 320}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.button->text().toStdString(), b.caption);
        EXPECT_EQ(b.button->geometry(), QRect(b.left, 0, 76, 19)) << b.caption;
    }
    for (int n = 0; n + 1 < 5; ++n)
        EXPECT_EQ(buttons[n].button->nextInFocusChain(), buttons[n + 1].button) << "tab order";

    first->close();
    DeleteFreedForms();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(Tool, second) << "the global keeps the last form";
    second->close();
    DeleteFreedForms();
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(Tool, nullptr);
}

TEST(ToolItem, HiddenAndDisabledOutsideDeveloperBuilds)
{
    TempDir dir;
    CopySampleData(dir.Path());
    NamepasReset();
    FakeSystem system;
    ScriptedPrompts prompts;
    {
        ReaderSession reader(ApplicationTitleText(false));
        EXPECT_FALSE(reader.MainForm().ToolAction->isVisible());
        EXPECT_FALSE(reader.MainForm().ToolAction->isEnabled());
    }
    NamepasReset();
}

TEST_F(ToolForm, PositionSaveWritesTabAndGyoOnlyOnYes)
{
    SaveAt(Gen, 3);
    const std::int64_t gyo = CurrentGyo(Gen);
    EXPECT_EQ(ReadFile(QStringLiteral("C4.dl_")),
              QByteArray::number(2) + "\r\n" + QByteArray::number(gyo) + "\r\n");
    ASSERT_EQ(prompts_.Shown().size(), 1u);
    EXPECT_EQ(prompts_.Shown()[0].caption, "PositionSave Infomation");

    // No keeps the earlier file.
    Activate(main_->SyohiTab);
    prompts_.Expect(PromptKind::YesNoPlain, "現在の情報を保存しますか"_sj, Answer::No);
    Tool->Button5->click();
    EXPECT_EQ(ReadFile(QStringLiteral("C4.dl_")).left(3), "2\r\n");

    // A search result is saved by the Gyo of its current row.
    main_->SEditKey1->SetText("課税"_sj);
    JyobunKensaku(Syohi);
    ASSERT_NE(Grid(Syohi), JyobunMainTable[Syohi]);
    Grid(Syohi)->MoveTo(1);
    prompts_.Expect(PromptKind::YesNoPlain, "現在の情報を保存しますか"_sj, Answer::Yes);
    Tool->Button5->click();
    EXPECT_EQ(ReadFile(QStringLiteral("C4.dl_")), "1\r\n" + QByteArray::number(CurrentGyo(Syohi)) + "\r\n");
}

TEST_F(ToolForm, ReturnGoesToTheSavedArticleFromAnyPageAfterAHistoryPush)
{
    SaveAt(Syohi, 5);
    const std::int64_t saved = CurrentGyo(Syohi);
    Grid(Syohi)->First();

    for (ui::TabSheet* from : {main_->GenTab, main_->SbooksTab}) {
        Activate(from);
        const int top = RirekiTop;
        Tool->Button4->click();
        EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->SyohiTab);
        EXPECT_EQ(CurrentGyo(Syohi), saved);
        EXPECT_EQ(RirekiTop, top + 1);
        EXPECT_EQ(Rireki[top].TabSheet, from) << "the place left is in the history";
        Grid(Syohi)->First();
    }
    // Returning twice pushes twice.
    const int top = RirekiTop;
    Tool->Button4->click();
    Tool->Button4->click();
    EXPECT_EQ(RirekiTop, top + 2);

    // Back brings the place before the return.
    Activate(main_->GenTab);
    Grid(Gen)->MoveTo(2);
    const std::int64_t genGyo = CurrentGyo(Gen);
    Tool->Button4->click();
    main_->BBtnBackClick();
    EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->GenTab);
    EXPECT_EQ(CurrentGyo(Gen), genGyo);
}

TEST_F(ToolForm, ReturnRefusesAPositionItCannotReach)
{
    TTool& tool = OpenTool();
    // Nothing at all without the file.
    tool.Button4->click();
    EXPECT_EQ(RirekiTop, 0);
    EXPECT_TRUE(prompts_.Shown().empty());

    const struct {
        const char* bytes;
        bool switches; // the saved tab is shown, the article is not there
    } cases[] = {
        {"1\r\n99999\r\n", true},
        {"1\r\nabc\r\n", true},
        {"1\r\n\r\n", true},
        {"1\r\n", false},
        {"7\r\n10\r\n", false},
        {"-1\r\n10\r\n", false},
        {"0\r\n10\r\n", false}, // 法人税 is absent in this build
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        WriteFile(QStringLiteral("C4.dl_"), c.bytes);
        Activate(main_->GenTab);
        const std::int64_t syohiGyo = CurrentGyo(Syohi);
        const int top = RirekiTop;
        prompts_.Expect(PromptKind::Message, "保存データに移動できません"_sj);
        tool.Button4->click();
        EXPECT_EQ(RirekiTop, top + 1);
        EXPECT_EQ(main_->MainPageControl->ActivePage(), c.switches ? main_->SyohiTab : main_->GenTab);
        EXPECT_EQ(CurrentGyo(Syohi), syohiGyo);
    }

    // A search result without the saved article (the first does not hold 保税).
    SaveAt(Syohi, 0);
    const std::int64_t first = CurrentGyo(Syohi);
    main_->SEditKey1->SetText("保税"_sj);
    JyobunKensaku(Syohi);
    ASSERT_NE(CurrentGyo(Syohi), first);
    const std::int64_t shown = CurrentGyo(Syohi);
    prompts_.Expect(PromptKind::Message, "保存データに移動できません"_sj);
    tool.Button4->click();
    EXPECT_EQ(CurrentGyo(Syohi), shown);

    // A tab that is no number ends the command after the history push.
    WriteFile(QStringLiteral("C4.dl_"), "x\r\n10\r\n");
    const int top = RirekiTop;
    EXPECT_THROW(tool.Button4Click(), std::exception);
    EXPECT_EQ(RirekiTop, top + 1);
}

TEST_F(ToolForm, SpecialSearchFindsTheMarkedArticlesWithFixedKeyWords)
{
    // The articles whose text holds "＊", read from the table itself.
    std::vector<std::int64_t> marked;
    {
        db::Table text;
        text.SetTableName("E2.db");
        text.SetIndexFieldNames("Gyo");
        text.Open();
        for (text.First(); !text.Eof(); text.Next())
            if (sjis::contains(text.FieldByName("Honbun").AsString(), "＊"_sj))
                marked.push_back(text.FieldByName("Gyo").AsInteger());
    }
    ASSERT_FALSE(marked.empty());

    Activate(main_->SyohiTab);
    OpenTool().Button3->click();
    EXPECT_EQ(main_->SEditKey1->Text(), "－"_sj);
    EXPECT_EQ(main_->SEditKey2->Text(), "条"_sj);
    EXPECT_EQ(JyobunKeyWord1[Syohi], "－"_sj);
    EXPECT_EQ(JyobunKeyWord2[Syohi], "条"_sj);
    std::vector<std::int64_t> found;
    for (Grid(Syohi)->First(); !Grid(Syohi)->Eof(); Grid(Syohi)->Next())
        found.push_back(CurrentGyo(Syohi));
    EXPECT_EQ(found, marked);

    // 会社法民法 has no marked article: the key words are set all the same.
    Activate(main_->GenTab);
    prompts_.Expect(PromptKind::Message, "該当の条文はありません"_sj);
    Tool->Button3->click();
    EXPECT_EQ(Grid(Gen), JyobunMainTable[Gen]);
    EXPECT_EQ(JyobunKeyWord1[Gen], "－"_sj);
    EXPECT_EQ(JyobunKeyWord2[Gen], "条"_sj);
    EXPECT_EQ(main_->GEditKey1->Text(), "－"_sj);
}

TEST_F(ToolForm, NextDataStepsTheGridAndStopsAtTheEnd)
{
    main_->activateWindow();
    Activate(main_->SyohiTab);
    TTool& tool = OpenTool();
    Grid(Syohi)->First();
    tool.Button2->click();
    EXPECT_EQ(Grid(Syohi)->RecNo(), 1);
    EXPECT_EQ(main_->focusWidget(), main_->SyohiRichEdit);
    Grid(Syohi)->Last();
    const int last = Grid(Syohi)->RecNo();
    tool.Button2->click();
    EXPECT_EQ(Grid(Syohi)->RecNo(), last);

    // A search result is stepped as well.
    main_->SEditKey1->SetText("課税"_sj);
    JyobunKensaku(Syohi);
    tool.Button2->click();
    EXPECT_EQ(Grid(Syohi)->RecNo(), 1);
}

// The drives of the authoring data, back to their folders at the end.
class DriveFolders {
public:
    DriveFolders(const std::string& c, const std::string& d)
        : c_(platform::SetDriveFolder('C', c)), d_(platform::SetDriveFolder('D', d))
    {
    }
    ~DriveFolders()
    {
        platform::SetDriveFolder('C', c_);
        platform::SetDriveFolder('D', d_);
    }

private:
    std::filesystem::path c_;
    std::filesystem::path d_;
};

TEST_F(ToolForm, HyperLinkOpensTheEditorOfTheActiveLawTab)
{
    main_->activateWindow();
    TempDir empty(TempDir::Use::Aside);
    Activate(main_->SyohiTab);
    TTool& tool = OpenTool();
    {
        DriveFolders none(empty.Path(), empty.Path());
        prompts_.Expect(PromptKind::Message, "該当の条文データがセットされていません"_sj);
        tool.Button1->click();
        EXPECT_EQ(HyperLink, nullptr);
        EXPECT_EQ(main_->focusWidget(), main_->SyohiRichEdit);
    }
    DriveFolders sample(dir_.Path() + "/authoring", empty.Path());
    tool.Button1->click();
    ASSERT_NE(HyperLink, nullptr);
    EXPECT_EQ(HyperLinkOpen, 1);
    EXPECT_TRUE(HyperLink->isVisible());
    EXPECT_EQ(MasterDataRoot, "C:");

    // Not from a book tab: the open editor would be reported otherwise.
    Activate(main_->SbooksTab);
    tool.Button1->click();
    EXPECT_EQ(prompts_.Shown().size(), 1u);
    HyperLink->close();
    DeleteFreedForms();
    EXPECT_EQ(HyperLinkOpen, 0);
}

TEST_F(ToolForm, BookTabLeavesEverythingAsItIs)
{
    Activate(main_->SbooksTab);
    TTool& tool = OpenTool();
    const std::int64_t syohiGyo = CurrentGyo(Syohi);
    const int row = BooksMainSource[Sbooks]->DataSet()->RecNo();
    for (QPushButton* button : {tool.Button2, tool.Button3, tool.Button5})
        button->click();
    EXPECT_TRUE(prompts_.Shown().empty()) << "no question, no message";
    EXPECT_EQ(JyobunSQLNo, -1) << "no search";
    EXPECT_EQ(ReadFile(QStringLiteral("C4.dl_")), "<absent>");
    EXPECT_EQ(main_->MainPageControl->ActivePage(), main_->SbooksTab);
    EXPECT_EQ(BooksMainSource[Sbooks]->DataSet()->RecNo(), row);
    EXPECT_EQ(CurrentGyo(Syohi), syohiGyo);
    EXPECT_TRUE(JyobunKeyWord1[Syohi].empty());
}

} // namespace
