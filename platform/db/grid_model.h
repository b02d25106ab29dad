// A Qt table model over a db::DataSource: the rows of whatever dataset the
// source holds, in the columns defined here. It follows the source through
// its data link: a reset when everything changed, the current row when
// only that moved.
//
// Cells of a writable table are edited as the class library's grid does: an
// edit puts the table into edit state on that row and sets the field; the
// row is posted when it is left or the edit ends with Enter (submit). Lookup
// columns, read-only columns and every other dataset stay read only.
#pragma once

#include "platform/db/source_link.h"

#include <QAbstractTableModel>

#include <memory>
#include <string>
#include <vector>

namespace db {

class DataSource;
class Table;

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        std::string title;     // CP932
        std::string fieldName; // CP932
        int width;
        Qt::Alignment alignment;
        bool readOnly = false;
    };

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    void SetDataSource(DataSource* source);
    DataSource* Source() const { return binding_.Source(); }

    void AddColumn(Column column);
    const Column& ColumnAt(int column) const { return columns_[column]; }
    void SetColumnWidth(int column, int width) { columns_[column].width = width; }
    void SetColumnReadOnly(int column, bool readOnly) { columns_[column].readOnly = readOnly; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A failed edit or post shows in the default error box and is refused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool submit() override;

signals:
    // The dataset's current row moved, or everything was reset.
    void currentRowChanged(int row);

private:
    void datasetChanged();
    void recordChanged();
    void readDataset();
    // The table behind the source when `index` is a cell it lets the grid edit.
    Table* editableTable(const QModelIndex& index) const;
    void writeCell(Table& table, const QModelIndex& index, const std::string& text);

    SourceBinding binding_;
    std::vector<Column> columns_;
    std::vector<int> fieldIndex_; // per column: the dataset's field, -1 when it has none
    mutable std::vector<char> failed_; // per column: a cell could not be read (reported once)
    int rows_ = 0;
    int current_ = -1;
};

} // namespace db
