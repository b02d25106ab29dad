#include "reader/link.h"

#include "app/mainpas.h"
#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/app/prompts.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "platform/ui/page_control.h"
#include "platform/ui/screen_cursor.h"
#include "reader/rireki.h"
#include "reader/sansyo.h"
#include "reader/tab_reset.h"
#include "windows/memopas.h"

#include <QPoint>

#include <cstdint>
#include <optional>
#include <utility>

namespace {

// Runs its action when the scope ends, also when an error passes through:
// the link flags must not outlive a press.
template <typename F> class AtExit {
public:
    explicit AtExit(F f) : f_(std::move(f)) {}
    ~AtExit() { f_(); }
    AtExit(const AtExit&) = delete;
    AtExit& operator=(const AtExit&) = delete;

private:
    F f_;
};

// Gyo of the current record of the dataset that law tab i's grid shows;
// none when it shows no record.
std::optional<std::int64_t> shownGyo(int i)
{
    db::Dataset* ds = JyobunMainSource[i] ? JyobunMainSource[i]->DataSet() : nullptr;
    if (!ds || !ds->Active() || ds->IsEmpty())
        return std::nullopt;
    return ds->FieldByName("Gyo").AsInteger();
}

bool linkRowLocate(int i, std::int64_t gyo, int sel)
{
    return JyobunLinkTable[i]->Locate("Gyo;Sel", {gyo, std::int64_t{sel}});
}

// The caret in front of the clicked link: back over the link's bytes, then
// one byte more (never below 0).
void caretBeforeLink(int i, std::int64_t gyo, int clicked)
{
    int p = clicked;
    while (linkRowLocate(i, gyo, p) && p > 0)
        --p;
    if (p - 1 > 0)
        --p;
    JyobunRichEdit[i]->SetSelStart(p);
}

// The text table of tab z follows its grid again (or holds all articles,
// unbound); the reactions to closing and opening build nothing.
void subTableBind(int z, bool toGrid)
{
    db::Table& sub = *JyobunSubTable[z];
    LinkBusy = 1;
    AtExit busyOff([] { LinkBusy = 0; });
    sub.Close();
    sub.SetMasterFields(toGrid ? "Gyo" : "");
    sub.SetMasterSource(toGrid ? JyobunMainSource[z] : nullptr);
    sub.Open();
}

void jumpTo(int z, std::int64_t target)
{
    RirekiSave();
    Main->MainPageControl->SetActivePage(JyobunTabSheet[z]);
    JyobunClear(z);
    JyobunReset(z);
    if (!JyobunMainTable[z]->Locate("Gyo", {target}))
        platform::ShowMessage("該当の条文はありません"_sj);
}

// Steps between unbinding and binding tab z's text table again.
void memoPrepareAndOpen(int i, std::int64_t gyo, int clicked, int z, std::int64_t target)
{
    db::Table& sub = *JyobunSubTable[z];
    // A locate that finds the row already current moves nothing and so fires
    // no reaction; the target's document must be built all the same.
    const bool current = !sub.IsEmpty() && sub.FieldByName("Gyo").AsInteger() == target;
    if (!sub.Locate("Gyo", {target})) {
        platform::ShowMessage("該当の条文はありません"_sj);
        return;
    }
    if (current)
        JyobunAfterScroll(z);
    caretBeforeLink(i, gyo, clicked);
    // The caret walk and a build within tab i have moved the link table; the
    // memo window reads its target from the clicked row.
    linkRowLocate(i, gyo, clicked);
    MemoTabNo = i;
    MemoWindowOpen();
}

// The text table of tab z is unbound from its grid only for this press: it
// is bound again however the steps end.
void memoOpen(int i, std::int64_t gyo, int clicked, int z, std::int64_t target)
{
    try {
        subTableBind(z, false);
        memoPrepareAndOpen(i, gyo, clicked, z, target);
    } catch (...) {
        subTableBind(z, true);
        MemoLinkMode = 0;
        throw;
    }
    subTableBind(z, true);
    MemoLinkMode = 0;
}

} // namespace

LinkPressMode LinkPressModeOf(const LinkShiftState& s)
{
    const bool plain = !s.shift && !s.ctrl && !s.alt && !s.doubleClick && !s.middle;
    if (plain && s.right && !s.left)
        return LinkPressMode::Nothing;
    if (plain && s.left && !s.right)
        return LinkPressMode::Memo;
    return LinkPressMode::Jump;
}

void LinkPress(int i, const LinkShiftState& shift)
{
    LinkBusy = 0;
    MemoLinkMode = 0;
    AtExit flagsOff([] {
        LinkBusy = 0;
        MemoLinkMode = 0;
    });
    const LinkPressMode mode = LinkPressModeOf(shift);
    if (mode == LinkPressMode::Nothing)
        return;
    if (mode == LinkPressMode::Memo)
        MemoLinkMode = 1;
    if (i > -1)
        LinkJump(i);
}

void LinkJump(int i)
{
    const std::optional<std::int64_t> gyo = shownGyo(i);
    if (!gyo)
        return;
    const int clicked = JyobunRichEdit[i]->SelStart();
    if (!linkRowLocate(i, *gyo, clicked))
        return;
    db::Table& links = *JyobunLinkTable[i];
    const std::int64_t target = links.FieldByName("GoGyo").AsInteger();
    const std::int64_t z = links.FieldByName("Zeimoku").AsInteger();

    if (z == -1 || z == -2) {
        LinkBusy = 0;
        MemoLinkMode = 0;
        SansyoCode = static_cast<int>(z);
        SansyoKensaku(i);
        return;
    }
    // Other codes are outside the data: such a link leads nowhere.
    if (z < 0 || z >= JyobunTabCount || JyobunTabHidden[z] == 1)
        return;
    const int tab = static_cast<int>(z);
    if (MemoLinkMode == 0)
        jumpTo(tab, target);
    else
        memoOpen(i, *gyo, clicked, tab, target);
}

bool LinkAt(int i, int pos)
{
    const std::optional<std::int64_t> gyo = shownGyo(i);
    return gyo && linkRowLocate(i, *gyo, pos);
}

void LinkCursorSet(int i, int x, int y)
{
    const bool onLink = LinkAt(i, JyobunRichEdit[i]->CharFromPos(QPoint(x, y)));
    ui::SetScreenCursor(onLink ? ui::ScreenCursor::HandPoint : ui::ScreenCursor::Default);
}
