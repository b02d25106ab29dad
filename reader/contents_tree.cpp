#include "reader/contents_tree.h"

#include "data/namepas.h"
#include "platform/app/text_file.h"
#include "platform/text/sjis.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/tree_view.h"
#include "reader/panel_layout.h"
#include "reader/rireki.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int TreeWidth = 235;
constexpr int CentreRows = 6;
constexpr int TopLineNodes = 8;

// TreeBusy[i] is 1 only while the program moves the tab's tree or grid,
// also when that move fails.
class TreeBusyScope {
public:
    explicit TreeBusyScope(int i) : i_(i) { TreeBusy[i_] = 1; }
    ~TreeBusyScope() { TreeBusy[i_] = 0; }
    TreeBusyScope(const TreeBusyScope&) = delete;
    TreeBusyScope& operator=(const TreeBusyScope&) = delete;

private:
    int i_;
};

class ControlsPause {
public:
    explicit ControlsPause(db::Dataset& ds) : ds_(ds) { ds_.DisableControls(); }
    ~ControlsPause() { ds_.EnableControls(); }
    ControlsPause(const ControlsPause&) = delete;
    ControlsPause& operator=(const ControlsPause&) = delete;

private:
    db::Dataset& ds_;
};

struct TreeLine {
    int depth;
    std::string text;
};

[[noreturn]] void treeFileError(const std::string& fileName, const std::string& what)
{
    throw std::runtime_error("目次ファイル "_sj + fileName + " " + what);
}

// Depth is the count of leading tabs and blanks; the ideographic blank is
// text. Each line is placed against the node before it, so a line may go at
// most one level deeper than that node's level (the first line is a root
// whatever its depth).
std::vector<TreeLine> parseTreeFile(const std::string& fileName,
                                    const std::vector<std::string>& lines)
{
    if (lines.size() < 2)
        treeFileError(fileName, "は2行以上必要です（"_sj + std::to_string(lines.size()) + "行しかありません）"_sj);
    std::vector<TreeLine> nodes;
    nodes.reserve(lines.size());
    int level = 0;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const std::size_t indent = line.find_first_not_of("\t ");
        const std::size_t depth = indent == std::string::npos ? line.size() : indent;
        if (n > 0 && depth > static_cast<std::size_t>(level) + 1)
            treeFileError(fileName, "の"_sj + std::to_string(n + 1)
                                        + "行目が前の行より2段以上深くなっています"_sj);
        level = n == 0 ? 0 : static_cast<int>(depth);
        nodes.push_back({level, line.substr(depth)});
    }
    return nodes;
}

void fillTree(ui::TreeView& tree, const std::vector<TreeLine>& nodes)
{
    std::vector<int> path; // the last node of each level on the current branch
    for (const TreeLine& node : nodes) {
        path.resize(node.depth);
        const int parent = node.depth == 0 ? -1 : path.back();
        path.push_back(tree.AddNode(parent, node.text));
    }
}

// The node to show on the tree's first line: walking up from t, every
// earlier node of t's level or shallower counts, up to eight, stopping at a
// root.
int topLineNode(const ui::TreeView& tree, int t)
{
    int m = tree.Level(t);
    int n = 0;
    while (t > 0 && n < TopLineNodes && tree.Level(t) > 0) {
        --t;
        const int level = tree.Level(t);
        if (level == m) {
            ++n;
        } else if (level < m) {
            ++n;
            m = level;
        }
    }
    return t;
}

} // namespace

void MokujiTreeLoad(int i)
{
    ui::TreeView& tree = *JyobunTreeView[i];
    tree.setFixedWidth(TreeWidth);
    AllGridWidthSet();
    tree.Clear();
    const std::vector<TreeLine> nodes =
        parseTreeFile(JyobunFile6Name[i], platform::LoadLines(JyobunFile6Name[i]));

    tree.BeginUpdate();
    struct UpdateEnd {
        ui::TreeView& tree;
        ~UpdateEnd() { tree.EndUpdate(); }
    } updateEnd{tree};
    fillTree(tree, nodes);
    tree.Select(1);
    tree.Select(0);
    tree.FullCollapse();
}

void MokujiTreeSync(int i)
{
    ui::TreeView& tree = *JyobunTreeView[i];
    db::Table& map = *JyobunTreeTable[i];
    // The grid's row: the text table follows it, unless its read fails.
    db::Dataset* row = JyobunMainSource[i]->DataSet();
    const std::int64_t gyo = row && row->Active() ? row->FieldByName("Gyo").AsInteger() : 0;
    if (!map.Locate("Gyo", {db::Value(gyo)}))
        return;
    const TreeBusyScope busy(i);
    const std::int64_t t = map.FieldByName("TreeID").AsInteger();
    // A node the tree does not have (or a tree not loaded yet) leaves it alone.
    if (t < 0 || t >= tree.Count() || tree.Selected() == t)
        return;
    const int node = static_cast<int>(t);
    tree.Select(node);
    tree.SetTopItem(topLineNode(tree, node));
}

void MokujiTreeJump(int i)
{
    ui::TreeView& tree = *JyobunTreeView[i];
    db::Table& map = *JyobunTreeTable[i];
    const int t = tree.Selected();
    if (t < 0)
        return;
    // A heading without an article of its own shows the node after it.
    if (!map.Locate("TreeID", {db::Value(std::int64_t{t})})
        && !map.Locate("TreeID", {db::Value(std::int64_t{t} + 1)}))
        return;
    const std::int64_t gyo = map.FieldByName("Gyo").AsInteger();
    db::Dataset* shown = JyobunMainSource[i]->DataSet();
    if (shown && shown->Active() && !shown->IsEmpty() && shown->FieldByName("Gyo").AsInteger() == gyo)
        return;
    // A run of tree jumps keeps one history entry: the place before the first.
    if (RirekiStored[i] == 1) {
        RirekiSave();
        RirekiStored[i] = 0;
    }

    const TreeBusyScope busy(i);
    db::Table& main = *JyobunMainTable[i];
    // Clearing a scope's filter moves to the first row; an article the table
    // lacks must still leave it where the reader was.
    const std::optional<db::Value> before =
        main.IsEmpty() ? std::nullopt : std::optional(db::Value(main.FieldByName("Gyo").AsInteger()));
    // Located before the grid and the article follow, so that the article
    // is built once, for the node's row; that build runs when the controls
    // are enabled again, where a failure must still reach the caller.
    main.DisableControls();
    try {
        main.SetFilter("");
        main.SetFiltered(false);
        if (!main.Locate("Gyo", {db::Value(gyo)}) && before)
            main.Locate("Gyo", {*before});
        JyobunMainSource[i]->SetDataSet(&main);
        JyobunGridWidthSet(i);
        JyobunComboBox[i]->SetItemIndex(0);
    } catch (...) {
        main.EnableControls();
        throw;
    }
    main.EnableControls();
    // Once the grid and the article have followed; the tree stays put.
    DBGridRowCentre(i);
}

void DBGridRowCentre(int i)
{
    db::Table& main = *JyobunMainTable[i];
    int moved = 0;
    {
        // The article stays; only the grid is to see these rows.
        const ControlsPause pause(main);
        while (moved < CentreRows) {
            main.Next();
            if (main.Eof())
                break;
            ++moved;
        }
        for (int k = 0; k < moved; ++k)
            main.Prior();
    }
    ui::DBGrid* grid = JyobunDBGrid[i];
    if (!grid || grid->DataSource() != JyobunMainSource[i] || main.IsEmpty())
        return;
    const int row = main.RecNo();
    grid->scrollTo(grid->model()->index(row + moved, 0));
    grid->scrollTo(grid->model()->index(row, 0));
}
