// What a table holds behind db::Table: its file, order, master link and
// edit buffer.
#pragma once

#include "platform/db/connection.h"
#include "platform/db/dataset_impl.h"
#include "platform/db/memo_reader.h"
#include "platform/db/source_link.h"
#include "platform/db/table_shape.h"

#include <optional>

namespace db {

class Table::Impl final : public Dataset::Impl {
public:
    explicit Impl(Table& table) : Dataset::Impl(table), link_(*this) {}
    ~Impl() override;

    std::unique_ptr<Cursor> readRows() override;
    bool stale() override;
    // The file, or the component while the table has not been named.
    std::string label() const override;
    void commitEdits() override;
    bool editValue(int field, Value& out) override;
    bool editValueAt(int row, int field, Value& out) override;
    void setEditValue(int field, Value v) override;
    void closing() override;

    std::string filePath() const;
    void requireClosed() const;
    void requireWritable();
    void setMasterSource(DataSource* source);
    // Reads the rows again after a change of order or master link.
    void reread(bool keepRow);
    void post();
    void remove();
    void cancel();
    void startEdit();
    void startInsert();
    void startTransaction();
    void commit();
    void rollback();

    std::string tableName;
    std::string databaseName;
    std::string indexFieldNames;
    std::string masterFields;
    std::vector<ColumnDef> fieldDefs;
    bool readOnly = true;
    DataSource* master = nullptr;
    State state = State::Browse;

private:
    // The detail table's ear on its master source.
    class MasterLink final : public SourceLink {
    public:
        explicit MasterLink(Impl& impl) : impl_(impl) {}
        void DataSetChanged() override { impl_.followMaster(); }
        void RecordChanged() override { impl_.followMaster(); }
        void SourceDestroyed() override { impl_.master = nullptr; }

    private:
        Impl& impl_;
    };

    bool linked() const;
    void connect();
    std::vector<int> orderColumns() const;
    // The column of `name` in `shape`; throws when the file has no such field.
    int column(const TableShape& shape, const std::string& name) const;
    std::unique_ptr<Cursor> load();
    std::optional<std::vector<Value>> masterKey();
    void followMaster();
    // After a write: rows read again, at the row `rowId` when it is visible,
    // else at row number `fallbackRow` or the last one.
    void reloadAt(std::optional<std::int64_t> rowId, int fallbackRow);

    MasterLink link_;
    Dataset* seenMaster_ = nullptr; // the master dataset and its state when last followed
    bool seenActive_ = false;
    std::optional<std::vector<Value>> key_; // master key of the rows held
    std::shared_ptr<Connection> conn_;
    TableShape shape_;
    std::vector<int> detailColumns_;
    std::optional<Statement> detailStatement_;
    std::shared_ptr<MemoReader> memo_;
    std::vector<Value> buffer_;
    std::vector<bool> dirty_;
    std::int64_t editRow_ = 0;
    Position transactionRow_{};
    int transactionRecNo_ = 0;
};

} // namespace db
