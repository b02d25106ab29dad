#include "platform/ui/page_control.h"

#include "platform/text/sjis.h"

#include <QTabBar>

#include <algorithm>

namespace ui {
namespace {

// Fixed-width tabs; a caption wider than the tab widens it rather than
// being cut, since this style pads captions more than the original did.
class FixedWidthTabBar : public QTabBar {
public:
    int width = 0;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (width > 0)
            size.setWidth(std::max(width, size.width()));
        return size;
    }
};

} // namespace

PageControl::PageControl(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new FixedWidthTabBar);
    connect(this, &QTabWidget::currentChanged, this, &PageControl::currentChangedByQt);
}

void PageControl::SetTabWidth(int width)
{
    static_cast<FixedWidthTabBar*>(tabBar())->width = width;
    tabBar()->updateGeometry();
    tabBar()->update();
}

int PageControl::TabWidth() const
{
    return static_cast<const FixedWidthTabBar*>(tabBar())->width;
}

int PageControl::PageCount() const
{
    return static_cast<int>(sheets_.size());
}

TabSheet* PageControl::Pages(int index) const
{
    return sheets_.at(static_cast<std::size_t>(index));
}

TabSheet* PageControl::ActivePage() const
{
    return active_;
}

TabSheet* PageControl::current() const
{
    return static_cast<TabSheet*>(currentWidget());
}

void PageControl::SetActivePage(TabSheet* page)
{
    fromCode_ = true;
    setCurrentWidget(page);
    fromCode_ = false;
    active_ = current();
}

void PageControl::addSheet(TabSheet* sheet, const QString& caption)
{
    sheets_.push_back(sheet);
    fromCode_ = true;
    addTab(sheet, caption);
    fromCode_ = false;
    active_ = current();
}

void PageControl::setSheetVisible(TabSheet* sheet, bool visible)
{
    if (visible == sheet->TabVisible())
        return;
    fromCode_ = true;
    if (visible) {
        int at = 0; // after the shown pages before it
        for (TabSheet* s : sheets_) {
            if (s == sheet)
                break;
            at += s->TabVisible();
        }
        insertTab(at, sheet, sheet->caption_);
    } else {
        removeTab(indexOf(sheet));
        sheet->hide();
    }
    fromCode_ = false;
    active_ = current();
}

void PageControl::currentChangedByQt(int)
{
    if (fromCode_)
        return;
    if (OnChanging)
        OnChanging();
    active_ = current();
    if (OnChange)
        OnChange();
}

TabSheet::TabSheet(PageControl* owner, std::string_view cp932Caption)
    : owner_(owner), caption_(sjis::toQString(cp932Caption))
{
    owner->addSheet(this, caption_);
}

std::string TabSheet::Caption() const
{
    return sjis::fromQString(caption_);
}

bool TabSheet::TabVisible() const
{
    return owner_->indexOf(this) >= 0;
}

void TabSheet::SetTabVisible(bool visible)
{
    owner_->setSheetVisible(this, visible);
}

int TabSheet::PageIndex() const
{
    const auto& sheets = owner_->sheets_;
    return static_cast<int>(std::find(sheets.begin(), sheets.end(), this) - sheets.begin());
}

} // namespace ui
