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
    return count();
}

TabSheet* PageControl::Pages(int index) const
{
    return static_cast<TabSheet*>(widget(index));
}

TabSheet* PageControl::ActivePage() const
{
    return active_;
}

void PageControl::SetActivePage(TabSheet* page)
{
    fromCode_ = true;
    setCurrentWidget(page);
    fromCode_ = false;
    active_ = Pages(currentIndex());
}

void PageControl::addSheet(TabSheet* sheet, const QString& caption)
{
    fromCode_ = true;
    addTab(sheet, caption);
    fromCode_ = false;
    active_ = Pages(currentIndex());
}

void PageControl::setSheetVisible(TabSheet* sheet, bool visible)
{
    fromCode_ = true;
    setTabVisible(indexOf(sheet), visible);
    fromCode_ = false;
    active_ = Pages(currentIndex());
}

void PageControl::currentChangedByQt(int index)
{
    if (fromCode_)
        return;
    if (OnChanging)
        OnChanging();
    active_ = Pages(index);
    if (OnChange)
        OnChange();
}

TabSheet::TabSheet(PageControl* owner, std::string_view cp932Caption) : owner_(owner)
{
    owner->addSheet(this, sjis::toQString(cp932Caption));
}

std::string TabSheet::Caption() const
{
    return sjis::fromQString(owner_->tabText(PageIndex()));
}

bool TabSheet::TabVisible() const
{
    return owner_->isTabVisible(PageIndex());
}

void TabSheet::SetTabVisible(bool visible)
{
    owner_->setSheetVisible(this, visible);
}

int TabSheet::PageIndex() const
{
    return owner_->indexOf(this);
}

} // namespace ui
