#include "platform/db/grid_model.h"

#include "platform/app/application.h"
#include "platform/db/dataset.h"
#include "platform/db/source_link.h"
#include "platform/db/values.h"
#include "platform/text/sjis.h"

namespace db {

GridModel::GridModel(QObject* parent)
    : QAbstractTableModel(parent), binding_([this] { datasetChanged(); }, [this] { recordChanged(); })
{
}

GridModel::~GridModel() = default;

void GridModel::SetDataSource(DataSource* source)
{
    if (binding_.Bind(source))
        datasetChanged();
}

void GridModel::AddColumn(Column column)
{
    beginResetModel();
    columns_.push_back(std::move(column));
    readDataset();
    endResetModel();
    emit currentRowChanged(current_);
}

void GridModel::datasetChanged()
{
    beginResetModel();
    readDataset();
    endResetModel();
    emit currentRowChanged(current_);
}

// Row count, current row and the field of each column, as the dataset has them now.
void GridModel::readDataset()
{
    Dataset* ds = binding_.Source() ? binding_.Source()->DataSet() : nullptr;
    const bool open = ds && ds->Active();
    rows_ = open ? ds->RecordCount() : 0;
    current_ = open ? ds->RecNo() : -1;
    fieldIndex_.clear();
    failed_.assign(columns_.size(), 0);
    for (const Column& c : columns_) {
        Field* f = open ? ds->FindField(c.fieldName) : nullptr;
        fieldIndex_.push_back(f ? f->Index() : -1);
    }
}

void GridModel::recordChanged()
{
    Dataset* ds = binding_.Source() ? binding_.Source()->DataSet() : nullptr;
    const int old = current_;
    current_ = ds && ds->Active() ? ds->RecNo() : -1;
    if (current_ == old) {
        // The row's values changed under it (an edit cancelled): shown anew.
        if (current_ >= 0 && current_ < rows_)
            emit dataChanged(index(current_, 0), index(current_, columnCount() - 1));
        return;
    }
    if (old >= 0 && old < rows_)
        emit headerDataChanged(Qt::Vertical, old, old);
    if (current_ >= 0 && current_ < rows_)
        emit headerDataChanged(Qt::Vertical, current_, current_);
    emit currentRowChanged(current_);
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const Column& column = columns_[index.column()];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column.alignment);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    // While its controls are disabled the dataset may hold other rows than
    // the grid last heard of.
    Dataset* ds = binding_.Source() ? binding_.Source()->DataSet() : nullptr;
    const int field = fieldIndex_[index.column()];
    if (field < 0 || failed_[index.column()] || !ds || !ds->Active() || index.row() >= ds->RecordCount()
        || field >= ds->FieldCount())
        return QString();
    try {
        return sjis::toQString(ValueText(ds->ValueAt(index.row(), field)));
    } catch (const Error& e) {
        // Every repaint asks again: the column stays empty until the dataset
        // changes, and the error shows once, after the paint.
        failed_[index.column()] = 1;
        QMetaObject::invokeMethod(
            const_cast<GridModel*>(this), [message = std::string(e.what())] { platform::ShowError(message); },
            Qt::QueuedConnection);
        return QString();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < columnCount() ? sjis::toQString(columns_[section].title) : QVariant();
    return section == current_ ? QString(QChar(0x25B6)) : QString(); // ▶ marks the current row
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return editableTable(index) ? shown | Qt::ItemIsEditable : shown;
}

Table* GridModel::editableTable(const QModelIndex& index) const
{
    if (!index.isValid() || columns_[index.column()].readOnly)
        return nullptr;
    auto* table = dynamic_cast<Table*>(binding_.Source() ? binding_.Source()->DataSet() : nullptr);
    const int field = fieldIndex_[index.column()];
    if (!table || table->ReadOnly() || !table->Active() || field < 0 || field >= table->FieldCount()
        || table->Fields(field).IsLookup() || index.row() >= table->RecordCount())
        return nullptr;
    return table;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Table* table = role == Qt::EditRole ? editableTable(index) : nullptr;
    if (!table)
        return false;
    return platform::RunGuarded(
        [&] { writeCell(*table, index, sjis::fromQString(value.toString())); });
}

// The edit belongs to the row of the cell: another row is left (and posted)
// first, as is a row being inserted.
void GridModel::writeCell(Table& table, const QModelIndex& index, const std::string& text)
{
    if (table.RecNo() != index.row() || table.EditState() == Table::State::Insert) {
        table.MoveTo(index.row());
        if (table.RecNo() != index.row())
            throw Error("The row to edit is gone: " + table.Name());
    }
    const bool started = table.EditState() == Table::State::Browse;
    table.Edit();
    try {
        table.Fields(fieldIndex_[index.column()]).SetAsString(text);
    } catch (...) {
        if (started)
            table.Cancel();
        throw;
    }
    // Lookup columns of the row may follow the new value.
    emit dataChanged(index.siblingAtColumn(0), index.siblingAtColumn(columnCount() - 1));
}

bool GridModel::submit()
{
    auto* table = dynamic_cast<Table*>(binding_.Source() ? binding_.Source()->DataSet() : nullptr);
    if (!table || table->EditState() == Table::State::Browse)
        return true;
    return platform::RunGuarded([&] { table->Post(); });
}

} // namespace db
