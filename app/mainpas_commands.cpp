#include "app/mainpas.h"

#include "app/tab_dispatch.h"
#include "platform/richedit/rich_edit.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/edit.h"
#include "platform/ui/key_press.h"
#include "platform/ui/page_control.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/tool_button.h"
#include "platform/ui/tree_view.h"
#include "reader/commands.h"
#include "reader/rireki.h"
#include "reader/tab_reset.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>

#include <initializer_list>
#include <vector>

namespace {

// Routes the events that have no handler slot of their own in the controls:
// the grids' key presses, the mouse moves that end the link cursor and the
// window's wheel.
class CommandEvents : public QObject {
public:
    explicit CommandEvents(TMain& owner) : QObject(&owner), main_(owner) {}

    void WatchGrid(ui::DBGrid* grid)
    {
        grid->installEventFilter(this);
        grids_.push_back(grid);
    }
    void WatchMouseMoves(QWidget* area)
    {
        area->setMouseTracking(true);
        area->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            gridKeyPress(watched, static_cast<QKeyEvent&>(*event));
            return false;
        case QEvent::MouseMove:
            main_.HoujinDBGridMouseMove();
            return false;
        case QEvent::Wheel:
            return watched == &main_ && main_.FormMouseWheel();
        default:
            return false;
        }
    }

private:
    // A grid's key press reaches its handler; the grid still gets the key.
    void gridKeyPress(QObject* watched, QKeyEvent& event)
    {
        for (ui::DBGrid* grid : grids_) {
            if (watched != grid)
                continue;
            ui::DeliverKeyPress([this, grid](char& key) { main_.HoujinDBGridKeyPress(*grid, key); }, event,
                                [](QKeyEvent*) {});
        }
    }

    TMain& main_;
    std::vector<ui::DBGrid*> grids_;
};

} // namespace

void TMain::CommandsConnect()
{
    auto* events = new CommandEvents(*this);
    installEventFilter(events);

    BBtnHome->setEnabled(true);
    connect(BBtnHome, &QToolButton::clicked, this, &TMain::BBtnHomeClick);
    BBtnOpenAll->setEnabled(true);
    connect(BBtnOpenAll, &QToolButton::clicked, this, &TMain::BBtnOpenAllClick);
    BBtnClear->setEnabled(true);
    connect(BBtnClear, &QToolButton::clicked, this, &TMain::BBtnClearClick);
    SentakuAction2->setEnabled(true);
    connect(SentakuAction2, &QAction::triggered, this, &TMain::SentakuAction2Click);
    // The colour button works wherever the title lets it show.
    ColorSetButton->setEnabled(!ColorSetButton->isHidden());
    connect(ColorSetButton, &QToolButton::clicked, this, &TMain::ColorSetButtonClick);

    for (ui::Edit* edit : {HEditKey1, HEditKey2, SEditKey1, SEditKey2, GEditKey1, GEditKey2, TEditKey1,
                           TEditKey2, ZEditKey1, ZEditKey2, MEditKey1, MEditKey2, HbEditKey1, HbEditKey2,
                           SbEditKey1, SbEditKey2, TbEditKey1, TbEditKey2})
        edit->OnKeyPress = [this](char& key) { HComboBoxKeyPress(key); };
    for (ui::ComboBox* combo : {HComboBox, SComboBox, GComboBox, TComboBox, ZComboBox, MComboBox, HbComboBox,
                                SbComboBox, TbComboBox})
        combo->OnKeyPress = [this](char& key) { HComboBoxKeyPress(key); };

    for (ui::DBGrid* grid : {HoujinDBGrid, SyohiDBGrid, GenDBGrid, TokuDBGrid, ZokuDBGrid, MinDBGrid,
                             HbooksDBGrid, SbooksDBGrid, TbooksDBGrid})
        events->WatchGrid(grid);
    struct CursorAreas {
        ui::DBGrid* grid;
        ui::Panel* panel4;
        ui::Panel* panel5;
        ui::TreeView* tree;
    };
    for (const CursorAreas& law : {CursorAreas{HoujinDBGrid, HoujinPanel4, HoujinPanel5, HoujinTreeView},
                                   CursorAreas{SyohiDBGrid, SyohiPanel4, SyohiPanel5, SyohiTreeView},
                                   CursorAreas{GenDBGrid, GenPanel4, GenPanel5, GenTreeView},
                                   CursorAreas{TokuDBGrid, TokuPanel4, TokuPanel5, TokuTreeView},
                                   CursorAreas{ZokuDBGrid, ZokuPanel4, ZokuPanel5, ZokuTreeView},
                                   CursorAreas{MinDBGrid, MinPanel4, MinPanel5, MinTreeView}}) {
        events->WatchMouseMoves(law.grid->viewport());
        events->WatchMouseMoves(law.panel4);
        events->WatchMouseMoves(law.panel5);
        events->WatchMouseMoves(law.tree->viewport());
    }

    for (ui::RichEdit* rich : {HoujinRichEdit, SyohiRichEdit, GenRichEdit, TokuRichEdit, ZokuRichEdit,
                               MinRichEdit, HbooksRichEdit, SbooksRichEdit, TbooksRichEdit})
        connect(rich, &ui::RichEdit::wheelTurned, this, [this] { FormMouseWheel(); });
}

void TMain::BBtnHomeClick()
{
    HomeStart();
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        JyobunHome(TabNo);
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksHome(TabNo);
}

void TMain::BBtnOpenAllClick()
{
    RirekiSave();
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        JyobunOpenAll(TabNo);
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksOpenAll(TabNo);
}

void TMain::BBtnClearClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        JyobunClear(TabNo);
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksClear(TabNo);
}

void TMain::SentakuAction2Click()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        JyobunSentakuKensaku(TabNo);
        return;
    }
    TabNo = BooksTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        BooksSentakuKensaku(TabNo);
}

void TMain::ColorSetButtonClick()
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1)
        JyobunColorSet(TabNo);
}

// Key edits and scope combos of every tab. Enter only moves the focus to the
// search button; the search runs when that button is pressed.
void TMain::HComboBoxKeyPress(char& key)
{
    TabNo = JyobunTabIndex(MainPageControl->ActivePage());
    if (TabNo > -1) {
        JyobunSelectionDrop(TabNo);
    } else {
        TabNo = BooksTabIndex(MainPageControl->ActivePage());
        if (TabNo > -1)
            BooksSelectionDrop(TabNo);
    }
    if (key == 13) {
        BBtnKensaku->setFocus(Qt::OtherFocusReason);
        if (!isActiveWindow())
            activateWindow();
    }
}

void TMain::HoujinDBGridKeyPress(ui::DBGrid& sender, char& key)
{
    if (key == 13 || key == ' ')
        DBGridNextRecord(sender);
}

// Moving off a rich edit's link ends the hand cursor.
void TMain::HoujinDBGridMouseMove()
{
    ui::SetScreenCursor(ui::ScreenCursor::Default);
}

// The wheel is left to the controls' own scrolling: never handled here.
bool TMain::FormMouseWheel()
{
    return false;
}
