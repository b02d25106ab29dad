#include "platform/ui/tree_view.h"

#include "platform/text/sjis.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace ui {
namespace {

constexpr int IndexRole = Qt::UserRole;
constexpr int LevelRole = Qt::UserRole + 1;

} // namespace

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    header()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
    connect(this, &QTreeWidget::currentItemChanged, this, &TreeView::singleExpand);
}

int TreeView::AddNode(int parent, std::string_view cp932Text)
{
    QTreeWidgetItem* item;
    int level = 0;
    if (parent < 0) {
        item = new QTreeWidgetItem(this);
    } else {
        item = new QTreeWidgetItem(nodes_.at(parent));
        level = Level(parent) + 1;
    }
    const int index = static_cast<int>(nodes_.size());
    item->setText(0, sjis::toQString(cp932Text));
    item->setData(0, IndexRole, index);
    item->setData(0, LevelRole, level);
    nodes_.push_back(item);
    return index;
}

void TreeView::Clear()
{
    nodes_.clear();
    clear();
}

int TreeView::Count() const
{
    return static_cast<int>(nodes_.size());
}

std::string TreeView::Text(int index) const
{
    return sjis::fromQString(nodes_.at(index)->text(0));
}

int TreeView::Level(int index) const
{
    return nodes_.at(index)->data(0, LevelRole).toInt();
}

int TreeView::Parent(int index) const
{
    return indexOf(nodes_.at(index)->parent());
}

bool TreeView::Expanded(int index) const
{
    return nodes_.at(index)->isExpanded();
}

int TreeView::Selected() const
{
    return indexOf(currentItem());
}

void TreeView::Select(int index)
{
    QTreeWidgetItem* item = nodes_.at(index);
    setCurrentItem(item);
    scrollToItem(item);
}

void TreeView::SetTopItem(int index)
{
    QTreeWidgetItem* item = nodes_.at(index);
    for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
        up->setExpanded(true);
    scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TreeView::TopItem() const
{
    return indexOf(itemAt(0, 0));
}

void TreeView::FullCollapse()
{
    collapseAll();
}

void TreeView::BeginUpdate()
{
    if (updateLock_++ == 0)
        setUpdatesEnabled(false);
}

void TreeView::EndUpdate()
{
    if (updateLock_ > 0 && --updateLock_ == 0)
        setUpdatesEnabled(true);
}

void TreeView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && OnClick)
        OnClick();
}

int TreeView::indexOf(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, IndexRole).toInt() : -1;
}

void TreeView::singleExpand(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    if (!current)
        return;
    if (previous && previous != current) {
        bool ancestor = false;
        for (QTreeWidgetItem* up = current->parent(); up && !ancestor; up = up->parent())
            ancestor = (up == previous);
        if (!ancestor)
            previous->setExpanded(false);
    }
    for (QTreeWidgetItem* up = current->parent(); up; up = up->parent())
        up->setExpanded(true);
    current->setExpanded(true);
}

} // namespace ui
