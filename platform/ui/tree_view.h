// Read-only tree (TTreeView) in single-expand style: selecting a node, by the
// user or from code, expands it and collapses the node selected before (unless
// that one is an ancestor of the new one). Nodes are addressed by their
// absolute index: the order in which they were added, which is pre-order when
// a tree is loaded top to bottom.
#pragma once

#include <QTreeWidget>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class TreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TreeView(QWidget* parent = nullptr);
    ~TreeView() override;

    // Appends a node as the last child of `parent` (-1: as the last root);
    // returns its absolute index.
    int AddNode(int parent, std::string_view cp932Text);
    void Clear();
    int Count() const;

    std::string Text(int index) const;
    int Level(int index) const; // roots are level 0
    int Parent(int index) const; // -1 for a root
    bool Expanded(int index) const;

    int Selected() const; // -1 when none
    void Select(int index);
    // Scrolls so that the node is the first visible line (its ancestors open).
    void SetTopItem(int index);
    int TopItem() const; // -1 when nothing shows
    void FullCollapse();

    // Suspends painting while the program changes many nodes; roots added
    // meanwhile reach the view together when it ends (or when a node is
    // selected or scrolled to).
    void BeginUpdate();
    void EndUpdate();

    // A click with the left button (the node under it is already selected).
    std::function<void()> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class Node;
    void attachPending() const;
    int indexOf(const QTreeWidgetItem* item) const;
    void singleExpand(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    std::vector<Node*> nodes_;
    mutable QList<QTreeWidgetItem*> pendingRoots_; // roots added during an update
    int updateLock_ = 0;
};

} // namespace ui
