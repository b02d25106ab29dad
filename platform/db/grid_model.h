// A Qt table model over a db::DataSource: the rows of whatever dataset the
// source holds, in the columns defined here. It follows the source through
// its data link: a reset when everything changed, the current row when
// only that moved.
#pragma once

#include <QAbstractTableModel>

#include <memory>
#include <string>
#include <vector>

namespace db {

class DataSource;

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        std::string title;     // CP932
        std::string fieldName; // CP932
        int width;
        Qt::Alignment alignment;
    };

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    void SetDataSource(DataSource* source);
    DataSource* Source() const { return source_; }

    void AddColumn(Column column);
    const Column& ColumnAt(int column) const { return columns_[column]; }
    void SetColumnWidth(int column, int width) { columns_[column].width = width; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The dataset's current row moved, or everything was reset.
    void currentRowChanged(int row);

private:
    class Link;
    void datasetChanged();
    void recordChanged();
    void readDataset();

    std::unique_ptr<Link> link_;
    DataSource* source_ = nullptr;
    std::vector<Column> columns_;
    std::vector<int> fieldIndex_; // per column: the dataset's field, -1 when it has none
    int rows_ = 0;
    int current_ = -1;
};

} // namespace db
