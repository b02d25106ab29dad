#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "platform/ui/tree_view.h"
#include "support/desktop_input.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabBar>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace {

void TypeText(QWidget& target, const char* ascii)
{
    TypeText(target, QString::fromLatin1(ascii));
}

} // namespace

TEST(ComboBox, OnlyTheUsersChangesRunTheChangeHandler)
{
    ui::ComboBox combo;
    int changes = 0;
    combo.OnChange = [&] { ++changes; };
    combo.SetItems({"全範囲"_sj, "ab", "abc"});
    combo.SetText("全範囲"_sj);
    EXPECT_EQ(combo.ItemIndex(), -1) << "the stored text selects no item";
    EXPECT_EQ(combo.Text(), "全範囲"_sj);

    combo.SetItemIndex(2);
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.Text(), "abc");
    combo.SetItemIndex(-1);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(changes, 0);

    // Picking with the keyboard is the user's change.
    combo.SetItemIndex(0);
    PressKey(combo, Qt::Key_Down);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(changes, 1);

    // Editing the text: the item equal to it is selected, else none.
    combo.lineEdit()->clear();
    combo.setFocus();
    TypeText(combo, "ab");
    EXPECT_EQ(combo.Text(), "ab");
    EXPECT_EQ(combo.ItemIndex(), 1);
    TypeText(combo, "x");
    EXPECT_EQ(combo.Text(), "abx");
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(combo.count(), 3) << "typed texts never become items";
}

TEST(ComboBoxAndEdit, KeyPressSeesEveryCharacterTheDesktopDelivers)
{
    ui::ComboBox combo;
    ui::Edit edit;
    ui::DBRichEdit rich;
    std::string keys;
    const auto record = [&](char& key) { keys += key; };
    combo.OnKeyPress = edit.OnKeyPress = rich.OnKeyPress = record;
    const struct {
        const char* what;
        std::function<void(QWidget&)> send;
        std::string seen;
    } inputs[] = {
        {"Enter", [](QWidget& w) { PressKey(w, Qt::Key_Return, {}, QStringLiteral("\r")); }, "\r"},
        {"keypad Enter", [](QWidget& w) { PressKey(w, Qt::Key_Enter, Qt::KeypadModifier); }, "\r"},
        {"Backspace and Escape",
         [](QWidget& w) {
             PressKey(w, Qt::Key_Backspace, {}, QStringLiteral("\b"));
             PressKey(w, Qt::Key_Escape, {}, QStringLiteral("\x1b"));
         },
         "\b\x1b"},
        {"copy and paste keys",
         [](QWidget& w) {
             PressCtrl(w, 'c');
             PressCtrl(w, 'v');
         },
         "\x03\x16"},
        {"accented letter (none in CP932), yen sign (CP932 has it as 5C), half-width kana",
         [](QWidget& w) { TypeText(w, QStringLiteral("\u00e9\u00a5\uff71")); }, "?\\\xb1"},
        {"committed by the input method", [](QWidget& w) { CommitText(w, QStringLiteral("a\uff11")); },
         "a\x82"},
        {"keys that type nothing",
         [](QWidget& w) {
             PressKey(w, Qt::Key_Left);
             PressKey(w, Qt::Key_Delete, {}, QStringLiteral("\x7f"));
             PressKey(w, Qt::Key_Shift, Qt::ShiftModifier);
         },
         ""},
    };
    for (QWidget* control : std::initializer_list<QWidget*>{&combo, &edit, &rich}) {
        for (const auto& in : inputs) {
            SCOPED_TRACE(testing::Message() << control->metaObject()->className() << ": " << in.what);
            keys.clear();
            in.send(*control);
            EXPECT_EQ(keys, in.seen);
        }
    }
}

TEST(ComboBoxAndEdit, KeyPressMaySwallowOrReplaceACharacter)
{
    ui::Edit edit;
    edit.OnKeyPress = [](char& key) {
        if (key == 'x')
            key = 0;
        else if (key == 'a')
            key = 'b';
    };
    TypeText(edit, "axc");
    EXPECT_EQ(edit.Text(), "bc");
    CommitText(edit, QStringLiteral("xax"));
    EXPECT_EQ(edit.Text(), "bcb") << "committed text is filtered character by character";

    // A refused paste key pastes nothing; one turned into a letter types it.
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    edit.OnKeyPress = [](char& key) { key = key == 22 ? 0 : key == 3 ? 'c' : key; };
    PressCtrl(edit, 'v');
    PressCtrl(edit, 'c');
    EXPECT_EQ(edit.Text(), "bcbc");
}

TEST(TreeView, AbsoluteIndexesAndSingleExpand)
{
    // Used as a tree file loads it (inside an update) and outside one.
    for (const bool updating : {false, true}) {
        SCOPED_TRACE(updating ? "in an update" : "no update");
        ui::TreeView tree;
        tree.resize(200, 300);
        if (updating)
            tree.BeginUpdate();
        const int a = tree.AddNode(-1, "A");  // 0
        const int a1 = tree.AddNode(a, "A1"); // 1
        tree.AddNode(a1, "A1a");              // 2
        const int a2 = tree.AddNode(a, "A2"); // 3
        tree.AddNode(a2, "A2a");              // 4
        const int b = tree.AddNode(-1, "B");  // 5
        tree.AddNode(b, "B1");                // 6
        ASSERT_EQ(tree.Count(), 7);
        EXPECT_EQ(tree.Text(4), "A2a");
        EXPECT_EQ(tree.Level(4), 2);
        EXPECT_EQ(tree.Parent(4), 3);
        EXPECT_EQ(tree.Parent(5), -1);
        EXPECT_EQ(tree.Selected(), -1);
        EXPECT_EQ(tree.TopItem(), 0);

        struct Step {
            int select;
            std::vector<int> expanded;
        };
        const Step steps[] = {
            {1, {0, 1}},    // ancestors open for the selected node
            {3, {0, 3}},    // the node selected before collapses
            {4, {0, 3, 4}}, // not when it is an ancestor of the new one
            {6, {0, 3, 5, 6}},
            {2, {0, 1, 2, 3, 5}},
            {0, {0, 1, 3, 5}},
        };
        for (const Step& step : steps) {
            tree.Select(step.select);
            EXPECT_EQ(tree.Selected(), step.select);
            std::vector<int> expanded;
            for (int i = 0; i < tree.Count(); ++i)
                if (tree.Expanded(i))
                    expanded.push_back(i);
            EXPECT_EQ(expanded, step.expanded) << "after selecting " << step.select;
        }

        EXPECT_EQ(tree.AddNode(-1, "C"), 7);
        EXPECT_EQ(tree.Level(7), 0);
        if (updating)
            tree.EndUpdate();
        ASSERT_EQ(tree.topLevelItemCount(), 3);
        EXPECT_EQ(tree.topLevelItem(2)->text(0), QStringLiteral("C"));
        EXPECT_EQ(tree.topLevelItem(1)->child(0)->text(0), QStringLiteral("B1"));

        tree.FullCollapse();
        for (int i = 0; i < tree.Count(); ++i)
            EXPECT_FALSE(tree.Expanded(i));
        EXPECT_EQ(tree.Selected(), 0);

        tree.Clear();
        EXPECT_EQ(tree.Count(), 0);
        EXPECT_EQ(tree.Selected(), -1);
    }
}

TEST(TreeView, ClickReportsAfterTheNodeIsSelected)
{
    ui::TreeView tree;
    tree.resize(200, 300);
    tree.show();
    tree.AddNode(-1, "A");
    tree.AddNode(-1, "B");
    int selectedAtClick = -2;
    tree.OnClick = [&] { selectedAtClick = tree.Selected(); };
    const QPoint at = tree.visualItemRect(tree.topLevelItem(1)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, tree.viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, tree.viewport()->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &release);
    EXPECT_EQ(selectedAtClick, 1);
}

TEST(PageControl, HooksRunOnlyForTheUsersChange)
{
    ui::PageControl pages;
    auto* first = new ui::TabSheet(&pages, "法人税"_sj);
    auto* second = new ui::TabSheet(&pages, "消費税"_sj);
    auto* third = new ui::TabSheet(&pages, "会社法民法"_sj);
    pages.SetTabWidth(68);
    pages.show();
    EXPECT_EQ(pages.tabBar()->tabRect(0).width(), 68);
    EXPECT_GT(pages.tabBar()->tabRect(2).width(), 68) << "a long caption widens its tab";
    EXPECT_EQ(third->Caption(), "会社法民法"_sj);

    std::vector<std::pair<ui::TabSheet*, ui::TabSheet*>> seen; // (changing, change)
    ui::TabSheet* changing = nullptr;
    pages.OnChanging = [&] { changing = pages.ActivePage(); };
    pages.OnChange = [&] { seen.emplace_back(changing, pages.ActivePage()); };

    first->SetTabVisible(false);
    EXPECT_FALSE(first->TabVisible());
    EXPECT_EQ(pages.PageCount(), 3) << "a hidden page keeps its place";
    EXPECT_EQ(second->PageIndex(), 1);
    EXPECT_EQ(pages.tabBar()->count(), 2) << "only shown pages have a tab";
    pages.SetActivePage(third);
    EXPECT_EQ(pages.ActivePage(), third);
    EXPECT_TRUE(seen.empty());

    pages.tabBar()->setCurrentIndex(pages.indexOf(second)); // as a click on the tab does
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, third);
    EXPECT_EQ(seen[0].second, second);

    first->SetTabVisible(true);
    EXPECT_EQ(pages.indexOf(first), 0) << "back in its place";
    EXPECT_EQ(first->Caption(), "法人税"_sj);
    EXPECT_EQ(pages.ActivePage(), second);
    for (ui::TabSheet* sheet : {first, second, third})
        sheet->SetTabVisible(false);
    third->SetTabVisible(true); // into an empty bar, where it becomes current
    second->SetTabVisible(true);
    EXPECT_EQ(pages.indexOf(second), 0) << "no shown page before it";
    EXPECT_EQ(seen.size(), 1u);
}
