#include "platform/db/dataset.h"

#include "platform/db/keyset_cursor.h"
#include "platform/db/memory_cursor.h"
#include "platform/db/table_impl.h"
#include "platform/db/values.h"
#include "platform/text/sjis.h"

#include <sqlite3.h>

#include <algorithm>

namespace db {

namespace {

// Beyond this many rows a read-only table is stepped by key instead of held
// in memory (the link tables: about a million rows, only located and stepped).
constexpr std::int64_t kLargeTable = 100000;

std::string text(sqlite3_stmt* st, int col)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
    return p ? p : "";
}

} // namespace

// --- Table::Impl

Table::Impl::~Impl()
{
    if (master)
        master->RemoveLink(&link_);
}

std::string Table::Impl::filePath() const
{
    if (databaseName.empty())
        return tableName;
    return databaseName + (databaseName.back() == '/' ? "" : "/") + tableName;
}

std::string Table::Impl::label() const
{
    if (!tableName.empty())
        return filePath();
    return self.Name().empty() ? "table" : self.Name() + " (no table file named)";
}

void Table::Impl::requireClosed() const
{
    if (cursor)
        throw Error("Cannot perform this operation on an open dataset: " + label());
}

void Table::Impl::requireWritable()
{
    rows();
    if (readOnly)
        throw Error("Cannot modify a read-only table: " + label());
}

bool Table::Impl::linked() const
{
    return master && !SplitFieldNames(masterFields).empty();
}

int Table::Impl::column(const TableShape& shape, const std::string& name) const
{
    for (std::size_t c = 0; c < shape.names.size(); ++c)
        if (SameName(shape.names[c], name))
            return static_cast<int>(c);
    throw Error("Field '" + name + "' not found in " + label());
}

void Table::Impl::connect()
{
    const auto mode = !readOnly                ? Connection::Mode::Writable
                      : databaseName.empty() ? Connection::Mode::Reader
                                             : Connection::Mode::ReadOnly;
    if (tableName.empty())
        throw Error("Cannot open " + label());
    conn_ = OpenConnection(filePath(), mode);

    TableShape shape;
    std::vector<std::string> declared;
    Statement info(*conn_, "PRAGMA table_info(data)");
    while (info.step()) {
        const std::string name = text(info.get(), 1);
        declared.push_back(text(info.get(), 2));
        shape.names.push_back(sjis::fromUtf8(name));
        shape.columns.push_back(QuoteIdentifier(name));
        shape.types.push_back(TypeOfDeclaration(declared.back()));
        shape.read.push_back(shape.types.back() != FieldType::Memo);
    }
    if (shape.names.empty())
        throw Error("The file " + label() + " holds no table");
    for (const ColumnDef& def : fieldDefs)
        RequireServes(def.name, label(), declared[column(shape, def.name)], def.type);
    shape_ = std::move(shape);
    shape_.order = orderColumns();

    // Fields stay the same objects while the file keeps its columns; the
    // lookup fields after them always do.
    const auto own = static_cast<std::size_t>(std::count_if(
        fields.begin(), fields.end(), [](const auto& f) { return !f->IsLookup(); }));
    bool same = own == shape_.names.size();
    for (std::size_t c = 0; same && c < own; ++c)
        same = fields[c]->FieldName() == shape_.names[c] && fields[c]->DataType() == shape_.types[c];
    if (!same) {
        std::vector<std::pair<std::string, FieldType>> fresh;
        for (std::size_t c = 0; c < shape_.names.size(); ++c)
            fresh.emplace_back(shape_.names[c], shape_.types[c]);
        replaceLeadingFields(static_cast<int>(own), fresh);
    }

    detailColumns_.clear();
    detailStatement_.reset();
    if (linked()) {
        const auto masterNames = SplitFieldNames(masterFields);
        auto names = SplitFieldNames(indexFieldNames);
        if (names.size() < masterNames.size())
            names = masterNames;
        for (std::size_t i = 0; i < masterNames.size(); ++i)
            detailColumns_.push_back(column(shape_, names[i]));
    }
    memo_ = std::make_shared<MemoReader>(conn_, shape_.columns);
}

// The index fields, then the rowid: the dataset decides the order, not the
// indexes the file happens to have.
std::vector<int> Table::Impl::orderColumns() const
{
    std::vector<int> order;
    for (const std::string& name : SplitFieldNames(indexFieldNames))
        order.push_back(column(shape_, name));
    order.push_back(-1);
    return order;
}

std::optional<std::vector<Value>> Table::Impl::masterKey()
{
    Dataset* ds = master->DataSet();
    if (!ds || !ds->Active() || ds->IsEmpty())
        return std::nullopt;
    std::vector<Value> key;
    const auto names = SplitFieldNames(masterFields);
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto v = ConvertValue(ds->FieldByName(names[i]).AsValue(), shape_.types[detailColumns_[i]]);
        if (!v)
            return std::nullopt;
        key.push_back(std::move(*v));
    }
    return key;
}

std::unique_ptr<Cursor> Table::Impl::load()
{
    if (linked()) {
        Dataset* ds = master->DataSet();
        seenMaster_ = ds;
        seenActive_ = ds && ds->Active();
        key_ = masterKey();
        RowStore rows(shape_.types, shape_.read, shape_.names, label());
        if (key_) {
            if (!detailStatement_) {
                std::string where;
                for (std::size_t i = 0; i < detailColumns_.size(); ++i)
                    where += (i ? " AND " : " WHERE ") + shape_.columns[detailColumns_[i]] + " = ?";
                detailStatement_.emplace(*conn_, shape_.selectSql() + where + shape_.orderSql(false));
            }
            const ResetAtEnd run(*detailStatement_);
            for (std::size_t i = 0; i < key_->size(); ++i)
                detailStatement_->bind(static_cast<int>(i + 1), (*key_)[i]);
            while (detailStatement_->step())
                rows.append(detailStatement_->get());
        }
        return std::make_unique<MemoryCursor>(std::move(rows), memo_);
    }
    if (readOnly) {
        // Counting walks only the page headers of the smallest b-tree: well
        // under a millisecond even for the link tables.
        Statement size(*conn_, "SELECT count(*) FROM data");
        size.step();
        if (sqlite3_column_int64(size.get(), 0) > kLargeTable)
            return std::make_unique<KeysetCursor>(conn_, shape_, memo_);
    }
    Statement all(*conn_, shape_.selectSql() + shape_.orderSql(false));
    RowStore rows(shape_.types, shape_.read, shape_.names, label());
    while (all.step())
        rows.append(all.get());
    return std::make_unique<MemoryCursor>(std::move(rows), memo_);
}

std::unique_ptr<Cursor> Table::Impl::readRows()
{
    connect();
    return load();
}

bool Table::Impl::stale()
{
    // A reader file is read as it was opened for the whole run.
    return !readOnly || !databaseName.empty();
}

// The master's row or dataset changed: the rows of the new key, if it is new.
// A switched or reopened master dataset always counts as new, so that the
// detail's AfterScroll fires for the first row of a new result. Whatever the
// master did, a pending edit of the detail is posted (a master that posts
// without moving, on closing, takes its details' edits along).
void Table::Impl::followMaster()
{
    if (!cursor || !linked())
        return;
    commitEdits();
    Dataset* ds = master->DataSet();
    const bool switched = ds != seenMaster_ || (ds && ds->Active()) != seenActive_;
    if (!switched && masterKey() == key_)
        return;
    try {
        install(load());
    } catch (...) {
        // No rows of the key before stay behind a row whose own cannot be
        // read: the table closes, and opening it again reads afresh.
        self.Close();
        throw;
    }
    reloaded();
}

void Table::Impl::setMasterSource(DataSource* source)
{
    if (source == master)
        return;
    if (master)
        master->RemoveLink(&link_);
    master = source;
    if (master)
        master->AddLink(&link_);
}

void Table::Impl::reread(bool keepRow)
{
    if (!cursor)
        return;
    commitEdits();
    const Position before = position();
    install(readRows());
    if (keepRow && before.hasRow && cursor->seekRow(before.rowId))
        bof = eof = false;
    reloaded();
}

// --- editing

void Table::Impl::commitEdits()
{
    if (state != State::Browse)
        post();
}

// An edit begun while a move posted (by AfterScroll, as the rows were read
// again) belongs to the row left: the row moved to shows its own values.
bool Table::Impl::editValue(int field, Value& out)
{
    if (state == State::Browse || (state == State::Edit && (cursor->empty() || cursor->rowId() != editRow_)))
        return false;
    out = buffer_[field];
    return true;
}

// Moves post first, so the row being edited is the current one.
bool Table::Impl::editValueAt(int row, int field, Value& out)
{
    if (state != State::Edit || row != cursor->recNo())
        return false;
    out = buffer_[field];
    return true;
}

void Table::Impl::setEditValue(int field, Value v)
{
    if (state == State::Browse)
        Dataset::Impl::setEditValue(field, v);
    buffer_[field] = std::move(v);
    dirty_[field] = true;
}

void Table::Impl::closing()
{
    state = State::Browse;
    buffer_.clear();
}

void Table::Impl::startEdit()
{
    requireWritable();
    if (state != State::Browse)
        return;
    // No row is made up here: a row written from an empty view would lack
    // every key the program sets when it appends.
    if (cursor->empty())
        throw Error("Cannot perform this operation on an empty dataset: " + label());
    buffer_.clear();
    for (std::size_t c = 0; c < shape_.names.size(); ++c)
        buffer_.push_back(cursor->value(static_cast<int>(c)));
    dirty_.assign(buffer_.size(), false);
    editRow_ = cursor->rowId();
    state = State::Edit;
}

void Table::Impl::startInsert()
{
    requireWritable();
    commitEdits();
    buffer_.assign(shape_.names.size(), Value{});
    dirty_.assign(buffer_.size(), false);
    state = State::Insert;
    notifyRecordChanged();
}

void Table::Impl::post()
{
    if (state == State::Browse)
        return;
    std::vector<int> changed;
    for (std::size_t c = 0; c < dirty_.size(); ++c)
        if (dirty_[c])
            changed.push_back(static_cast<int>(c));
    if (changed.empty()) {
        // Nothing to write: a new row that nothing was set in is dropped.
        if (state == State::Insert)
            cancel();
        else
            closing();
        return;
    }
    std::string sql;
    if (state == State::Insert) {
        std::string names, marks;
        for (std::size_t i = 0; i < changed.size(); ++i) {
            names += (i ? ", " : "") + shape_.columns[changed[i]];
            marks += i ? ", ?" : "?";
        }
        sql = "INSERT INTO data (" + names + ") VALUES (" + marks + ")";
    } else {
        sql = "UPDATE data SET ";
        for (std::size_t i = 0; i < changed.size(); ++i)
            sql += (i ? ", " : "") + shape_.columns[changed[i]] + " = ?";
        sql += " WHERE rowid = ?";
    }
    Statement st(*conn_, sql, "Cannot write");
    for (std::size_t i = 0; i < changed.size(); ++i)
        st.bind(static_cast<int>(i + 1), buffer_[changed[i]]);
    if (state == State::Edit)
        st.bind(static_cast<int>(changed.size() + 1), editRow_);
    st.step(); // throws, and the edits stay for another try or Cancel
    const std::int64_t row =
        state == State::Insert ? sqlite3_last_insert_rowid(conn_->handle()) : editRow_;
    closing();
    reloadAt(row, 0);
}

void Table::Impl::remove()
{
    requireWritable();
    if (state == State::Insert) {
        cancel();
        return;
    }
    closing();
    if (cursor->empty())
        throw Error("Cannot perform this operation on an empty dataset: " + label());
    const int row = cursor->recNo();
    Statement st(*conn_, "DELETE FROM data WHERE rowid = ?", "Cannot write");
    st.bind(1, cursor->rowId());
    st.step();
    reloadAt(std::nullopt, row);
}

void Table::Impl::startTransaction()
{
    requireWritable();
    commitEdits();
    // IMMEDIATE takes the write lock now, waiting for it as every write
    // does, so that no later write of the transaction meets a busy file.
    Statement(*conn_, "BEGIN IMMEDIATE", "Cannot write").step();
    transactionRow_ = position();
    transactionRecNo_ = cursor->empty() ? 0 : cursor->recNo();
}

void Table::Impl::commit()
{
    rows();
    Statement(*conn_, "COMMIT", "Cannot write").step();
}

void Table::Impl::rollback()
{
    rows();
    // A failed statement may have ended the transaction itself.
    if (!sqlite3_get_autocommit(conn_->handle()))
        Statement(*conn_, "ROLLBACK", "Cannot write").step();
    closing();
    reloadAt(transactionRow_.hasRow ? std::optional(transactionRow_.rowId) : std::nullopt, transactionRecNo_);
}

void Table::Impl::reloadAt(std::optional<std::int64_t> rowId, int fallbackRow)
{
    memo_ = std::make_shared<MemoReader>(conn_, shape_.columns); // its cache is stale now
    install(load());
    if (!cursor->empty()) {
        if (!rowId || !cursor->seekRow(*rowId))
            cursor->moveTo(std::min(fallbackRow, cursor->count() - 1));
        bof = eof = false;
    }
    reloaded();
}

void Table::Impl::cancel()
{
    if (state == State::Browse)
        return;
    closing();
    notifyRecordChanged();
}

// --- Table

Table::Table(std::string name) : Dataset(std::move(name))
{
    d_ = std::make_unique<Impl>(*this);
}

Table::~Table() = default;

Table::Impl& Table::impl() const
{
    return static_cast<Impl&>(*d_);
}

const std::string& Table::TableName() const
{
    return impl().tableName;
}

void Table::SetTableName(std::string_view fileName)
{
    impl().requireClosed();
    impl().tableName = fileName;
}

const std::string& Table::DatabaseName() const
{
    return impl().databaseName;
}

void Table::SetDatabaseName(std::string_view folder)
{
    impl().requireClosed();
    impl().databaseName = folder;
}

const std::string& Table::IndexFieldNames() const
{
    return impl().indexFieldNames;
}

void Table::SetIndexFieldNames(std::string_view fields)
{
    impl().indexFieldNames = fields;
    impl().reread(true);
}

void Table::SetFieldDefs(std::vector<ColumnDef> defs)
{
    impl().requireClosed();
    impl().fieldDefs = std::move(defs);
}

bool Table::ReadOnly() const
{
    return impl().readOnly;
}

void Table::SetReadOnly(bool readOnly)
{
    impl().requireClosed();
    impl().readOnly = readOnly;
}

DataSource* Table::MasterSource() const
{
    return impl().master;
}

void Table::SetMasterSource(DataSource* source)
{
    if (source == impl().master)
        return;
    impl().setMasterSource(source);
    impl().reread(false);
}

const std::string& Table::MasterFields() const
{
    return impl().masterFields;
}

void Table::SetMasterFields(std::string_view fields)
{
    impl().masterFields = fields;
    impl().reread(false);
}

Table::State Table::EditState() const
{
    return impl().state;
}

void Table::Edit()
{
    impl().startEdit();
}

void Table::Append()
{
    impl().startInsert();
}

void Table::Delete()
{
    impl().remove();
}

void Table::Post()
{
    impl().post();
}

void Table::Cancel()
{
    impl().cancel();
}

void Table::StartTransaction()
{
    impl().startTransaction();
}

void Table::Commit()
{
    impl().commit();
}

void Table::Rollback()
{
    impl().rollback();
}

} // namespace db
