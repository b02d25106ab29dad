// Memo windows over the sample data: the size question, the article and its
// colours, links followed from the main window and from the memo, the memo's
// searches, the jump back and the output commands.
#include "reader/search_window.h"

#include "platform/app/printing.h"
#include "platform/richedit/rich_edit.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/radio_group.h"
#include "reader/link.h"
#include "windows/memopas.h"
#include "windows/sansyopas.h"

#include <QApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <filesystem>

namespace {

using platform::Answer;
using platform::PromptKind;

const std::string SizeQuestion = "メモウインドウを画面一杯に大きくしますか。"_sj;

class RecordingPrinter : public platform::Printing {
public:
    RecordingPrinter() { before_ = platform::SetPrinting(this); }
    ~RecordingPrinter() override { platform::SetPrinting(before_); }
    bool PrinterSetup(QWidget*) override { return true; }
    void PrintRichEdit(const ui::RichEdit& view, const QRect& page, const std::string& title) override
    {
        text = view.Text();
        pageRect = page;
        jobTitle = title;
    }
    void PrintForm(QWidget&) override {}

    std::string text;
    QRect pageRect;
    std::string jobTitle;

private:
    platform::Printing* before_;
};

class MemoWindowTest : public SearchWindow {
protected:
    void TearDown() override
    {
        SetSansyoShow(nullptr);
        std::vector<TMemoWindow*> memos;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* memo = qobject_cast<TMemoWindow*>(w))
                memos.push_back(memo);
        for (TMemoWindow* memo : memos)
            delete memo;
        SearchWindow::TearDown();
    }

    static int GyoOf(int tab, const char* kubun, const char* bangou)
    {
        db::Table t;
        t.SetTableName(JyobunMainTableName[tab]);
        t.Open();
        EXPECT_TRUE(t.Locate("Kubun;Bangou", {sjis::fromUtf8(kubun), sjis::fromUtf8(bangou)}))
            << kubun << bangou;
        return static_cast<int>(t.FieldByName("Gyo").AsInteger());
    }

    void ShowArticle(int tab, int gyo)
    {
        Activate(JyobunTabSheet[tab]);
        ASSERT_TRUE(JyobunMainSource[tab]->DataSet()->Locate("Gyo", {std::int64_t{gyo}}));
    }

    static std::int64_t CurrentGyo(int tab)
    {
        return JyobunMainSource[tab]->DataSet()->FieldByName("Gyo").AsInteger();
    }

    // A memo on the article shown on `tab`, opened maximised by the memo command.
    TMemoWindow* MemoOn(int tab, int gyo)
    {
        ShowArticle(tab, gyo);
        prompts_.Expect(PromptKind::YesNoCancel, SizeQuestion, Answer::Yes);
        main_->BBtnMemoClick();
        return MemoWindow;
    }

    // Caret of `memo` inside the first occurrence of `phrase`; its offset.
    static int CaretInto(TMemoWindow& memo, const char* phrase)
    {
        const std::size_t at = sjis::find(memo.MemoRichEdit->Text(), sjis::fromUtf8(phrase));
        EXPECT_NE(at, sjis::npos) << phrase;
        memo.MemoRichEdit->SetSelStart(static_cast<int>(at) + 2);
        return static_cast<int>(at);
    }

    static bool Colours(const std::string& rtf, int state)
    {
        return sjis::contains(rtf, "{\\cf" + std::to_string(state) + " ");
    }
};

TEST_F(MemoWindowTest, MemoCommandAsksTheWindowStateAndCopiesTheShownArticle)
{
    const int gyo = GyoOf(Syohi, "消法", "３０条");
    LawSearch(Syohi, "課税仕入れ"_sj);
    ShowArticle(Syohi, gyo);
    struct Case {
        Answer answer;
        bool opens;
        Qt::WindowState state;
    };
    const Case cases[] = {{Answer::Cancel, false, Qt::WindowNoState},
                          {Answer::No, true, Qt::WindowMinimized},
                          {Answer::Yes, true, Qt::WindowMaximized}};
    for (const Case& c : cases) {
        TMemoWindow* before = MemoWindow;
        prompts_.Expect(PromptKind::YesNoCancel, SizeQuestion, c.answer);
        main_->BBtnMemoClick();
        EXPECT_EQ(prompts_.Shown().back().caption, "MemoWindow States");
        if (!c.opens) {
            EXPECT_EQ(MemoWindow, before);
            continue;
        }
        ASSERT_NE(MemoWindow, before);
        TMemoWindow& memo = *MemoWindow;
        EXPECT_EQ(memo.windowState(), c.state);
        EXPECT_EQ(memo.MemoJyobunTab, Syohi);
        EXPECT_EQ(memo.MemoGyo, gyo);
        EXPECT_EQ(sjis::fromQString(memo.windowTitle()), "消法 ３０条　仕入れに係る消費税額の控除"_sj);
        EXPECT_EQ(memo.MemoRtf, JyobunRtfCache[Syohi]);
        EXPECT_TRUE(Colours(memo.MemoRtf, 1)) << "the search's key word stays red";
        EXPECT_EQ(memo.MemoRichEdit->Text(), main_->SyohiRichEdit->Text());
        EXPECT_EQ(memo.MemoRichEdit->SelStart(), 0);
        EXPECT_TRUE(memo.MemoRichEdit->isReadOnly());
    }
    // A kept document that is not this article's: the memo still shows the view.
    JyobunRtfCache[Syohi] = "{\\rtf1 other}";
    prompts_.Expect(PromptKind::YesNoCancel, SizeQuestion, Answer::Yes);
    main_->BBtnMemoClick();
    EXPECT_EQ(MemoWindow->MemoRichEdit->Text(), main_->SyohiRichEdit->Text());

    Activate(BooksTabSheet[Sbooks]);
    TMemoWindow* before = MemoWindow;
    prompts_.Expect(PromptKind::Message, "条文を選択して下さい"_sj);
    main_->BBtnMemoClick();
    EXPECT_EQ(MemoWindow, before);
}

TEST_F(MemoWindowTest, LeftClickOnALinkOpensTheTargetWithoutKeyWordColours)
{
    const int source = GyoOf(Syohi, "消基通", "５－２－８");
    const int target = GyoOf(Gen, "会社法", "４５３条");
    // Tab Gen's own key words must not colour the memo.
    JyobunKeyWord1[Gen] = "剰余金"_sj;
    ShowArticle(Syohi, source);
    const std::string shownBefore = JyobunRtfCache[Gen];
    const std::size_t at = sjis::find(main_->SyohiRichEdit->Text(), "会社法第４５３条"_sj);
    ASSERT_NE(at, sjis::npos);
    main_->SyohiRichEdit->SetSelStart(static_cast<int>(at) + 4);
    LinkShiftState left;
    left.left = true;
    LinkPress(Syohi, left); // no question: a link opens a memo in normal state

    ASSERT_NE(MemoWindow, nullptr);
    TMemoWindow& memo = *MemoWindow;
    EXPECT_EQ(memo.windowState(), Qt::WindowNoState);
    EXPECT_EQ(memo.MemoJyobunTab, Gen);
    EXPECT_EQ(memo.MemoGyo, target);
    EXPECT_EQ(sjis::fromQString(memo.windowTitle()), "会社法 ４５３条　株式会社の剰余金の配当"_sj);
    EXPECT_TRUE(sjis::contains(memo.MemoRichEdit->Text(), "第４５３条　株式会社は"_sj));
    EXPECT_FALSE(Colours(memo.MemoRtf, 1));
    EXPECT_FALSE(Colours(memo.MemoRtf, 2));
    // The main window stays where it was.
    EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[Syohi]);
    EXPECT_EQ(CurrentGyo(Syohi), source);
    EXPECT_EQ(JyobunRtfCache[Gen], shownBefore);
    EXPECT_EQ(MemoLinkMode, 0);
    EXPECT_EQ(LinkBusy, 0);
}

TEST_F(MemoWindowTest, MemoFollowsItsOwnLinksByTheShiftState)
{
    const int source = GyoOf(Gen, "会社法", "４５４条");
    const int target = GyoOf(Gen, "会社法", "４５３条");
    TMemoWindow* memo = MemoOn(Gen, source);
    ASSERT_NE(memo, nullptr);
    const int linkStart = CaretInto(*memo, "前条");

    // The right button alone does nothing.
    memo->MemoRichEditMouseDown(Qt::RightButton, Qt::NoModifier, false, {});
    EXPECT_EQ(MemoWindow, memo);

    // The left button alone: a new memo on the target, the caret before the link.
    memo->MemoRichEditMouseDown(Qt::LeftButton, Qt::NoModifier, false, {});
    ASSERT_NE(MemoWindow, memo);
    TMemoWindow* second = MemoWindow;
    EXPECT_EQ(second->MemoGyo, target);
    EXPECT_EQ(second->MemoJyobunTab, Gen);
    EXPECT_EQ(second->windowState(), Qt::WindowNoState);
    EXPECT_EQ(memo->MemoRichEdit->SelStart(), linkStart - 2);
    EXPECT_EQ(CurrentGyo(Gen), source) << "the main window does not move";
    EXPECT_EQ(memo->MemoGyo, source) << "each memo keeps its own article";
    EXPECT_EQ(MemoLinkMode, 0);

    // With Ctrl held the main window jumps; a maximised memo gets out of the way.
    const int top = RirekiTop;
    Activate(JyobunTabSheet[Syohi]);
    memo->setWindowState(Qt::WindowMaximized);
    CaretInto(*memo, "前条");
    memo->MemoRichEditMouseDown(Qt::LeftButton, Qt::ControlModifier, false, {});
    EXPECT_EQ(MemoWindow, second);
    EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[Gen]);
    EXPECT_EQ(JyobunMainSource[Gen]->DataSet(), JyobunMainTable[Gen]);
    EXPECT_EQ(CurrentGyo(Gen), target);
    EXPECT_EQ(RirekiTop, top + 1);
    EXPECT_EQ(memo->windowState(), Qt::WindowMinimized);
}

// Shift extends the selection, the middle button leaves the caret and a
// double click selects a word: the press still follows the link it hit.
TEST_F(MemoWindowTest, RealPressesThatMoveNoCaretStillFollowTheLinkHit)
{
    const int source = GyoOf(Gen, "会社法", "４５４条");
    const int target = GyoOf(Gen, "会社法", "４５３条");
    TMemoWindow* memo = MemoOn(Gen, source);
    ASSERT_NE(memo, nullptr);
    memo->setWindowState(Qt::WindowNoState);
    ui::RichEdit& rich = *memo->MemoRichEdit;
    struct Case {
        const char* what;
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        bool doubleClick;
    };
    const Case cases[] = {{"shift", Qt::LeftButton, Qt::ShiftModifier, false},
                          {"middle", Qt::MiddleButton, Qt::NoModifier, false},
                          {"double click", Qt::LeftButton, Qt::NoModifier, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShowArticle(Gen, source);
        Activate(JyobunTabSheet[Syohi]);
        CaretInto(*memo, "前条");
        rich.ensureCursorVisible();
        const QPoint at = rich.cursorRect().center() + QPoint(2, 0);
        rich.SetSelStart(0);
        if (c.doubleClick)
            QTest::mouseDClick(rich.viewport(), c.button, c.modifiers, at);
        else
            QTest::mouseClick(rich.viewport(), c.button, c.modifiers, at);
        EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[Gen]);
        EXPECT_EQ(CurrentGyo(Gen), target);
        EXPECT_EQ(MemoLinkMode, 0);
        EXPECT_EQ(LinkBusy, 0);
    }
}

TEST_F(MemoWindowTest, ReferenceLinkInAMemoRunsTheMemosReferenceSearch)
{
    const int gyo = GyoOf(Gen, "会社法", "２条");
    TMemoWindow* memo = MemoOn(Gen, gyo);
    ASSERT_NE(memo, nullptr);
    bool memoGroupLocked = false, presetKisoku = false;
    SetSansyoShow([&](TSansyo& dialog) {
        memoGroupLocked = dialog.SansyoRadioGroup2->ItemIndex() == 1 && !dialog.SansyoRadioGroup2->isEnabled();
        presetKisoku = dialog.SansyoRadioButtonKisoku->isChecked() && !dialog.SansyoGroupBox1->isEnabled();
        dialog.SansyoOkButtonClick();
    });
    CaretInto(*memo, "法務省令で定める");
    memo->MemoRichEditMouseDown(Qt::LeftButton, Qt::NoModifier, false, {});

    EXPECT_TRUE(memoGroupLocked);
    EXPECT_TRUE(presetKisoku);
    EXPECT_EQ(SansyoCode, -2);
    EXPECT_EQ(MemoWindow, memo) << "no memo window opens";
    const db::StringList expected = {"SELECT DISTINCT Gyo,KubunNo ", "FROM G3.db ",
                                     "WHERE ( MainGyo = " + std::to_string(gyo) + " ) ",
                                     "AND ( KubunNo > 459 )"};
    EXPECT_EQ(LastLawStatement(), expected);
    // The ordinance articles citing 会社法 第２条.
    EXPECT_EQ(GridGyo(Gen), (std::vector<std::int64_t>{GyoOf(Gen, "会社規", "２条"), GyoOf(Gen, "会社規", "３条"),
                                                       GyoOf(Gen, "会社規", "２２２条")}));
    EXPECT_EQ(JyobunKeyWord1[Gen], "第２条"_sj);
    EXPECT_EQ(JyobunKeyWord2[Gen], "法務省令で定める"_sj);
    EXPECT_EQ(JyobunEditKey2[Gen]->Text(), "法務省令で定める"_sj);
    EXPECT_EQ(memo->windowState(), Qt::WindowMinimized) << "最小サイズ, the dialog's default";
}

TEST_F(MemoWindowTest, MemoReferenceSearchShowsTheCitingArticlesInItsTab)
{
    const int cited = GyoOf(Gen, "会社法", "４５３条");
    const int citing = GyoOf(Gen, "会社法", "４５４条");
    TMemoWindow* memo = MemoOn(Gen, cited);
    ASSERT_NE(memo, nullptr);
    memo->setWindowState(Qt::WindowMinimized);
    Activate(JyobunTabSheet[Syohi]);
    SetSansyoShow([](TSansyo& dialog) {
        dialog.SansyoRadioButtonAll->setChecked(true);
        dialog.SansyoRadioGroup3->SetItemIndex(1); // 通常サイズ
        dialog.SansyoOkButtonClick();
    });
    memo->MemoKanrenClick();

    EXPECT_EQ(SansyoCode, 0);
    EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[Gen]);
    const std::vector<std::int64_t> rows = GridGyo(Gen);
    EXPECT_NE(std::find(rows.begin(), rows.end(), citing), rows.end());
    EXPECT_EQ(JyobunKeyWord1[Gen], "第４５３条"_sj);
    EXPECT_EQ(JyobunKeyWord2[Gen], "");
    EXPECT_EQ(JyobunEditKey1[Gen]->Text(), "第４５３条"_sj);
    EXPECT_EQ(JyobunComboBox[Gen]->ItemIndex(), 0);
    EXPECT_EQ(memo->windowState(), Qt::WindowNoState);
    EXPECT_EQ(MemoWindow, memo);
    EXPECT_EQ(LastLawStatement().size(), 3u) << "全範囲 has no scope line";
}

TEST_F(MemoWindowTest, SelectionSearchSearchesTheWholeTab)
{
    const int gyo = GyoOf(Syohi, "消法", "３０条");
    TMemoWindow* memo = MemoOn(Syohi, gyo);
    ASSERT_NE(memo, nullptr);

    prompts_.Expect(PromptKind::Message, "条文本文でキーワードを選択して下さい。"_sj);
    memo->MemoSentakuActionClick();
    EXPECT_EQ(memo->windowState(), Qt::WindowMaximized);

    Activate(JyobunTabSheet[Gen]);
    main_->SEditKey2->SetText("控除"_sj);
    JyobunComboBox[Syohi]->SetItemIndex(2);
    const std::size_t at = sjis::find(memo->MemoRichEdit->Text(), "課税仕入れ"_sj);
    memo->MemoRichEdit->SetSelStart(static_cast<int>(at));
    memo->MemoRichEdit->SetSelLength(static_cast<int>("課税仕入れ"_sj.size()));
    memo->MemoSentakuActionClick();

    EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[Syohi]);
    EXPECT_EQ(JyobunEditKey1[Syohi]->Text(), "課税仕入れ"_sj);
    EXPECT_EQ(JyobunEditKey2[Syohi]->Text(), "");
    EXPECT_EQ(JyobunComboBox[Syohi]->ItemIndex(), 0);
    EXPECT_EQ(JyobunKeyWord1[Syohi], "課税仕入れ"_sj);
    const std::vector<std::int64_t> rows = GridGyo(Syohi);
    EXPECT_NE(std::find(rows.begin(), rows.end(), gyo), rows.end());
    const db::StringList& sql = LastLawStatement();
    ASSERT_EQ(sql.size(), 4u) << "no scope line";
    EXPECT_EQ(sql[2], "WHERE ( Honbun LIKE '%課税仕入れ%') "_sj);
    EXPECT_EQ(memo->windowState(), Qt::WindowMinimized);
}

TEST_F(MemoWindowTest, HomeMovesTheMainWindowToTheMemosArticle)
{
    const int gyo = GyoOf(Syohi, "消法", "３０条");
    TMemoWindow* memo = MemoOn(Syohi, gyo);
    ASSERT_NE(memo, nullptr);
    const std::string caption = sjis::fromQString(memo->windowTitle());
    const std::string text = memo->MemoRichEdit->Text();
    LawSearch(Syohi, "輸出"_sj);
    Activate(JyobunTabSheet[Gen]);
    const int top = RirekiTop;

    memo->HomeMoveClick();
    EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[Syohi]);
    EXPECT_EQ(JyobunMainSource[Syohi]->DataSet(), JyobunMainTable[Syohi]);
    EXPECT_EQ(CurrentGyo(Syohi), gyo);
    EXPECT_EQ(JyobunKeyWord1[Syohi], "");
    EXPECT_EQ(JyobunEditKey1[Syohi]->Text(), "");
    EXPECT_EQ(RirekiTop, top + 1);
    EXPECT_EQ(memo->windowState(), Qt::WindowMinimized);
    // Nothing the main window did changed the memo.
    EXPECT_EQ(sjis::fromQString(memo->windowTitle()), caption);
    EXPECT_EQ(memo->MemoRichEdit->Text(), text);
}

TEST_F(MemoWindowTest, CopyPrintAndWordTakeTheMemosOwnText)
{
    TMemoWindow* memo = MemoOn(Syohi, GyoOf(Syohi, "消法", "３０条"));
    ASSERT_NE(memo, nullptr);
    const std::string text = memo->MemoRichEdit->Text();
    Activate(JyobunTabSheet[Gen]); // the main window shows another article

    memo->MemoRichEdit->SetSelStart(0);
    memo->MemoRichEdit->SetSelLength(4);
    memo->MemoCopyActionClick();
    EXPECT_EQ(system_.clipboard, text.substr(0, 4));
    memo->MemoAllSelectActionClick();
    EXPECT_EQ(memo->MemoRichEdit->SelText(), text);

    RecordingPrinter printer;
    memo->MemoPrintClick();
    EXPECT_EQ(printer.text, text);
    EXPECT_EQ(printer.jobTitle, "Ronvetta 条文印刷"_sj);
    EXPECT_EQ(printer.pageRect, QRect(QPoint(60, 70), QPoint(2249, 3249)));
    EXPECT_EQ(Temp, nullptr);

    std::filesystem::remove("Temp1.doc");
    memo->MemoWordClick(); // no Word here: the text file opened through the desktop
    EXPECT_EQ(system_.clipboard, text);
    ASSERT_FALSE(system_.opened.empty());
    EXPECT_EQ(system_.opened.back(), "Temp1.doc");
    std::filesystem::remove("Temp1.doc");
}

} // namespace
