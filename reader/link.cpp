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

// The caret in front of the clicked link: back over the link's bytes, then
// one byte more (never below 0).
void caretBeforeLink(const LinkSource& source, int clicked)
{
    int p = clicked;
    while (LinkAt(source, p) && p > 0)
        --p;
    if (p - 1 > 0)
        --p;
    source.edit.SetSelStart(p);
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

// Steps between unbinding and binding tab z's text table again.
void memoPrepareAndOpen(const LinkSource& source, int clicked, int z, std::int64_t target)
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
    caretBeforeLink(source, clicked);
    // The caret walk and a build within the source's tab have moved the link
    // table; the memo window reads its target from the clicked row.
    LinkAt(source, clicked);
    MemoTabNo = source.tab;
    MemoWindowOpen();
}

// The text table of tab z is unbound from its grid only for this press: it
// is bound again however the steps end.
void memoOpen(const LinkSource& source, int clicked, int z, std::int64_t target)
{
    try {
        subTableBind(z, false);
        memoPrepareAndOpen(source, clicked, z, target);
    } catch (...) {
        subTableBind(z, true);
        MemoLinkMode = 0;
        throw;
    }
    subTableBind(z, true);
    MemoLinkMode = 0;
}

} // namespace

std::optional<LinkSource> LinkSourceOf(int i)
{
    db::Dataset* ds = JyobunMainSource[i] ? JyobunMainSource[i]->DataSet() : nullptr;
    if (!ds || !ds->Active() || ds->IsEmpty())
        return std::nullopt;
    return LinkSource{*JyobunRichEdit[i], *JyobunLinkTable[i], i, ds->FieldByName("Gyo").AsInteger()};
}

LinkPressMode LinkPressModeOf(const LinkShiftState& s)
{
    const bool plain = !s.shift && !s.ctrl && !s.alt && !s.doubleClick && !s.middle;
    if (plain && s.right && !s.left)
        return LinkPressMode::Nothing;
    if (plain && s.left && !s.right)
        return LinkPressMode::Memo;
    return LinkPressMode::Jump;
}

LinkPressFlags::LinkPressFlags(const LinkShiftState& shift) : mode_(LinkPressModeOf(shift))
{
    LinkBusy = 0;
    MemoLinkMode = mode_ == LinkPressMode::Memo ? 1 : 0;
}

LinkPressFlags::~LinkPressFlags()
{
    LinkBusy = 0;
    MemoLinkMode = 0;
}

bool LinkPressFlags::Follows() const
{
    return mode_ != LinkPressMode::Nothing;
}

LinkFollowed LinkFollow(const LinkSource& source)
{
    const int clicked = source.edit.SelStart();
    if (!LinkAt(source, clicked))
        return LinkFollowed::Nothing;
    const std::int64_t target = source.links.FieldByName("GoGyo").AsInteger();
    const std::int64_t z = source.links.FieldByName("Zeimoku").AsInteger();

    if (z < 0) {
        LinkBusy = 0;
        MemoLinkMode = 0;
        SansyoCode = static_cast<int>(z);
        return LinkFollowed::Sansyo;
    }
    // Other codes are outside the data: such a link leads nowhere.
    if (z >= JyobunTabCount || JyobunTabHidden[z] == 1)
        return LinkFollowed::Nothing;
    const int tab = static_cast<int>(z);
    if (MemoLinkMode == 0) {
        LinkMainJump(tab, target);
        return LinkFollowed::MainJump;
    }
    memoOpen(source, clicked, tab, target);
    return LinkFollowed::Memo;
}

void LinkMainJump(int z, std::int64_t gyo)
{
    RirekiSave();
    Main->MainPageControl->SetActivePage(JyobunTabSheet[z]);
    JyobunClear(z);
    JyobunReset(z);
    if (!JyobunMainTable[z]->Locate("Gyo", {gyo}))
        platform::ShowMessage("該当の条文はありません"_sj);
}

void LinkPressedPlaceSet(const LinkSource& source, const LinkShiftState& shift, const QPoint& pos)
{
    if (!shift.shift && !shift.middle && !shift.doubleClick)
        return;
    const int pressed = source.edit.CharFromPos(pos);
    if (LinkAt(source, pressed))
        source.edit.SetSelStart(pressed);
}

void LinkPress(int i, const LinkShiftState& shift)
{
    const LinkPressFlags press(shift);
    if (press.Follows() && i > -1)
        LinkJump(i);
}

void LinkJump(int i)
{
    const std::optional<LinkSource> source = LinkSourceOf(i);
    if (source && LinkFollow(*source) == LinkFollowed::Sansyo)
        SansyoKensaku(i);
}

bool LinkAt(const LinkSource& source, int pos)
{
    return source.links.Locate("Gyo;Sel", {source.gyo, std::int64_t{pos}});
}

bool LinkAt(int i, int pos)
{
    const std::optional<LinkSource> source = LinkSourceOf(i);
    return source && LinkAt(*source, pos);
}

void LinkCursorSet(const LinkSource& source, const QPoint& pos)
{
    const bool onLink = LinkAt(source, source.edit.CharFromPos(pos));
    ui::SetScreenCursor(onLink ? ui::ScreenCursor::HandPoint : ui::ScreenCursor::Default);
}

void LinkCursorSet(int i, int x, int y)
{
    if (const std::optional<LinkSource> source = LinkSourceOf(i))
        LinkCursorSet(*source, QPoint(x, y));
    else
        ui::SetScreenCursor(ui::ScreenCursor::Default);
}
