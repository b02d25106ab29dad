// Links in the law article views: the press rule, the jump to another tab,
// the memo window on the target, the reference-search targets and the hand
// cursor, over the sample data (消費税 → 消費税, 消費税 → 会社法民法) and a few
// link rows of the 法人税 fixture (a link at the very start of a text, a
// missing target, targets outside the tabs).
#include "search_window.h"

#include "platform/richedit/rich_edit.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/tool_button.h"
#include "platform/ui/tree_view.h"
#include "reader/link.h"
#include "windows/memopas.h"
#include "windows/sansyopas.h"

#include <QApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <QTest>

namespace {

// 消費税 (tab 1) articles and links of the sample, as the data tool numbers them.
constexpr int ShoKihon528 = 440;   // 消基通 ５－２－８: 会社法第４５３条 at 330..345 → G 110
constexpr int ShoHou7 = 70;        // 消法 ７条: 政令で定める at 532 (-1), 財務省令で定める at 718 (-2)
constexpr int ShoHou45 = 170;      // 消法 ４５条: 第３０条 at 646 → 130, 第３７条 at 658 → 160
constexpr int GenKaisya453 = 110;  // 会社法 ４５３条 (tab 2)

bool hasUnescapedColour(const std::string& rtf, int colour)
{
    return rtf.find("{\\cf" + std::to_string(colour) + " ") != std::string::npos;
}

} // namespace

class LinkTest : public SearchWindow {
protected:
    void SetUp() override
    {
        SearchWindow::SetUp();
        // Links of the 法人税 fixture: Gyo 10 from offset 0, Gyo 20 from 4 and
        // Gyo 30 from 8 (all to tab 0), Gyo 40 to a missing article and from
        // 37, after a single-byte quote, to Gyo 10, Gyo 50 to the absent tab 3
        // and to Gyo 60, Gyo 60 to no tab at all and to a negative code other
        // than -1 and -2.
        db::Table& links = *JyobunLinkTable[Houjin];
        links.Close();
        // A new file each time: the reader reads a file as it first opened it.
        static int written = 0;
        links.SetTableName("A4-" + std::to_string(++written) + ".db");
        db::TableWriter w(links.TableName(), db::layout::lawLink());
        const auto span = [&w](int gyo, int from, int to, int goGyo, int zeimoku) {
            for (int sel = from; sel < to; ++sel)
                w.insert({gyo, sel, goGyo, zeimoku});
        };
        span(10, 0, 4, 20, Houjin);
        span(20, 4, 8, 10, Houjin);
        span(30, 8, 16, 40, Houjin);
        span(40, 0, 4, 999, Houjin);
        span(40, 37, 43, 10, Houjin);
        span(50, 0, 4, 10, Toku);
        span(50, 8, 12, 60, Houjin);
        span(60, 0, 4, 10, 9);
        span(60, 4, 8, 10, -3);
        w.commit();
        links.Open();
    }
    void TearDown() override
    {
        for (TMemoWindow* memo : MemoWindows())
            delete memo;
        MemoWindow = nullptr;
        ui::SetScreenCursor(ui::ScreenCursor::Default);
        SearchWindow::TearDown();
    }

    void Show(int i, int gyo)
    {
        Activate(JyobunTabSheet[i]);
        ASSERT_TRUE(JyobunMainTable[i]->Locate("Gyo", {std::int64_t{gyo}}));
        ASSERT_EQ(CurrentGyo(i), gyo);
    }
    static std::int64_t CurrentGyo(int i)
    {
        return JyobunMainSource[i]->DataSet()->FieldByName("Gyo").AsInteger();
    }

    // The viewport point in front of the character at byte `sel`.
    static QPoint PointOf(int i, int sel)
    {
        ui::RichEdit& rich = *JyobunRichEdit[i];
        rich.SetSelStart(sel);
        rich.ensureCursorVisible();
        const QRect r = rich.cursorRect();
        return {r.x() + 2, r.center().y()};
    }

    // A real press on the rich edit of tab i at byte `sel`; the control puts
    // the caret there before the handler runs. Before it the caret stands
    // on byte `caret`, or away from any link.
    void Press(int i, int sel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {}, int caret = -1)
    {
        const QPoint at = PointOf(i, sel);
        // Within the view, so that nothing scrolls.
        ui::RichEdit& rich = *JyobunRichEdit[i];
        const QWidget* view = rich.viewport();
        rich.SetSelStart(caret >= 0 ? caret
                                    : rich.CharFromPos(QPoint(view->width() - 2, view->height() - 2)));
        ASSERT_EQ(LinkAt(i, rich.SelStart()), caret >= 0);
        QTest::mouseClick(rich.viewport(), button, modifiers, at);
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close(); // the popup menu of a right press
    }

    static std::vector<TMemoWindow*> MemoWindows()
    {
        std::vector<TMemoWindow*> memos;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* memo = qobject_cast<TMemoWindow*>(w))
                memos.push_back(memo);
        return memos;
    }

    static void ExpectFlagsClear()
    {
        EXPECT_EQ(MemoLinkMode, 0);
        EXPECT_EQ(LinkBusy, 0);
    }

    // The text table of tab z follows its grid again.
    static void ExpectBoundToGrid(int z)
    {
        EXPECT_EQ(JyobunSubTable[z]->MasterSource(), JyobunMainSource[z]);
        EXPECT_EQ(JyobunSubTable[z]->MasterFields(), "Gyo");
        EXPECT_EQ(JyobunSubTable[z]->FieldByName("Gyo").AsInteger(), CurrentGyo(z));
    }
};

TEST_F(LinkTest, TheShiftStateAloneDecidesWhatAPressDoes)
{
    struct Case {
        LinkShiftState shift;
        LinkPressMode mode;
    };
    const auto state = [](bool l, bool r, bool m, bool s, bool c, bool a, bool d) {
        return LinkShiftState{l, r, m, s, c, a, d};
    };
    const Case cases[] = {
        {state(1, 0, 0, 0, 0, 0, 0), LinkPressMode::Memo},
        {state(0, 1, 0, 0, 0, 0, 0), LinkPressMode::Nothing},
        {state(1, 0, 0, 1, 0, 0, 0), LinkPressMode::Jump},
        {state(1, 0, 0, 0, 1, 0, 0), LinkPressMode::Jump},
        {state(1, 0, 0, 0, 0, 1, 0), LinkPressMode::Jump},
        {state(0, 0, 1, 0, 0, 0, 0), LinkPressMode::Jump},
        {state(1, 0, 0, 0, 0, 0, 1), LinkPressMode::Jump},
        {state(0, 1, 0, 0, 1, 0, 0), LinkPressMode::Jump},
        {state(1, 1, 0, 0, 0, 0, 0), LinkPressMode::Jump},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinkPressModeOf(c.shift), c.mode)
            << c.shift.left << c.shift.right << c.shift.middle << c.shift.shift << c.shift.ctrl
            << c.shift.alt << c.shift.doubleClick;
}

TEST_F(LinkTest, AnyButAPlainPressJumpsToTheTargetTabAndArticle)
{
    struct Case {
        const char* what;
        std::function<void()> press;
    };
    const int sel = 333; // inside 会社法第４５３条
    const Case cases[] = {
        {"shift", [this] { Press(Syohi, sel, Qt::LeftButton, Qt::ShiftModifier); }},
        {"ctrl", [this] { Press(Syohi, sel, Qt::LeftButton, Qt::ControlModifier); }},
        {"middle", [this] { Press(Syohi, sel, Qt::MiddleButton); }},
        {"ctrl+right", [this] { Press(Syohi, sel, Qt::RightButton, Qt::ControlModifier); }},
        {"alt+right", [this] { Press(Syohi, sel, Qt::RightButton, Qt::AltModifier); }},
        {"double click",
         [this] {
             const QPoint at = PointOf(Syohi, sel);
             main_->HoujinRichEditMouseDown(Qt::LeftButton, Qt::NoModifier, true, at);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Tab 2 holds a search, typed inputs and a scope: the jump clears them.
        LawSearch(Gen, "配当"_sj);
        ASSERT_NE(JyobunMainSource[Gen]->DataSet(), JyobunMainTable[Gen]);
        JyobunEditBangou[Gen]->SetText("1"_sj);
        JyobunComboBox[Gen]->SetItemIndex(3);
        Show(Syohi, ShoKihon528);
        const int top = RirekiTop;

        c.press();

        EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[Gen]);
        EXPECT_EQ(JyobunMainSource[Gen]->DataSet(), JyobunMainTable[Gen]);
        EXPECT_FALSE(JyobunMainTable[Gen]->Filtered());
        EXPECT_EQ(CurrentGyo(Gen), GenKaisya453);
        EXPECT_EQ(JyobunEditKey1[Gen]->Text(), "");
        EXPECT_EQ(JyobunEditBangou[Gen]->Text(), "");
        EXPECT_EQ(JyobunComboBox[Gen]->ItemIndex(), 0);
        EXPECT_EQ(JyobunKeyWord1[Gen], "");
        EXPECT_TRUE(sjis::contains(JyobunRichEdit[Gen]->Text(), "剰余金の配当"_sj));
        EXPECT_FALSE(hasUnescapedColour(JyobunRtfCache[Gen], 1));
        // One history entry: the place that was left.
        EXPECT_EQ(RirekiTop, top + 1);
        EXPECT_EQ(Rireki[top].TabSheet, JyobunTabSheet[Syohi]);
        EXPECT_EQ(Rireki[top].RowKey, ShoKihon528);
        EXPECT_TRUE(MemoWindows().empty());
        ExpectFlagsClear();
    }
}

TEST_F(LinkTest, APlainLeftPressShowsTheTargetInAMemoWindowAndLeavesTheMainWindow)
{
    // Key words on the target tab: the memo build must not colour them.
    LawSearch(Gen, "配当"_sj);
    const std::string genText = JyobunRichEdit[Gen]->Text();
    const std::string genCache = JyobunRtfCache[Gen];
    const std::int64_t genGyo = CurrentGyo(Gen);
    Show(Syohi, ShoKihon528);
    const std::string shoText = JyobunRichEdit[Syohi]->Text();
    const int top = RirekiTop;

    Press(Syohi, 333, Qt::LeftButton);

    const std::vector<TMemoWindow*> memos = MemoWindows();
    ASSERT_EQ(memos.size(), 1u);
    EXPECT_EQ(MemoWindow, memos[0]);
    EXPECT_EQ(memos[0]->MemoJyobunTab, Gen);
    EXPECT_EQ(memos[0]->MemoGyo, GenKaisya453);
    EXPECT_TRUE(sjis::contains(memos[0]->MemoRichEdit->Text(), "剰余金の配当"_sj));
    EXPECT_FALSE(hasUnescapedColour(MemoRtfStream, 1));
    EXPECT_FALSE(hasUnescapedColour(MemoRtfStream, 2));
    EXPECT_EQ(MemoTabNo, Syohi);
    // The caret stands two bytes before the link; nothing else moved.
    EXPECT_EQ(JyobunRichEdit[Syohi]->SelStart(), 328);
    EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[Syohi]);
    EXPECT_EQ(CurrentGyo(Syohi), ShoKihon528);
    EXPECT_EQ(JyobunRichEdit[Syohi]->Text(), shoText);
    EXPECT_EQ(RirekiTop, top);
    EXPECT_EQ(CurrentGyo(Gen), genGyo);
    EXPECT_EQ(JyobunRichEdit[Gen]->Text(), genText);
    EXPECT_EQ(JyobunRtfCache[Gen], genCache);
    ExpectBoundToGrid(Gen);
    ExpectFlagsClear();
}

TEST_F(LinkTest, AMemoOnALinkWithinTheTabLeavesTheTabsOwnViewAsItWas)
{
    Show(Syohi, ShoHou45);
    const std::string text = JyobunRichEdit[Syohi]->Text();
    const std::string cache = JyobunRtfCache[Syohi];

    Press(Syohi, 660, Qt::LeftButton); // 第３７条

    ASSERT_NE(MemoWindow, nullptr);
    EXPECT_EQ(MemoWindow->MemoJyobunTab, Syohi);
    EXPECT_EQ(MemoWindow->MemoGyo, 160);
    EXPECT_TRUE(sjis::contains(MemoWindow->MemoRichEdit->Text(), "第３７条"_sj));
    EXPECT_EQ(CurrentGyo(Syohi), ShoHou45);
    EXPECT_EQ(JyobunRichEdit[Syohi]->Text(), text);
    EXPECT_EQ(JyobunRtfCache[Syohi], cache);
    EXPECT_EQ(JyobunRichEdit[Syohi]->SelStart(), 656);
    ExpectBoundToGrid(Syohi);
    ExpectFlagsClear();
}

TEST_F(LinkTest, TheCaretGoesInFrontOfTheLinkAfterAMemoPress)
{
    struct Case {
        int gyo, click, caret;
        std::int64_t target;
        const char* targetText;
    };
    // Links from offset 0, 4, 8 and 37 of the 法人税 fixture texts; Gyo 10, the
    // target of the second, is the row the unbound text table opens on. Two
    // bytes back from 37 is the second byte of る: the caret stands before it.
    const Case cases[] = {{10, 2, 0, 20, "役員の給与は"},
                          {20, 5, 2, 10, "この法律は"},
                          {30, 13, 6, 40, "役員の範囲"},
                          {40, 39, 34, 10, "この法律は"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gyo);
        Show(Houjin, c.gyo);
        JyobunRichEdit[Houjin]->SetSelStart(c.click);
        LinkPress(Houjin, LinkShiftState{true});
        EXPECT_EQ(JyobunRichEdit[Houjin]->SelStart(), c.caret);
        ASSERT_NE(MemoWindow, nullptr);
        EXPECT_EQ(MemoWindow->MemoGyo, c.target);
        EXPECT_TRUE(sjis::contains(MemoWindow->MemoRichEdit->Text(), sjis::fromUtf8(c.targetText)));
        EXPECT_EQ(CurrentGyo(Houjin), c.gyo);
        ExpectBoundToGrid(Houjin);
        ExpectFlagsClear();
    }
}

TEST_F(LinkTest, ReferenceSearchTargetsPresetTheDialogWhateverThePress)
{
    struct Seen {
        bool seirei, kisoku, groupEnabled;
        int kubunNo;
    };
    std::vector<Seen> seen;
    const SansyoShowFunction before = SetSansyoShow([&seen](TSansyo& form) {
        seen.push_back({form.SansyoRadioButtonSeirei->isChecked(), form.SansyoRadioButtonKisoku->isChecked(),
                        form.SansyoGroupBox1->isEnabled(), SansyoKubunNo});
        // Left unanswered: the search is cancelled.
    });
    struct Case {
        int tab, gyo, sel, code;
        Qt::KeyboardModifiers modifiers;
        int kubunNo;
    };
    const Case cases[] = {{Syohi, ShoHou7, 535, -1, Qt::NoModifier, 110}, // 消法
                          {Syohi, ShoHou7, 535, -1, Qt::ControlModifier, 110},
                          {Syohi, ShoHou7, 720, -2, Qt::NoModifier, 110},
                          {Syohi, ShoHou7, 720, -2, Qt::ShiftModifier, 110},
                          {Houjin, 60, 5, -3, Qt::NoModifier, 710}}; // any code below 0
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sel);
        Show(c.tab, c.gyo);
        const int top = RirekiTop;
        seen.clear();
        Press(c.tab, c.sel, Qt::LeftButton, c.modifiers);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].seirei, c.code == -1);
        EXPECT_EQ(seen[0].kisoku, c.code == -2);
        EXPECT_EQ(seen[0].groupEnabled, c.code < -2); // only -1 and -2 preset the scope
        EXPECT_EQ(seen[0].kubunNo, c.kubunNo);
        EXPECT_EQ(SansyoCode, c.code);
        EXPECT_TRUE(MemoWindows().empty());
        EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[c.tab]);
        EXPECT_EQ(CurrentGyo(c.tab), c.gyo);
        EXPECT_EQ(RirekiTop, top);
        ExpectFlagsClear();
    }

    // The same link in a memo window runs the memo's own reference search.
    Show(Houjin, 50);
    Press(Houjin, 9, Qt::LeftButton);
    ASSERT_EQ(MemoWindows().size(), 1u);
    TMemoWindow& memo = *MemoWindows()[0];
    ASSERT_EQ(memo.MemoGyo, 60);
    bool memoGroupLocked = false;
    SetSansyoShow([&memoGroupLocked](TSansyo& form) {
        memoGroupLocked = form.SansyoRadioGroup2->ItemIndex() == 1 && !form.SansyoRadioGroup2->isEnabled();
    });
    memo.MemoRichEdit->SetSelStart(5);
    memo.MemoRichEditMouseDown(Qt::LeftButton, Qt::NoModifier, false, {});
    EXPECT_TRUE(memoGroupLocked);
    EXPECT_EQ(SansyoCode, -3);
    EXPECT_EQ(MemoWindows().size(), 1u);
    ExpectFlagsClear();
    SetSansyoShow(before);
}

TEST_F(LinkTest, PressesThatLeadNowhereDoNothing)
{
    struct Case {
        const char* what;
        int tab, gyo, sel;
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        int caret = -1; // away from any link
    };
    const Case cases[] = {
        {"off a link", Syohi, ShoKihon528, 20, Qt::LeftButton, Qt::NoModifier},
        {"off a link, jump", Syohi, ShoKihon528, 20, Qt::LeftButton, Qt::ControlModifier},
        {"ctrl+right off a link, the caret on one", Syohi, ShoKihon528, 20, Qt::RightButton,
         Qt::ControlModifier, 333},
        {"right button on a link", Syohi, ShoKihon528, 333, Qt::RightButton, Qt::NoModifier},
        {"absent tab", Houjin, 50, 1, Qt::LeftButton, Qt::ControlModifier},
        {"absent tab, memo", Houjin, 50, 1, Qt::LeftButton, Qt::NoModifier},
        {"no such tab", Houjin, 60, 1, Qt::LeftButton, Qt::ControlModifier},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Show(c.tab, c.gyo);
        const int top = RirekiTop;
        Press(c.tab, c.sel, c.button, c.modifiers, c.caret);
        EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[c.tab]);
        EXPECT_EQ(CurrentGyo(c.tab), c.gyo);
        EXPECT_EQ(RirekiTop, top);
        EXPECT_TRUE(MemoWindows().empty());
        ExpectBoundToGrid(c.tab);
        ExpectFlagsClear();
    }
    EXPECT_TRUE(prompts_.Shown().empty());
}

TEST_F(LinkTest, AMissingTargetIsReportedInBothModes)
{
    Show(Houjin, 40);
    prompts_.Expect(platform::PromptKind::Message, "該当の条文はありません"_sj);
    JyobunRichEdit[Houjin]->SetSelStart(2);
    LinkPress(Houjin, LinkShiftState{true});
    EXPECT_TRUE(MemoWindows().empty());
    EXPECT_EQ(JyobunRichEdit[Houjin]->SelStart(), 2); // no window, no caret move
    ExpectBoundToGrid(Houjin);
    ExpectFlagsClear();

    prompts_.Expect(platform::PromptKind::Message, "該当の条文はありません"_sj);
    const int top = RirekiTop;
    JyobunRichEdit[Houjin]->SetSelStart(2);
    LinkPress(Houjin, LinkShiftState{.left = true, .ctrl = true});
    EXPECT_EQ(RirekiTop, top + 1);
    EXPECT_EQ(JyobunMainSource[Houjin]->DataSet(), JyobunMainTable[Houjin]);
    EXPECT_EQ(CurrentGyo(Houjin), 10); // reset to the first article
    ExpectFlagsClear();

    // A target the text table holds but the list does not: the memo opens all the same.
    JyobunMainTable2[Houjin]->SetFilter("Gyo <> 20");
    JyobunMainTable2[Houjin]->SetFiltered(true);
    prompts_.Expect(platform::PromptKind::Message, "該当の条文はありません"_sj);
    JyobunRichEdit[Houjin]->SetSelStart(2);
    LinkPress(Houjin, LinkShiftState{true});
    EXPECT_EQ(MemoWindows().size(), 1u);
}

TEST_F(LinkTest, AFailingStepLeavesNoFlagSetAndTheTextTableBound)
{
    // The target tab's text table cannot be opened again: the press fails.
    Show(Houjin, 10);
    const std::string saved = "A2.saved";
    std::filesystem::rename("A2.db", saved);
    JyobunRichEdit[Houjin]->SetSelStart(2);
    EXPECT_THROW(LinkPress(Houjin, LinkShiftState{true}), std::exception);
    ExpectFlagsClear();
    std::filesystem::rename(saved, "A2.db");
    JyobunSubTable[Houjin]->Open();
    ExpectBoundToGrid(Houjin);

    // The text file changed in place under ３０条: a move or a memo press fails, and so does every later
    // read, each saying why; the view shows the row's article or none, marker and tree go with the grid.
    ui::DBGrid& grid = *JyobunDBGrid[Syohi];
    ui::TreeView& tree = *JyobunTreeView[Syohi];
    const auto click = [](QWidget* w, QPoint at) { QTest::mouseClick(w, Qt::LeftButton, {}, at); };
    const std::function<void()> steps[] = {
        [&] { Press(Syohi, 68, Qt::LeftButton); }, [&] { QTest::keyClick(&grid, Qt::Key_Down); },
        [&] { tree.Select(20); click(tree.viewport(), tree.visualItemRect(tree.currentItem()).center()); },
        [&] { click(main_->BBtnBack, {4, 4}); },
        [&] { JyobunEditKey1[Syohi]->SetText("税"_sj);
              platform::RunGuarded([&] { main_->ColorSetButtonClick(); }); }};
    const std::string changed = ": the file changed on disk while the reader had it open; start the reader "
                                "again";
    for (const int first : {1, 0}) {
        const std::string file = "E2-" + std::to_string(first) + ".db";
        std::filesystem::copy_file("E2.db", file);
        JyobunSubTable[Syohi]->Close();
        JyobunSubTable[Syohi]->SetTableName(file);
        JyobunSubTable[Syohi]->Open();
        Activate(JyobunTabSheet[Syohi]);
        JyobunEditBangou[Syohi]->SetText("30"_sj);
        main_->BBtnJumpClick();
        std::filesystem::copy_file("G2.db", file, std::filesystem::copy_options::overwrite_existing);
        for (const int s : {first, 1, 2, 3, 4}) {
            SCOPED_TRACE(s);
            prompts_.Expect(platform::PromptKind::Error, "Cannot read " + file + changed);
            steps[s]();
            const std::string text = JyobunRichEdit[Syohi]->Text();
            EXPECT_TRUE(text.empty() || (CurrentGyo(Syohi) == 130 && sjis::contains(text, "第３０条　"_sj)));
            const QVariant marker = grid.model()->headerData(grid.currentIndex().row(), Qt::Vertical);
            EXPECT_EQ(marker, QString(QChar(0x25B6)));
            ASSERT_TRUE(JyobunTreeTable[Syohi]->Locate("Gyo", {CurrentGyo(Syohi)}));
            EXPECT_EQ(tree.Selected(), JyobunTreeTable[Syohi]->FieldByName("TreeID").AsInteger());
        }
    }
}

TEST_F(LinkTest, TheHandCursorShowsOverLinkBytesOnly)
{
    Show(Syohi, ShoHou45);
    struct Case {
        int sel;
        ui::ScreenCursor cursor;
    };
    const Case cases[] = {{646, ui::ScreenCursor::HandPoint}, {652, ui::ScreenCursor::HandPoint},
                          {654, ui::ScreenCursor::Default},   {658, ui::ScreenCursor::HandPoint},
                          {20, ui::ScreenCursor::Default}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sel);
        const QPoint at = PointOf(Syohi, c.sel);
        ASSERT_EQ(JyobunRichEdit[Syohi]->CharFromPos(at), c.sel);
        QTest::mouseMove(JyobunRichEdit[Syohi]->viewport(), at);
        main_->HoujinRichEditMouseMove(at);
        EXPECT_EQ(ui::CurrentScreenCursor(), c.cursor);
    }
    // Another article's link rows do not count.
    Show(Syohi, ShoKihon528);
    const QPoint at = PointOf(Syohi, 652);
    main_->HoujinRichEditMouseMove(at);
    EXPECT_EQ(ui::CurrentScreenCursor(), ui::ScreenCursor::Default);
}

// The control selects a word on a double click: the press still follows the
// link it hit.
TEST_F(LinkTest, ARealDoubleClickOnALinkJumps)
{
    Show(Syohi, ShoKihon528);
    const QPoint at = PointOf(Syohi, 333);
    JyobunRichEdit[Syohi]->SetSelStart(0);
    QTest::mouseDClick(JyobunRichEdit[Syohi]->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(main_->MainPageControl->ActivePage(), JyobunTabSheet[Gen]);
    EXPECT_EQ(CurrentGyo(Gen), GenKaisya453);
    ExpectFlagsClear();
}
