// The data-aware grid: shows the rows of a db::DataSource and keeps its
// current row in step with the dataset, both ways. Over a writable table its
// cells can be edited (see db::GridModel); over anything else it only shows.
#pragma once

#include <QTableView>

#include <functional>
#include <string_view>

namespace db {
class DataSource;
class GridModel;
}

namespace ui {

class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

    void SetDataSource(db::DataSource* source);
    db::DataSource* DataSource() const;

    // A column: CP932 title and field name, width in pixels, alignment of the cells.
    void AddColumn(std::string_view title, std::string_view fieldName, int width,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    int ColumnCount() const;
    // The grid's width once its panel's layout has placed it: a neighbour
    // just given a new width moves the grid only when the layout runs.
    int Width() const;
    int ColumnWidth(int column) const;
    // At least as wide as the user can drag a column, so that none vanishes.
    void SetColumnWidth(int column, int width);
    // A column the user may not edit even over a writable table.
    void SetColumnReadOnly(int column, bool readOnly);

    // A double click anywhere on the grid: a cell, the empty area, a title.
    std::function<void()> OnDblClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followDataset(int row);
    void rowChosen(const QModelIndex& current);
    db::GridModel* model_;
    bool following_ = false;
};

} // namespace ui
