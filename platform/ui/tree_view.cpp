#include "platform/ui/tree_view.h"

#include "platform/text/sjis.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace ui {

// Every item of the tree is a node that carries its absolute index and level.
class TreeView::Node : public QTreeWidgetItem {
public:
    Node(const QString& text, int index, int level)
        : QTreeWidgetItem(QStringList{text}, UserType), index(index), level(level)
    {
    }
    const int index;
    const int level;
};

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    header()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
    connect(this, &QTreeWidget::currentItemChanged, this, &TreeView::singleExpand);
}

TreeView::~TreeView()
{
    qDeleteAll(pendingRoots_);
}

int TreeView::AddNode(int parent, std::string_view cp932Text)
{
    const int index = static_cast<int>(nodes_.size());
    const int level = parent < 0 ? 0 : Level(parent) + 1;
    // An item in the tree reports every change to the view: it is filled
    // first and then joins its parent. Roots added during an update wait
    // and join in one insertion at its end.
    auto* item = new Node(sjis::toQString(cp932Text), index, level);
    if (parent >= 0)
        nodes_[parent]->addChild(item);
    else if (updateLock_ > 0)
        pendingRoots_.append(item);
    else
        addTopLevelItem(item);
    nodes_.push_back(item);
    return index;
}

void TreeView::Clear()
{
    qDeleteAll(pendingRoots_);
    pendingRoots_.clear();
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
    return nodes_.at(index)->level;
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
    attachPending();
    QTreeWidgetItem* item = nodes_.at(index);
    setCurrentItem(item);
    scrollToItem(item);
}

void TreeView::SetTopItem(int index)
{
    attachPending();
    QTreeWidgetItem* item = nodes_.at(index);
    for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
        up->setExpanded(true);
    scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TreeView::TopItem() const
{
    attachPending();
    return indexOf(itemAt(0, 0));
}

void TreeView::FullCollapse()
{
    attachPending();
    collapseAll();
}

void TreeView::BeginUpdate()
{
    if (updateLock_++ == 0)
        setUpdatesEnabled(false);
}

void TreeView::EndUpdate()
{
    if (updateLock_ > 0 && --updateLock_ == 0) {
        attachPending();
        setUpdatesEnabled(true);
    }
}

void TreeView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && OnClick)
        OnClick();
}

// Waiting roots belong to the tree already; only the view has not seen them.
void TreeView::attachPending() const
{
    if (pendingRoots_.isEmpty())
        return;
    const_cast<TreeView*>(this)->addTopLevelItems(pendingRoots_);
    pendingRoots_.clear();
}

int TreeView::indexOf(const QTreeWidgetItem* item) const
{
    return item ? static_cast<const Node*>(item)->index : -1;
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
