// Datasets over SQLite table files: the stand-in for the table, query and
// data-source components the reader was written against. Names of the
// operations are the program's own (Locate, FieldByName, IndexFieldNames ...).
//
// Every text that crosses this interface is CP932: field names, values,
// filter texts, SQL lines, file names and error messages.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace db {

// An error of the database layer; what() is a CP932 message that names the
// file or the problem.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A field value. Text is CP932 bytes; a missing value is monostate.
using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

// Lines of text, as the class library's string list; Text() joins them with CR LF.
using StringList = std::vector<std::string>;
std::string JoinLines(const StringList& lines);

enum class FieldType { Integer, Float, Text, Memo };

// A column of a table file: its name and type.
struct ColumnDef {
    std::string name; // CP932
    FieldType type;
};

class Dataset;
class DataSource;

// One field of a dataset; reads and writes the dataset's current row.
class Field {
public:
    const std::string& FieldName() const { return name_; }
    FieldType DataType() const { return type_; }
    int Index() const { return index_; }
    bool IsNull() const;
    std::string AsString() const;  // integers in decimal, floats in shortest form
    std::int64_t AsInteger() const; // throws db::Error when the text is no integer
    double AsFloat() const;
    Value AsValue() const;
    // Editing (authoring tables in edit or insert state only).
    void SetAsString(std::string_view v);
    void SetAsInteger(std::int64_t v);
    void SetAsFloat(double v);
    void Clear();

    // Lookup fields (queries and tables): the value is taken from
    // `LookupDataSet` at the row whose `LookupKeyField` equals this dataset's
    // `KeyField`, without moving that dataset. Empty when there is no such
    // row. They are read only.
    bool IsLookup() const { return !keyField_.empty(); }
    void SetLookupDataSet(Dataset* ds) { lookupDataSet_ = ds; }
    Dataset* LookupDataSet() const { return lookupDataSet_; }

private:
    friend class Dataset;
    Field(Dataset* owner, std::string name, FieldType type, int index)
        : owner_(owner), name_(std::move(name)), type_(type), index_(index) {}
    Dataset* owner_;
    std::string name_;
    FieldType type_;
    int index_;
    std::string keyField_;       // lookup: field of this dataset
    std::string lookupKeyField_; // lookup: field of the lookup dataset
    std::string resultField_;    // lookup: field read from the lookup dataset
    Dataset* lookupDataSet_ = nullptr;
};

// Listener of a data source: grids and detail tables.
class DataLink {
public:
    virtual ~DataLink() = default;
    // The dataset behind the source was switched, opened, closed, filtered or
    // refreshed: everything may have changed.
    virtual void DataSetChanged() = 0;
    // Only the current row moved.
    virtual void RecordChanged() = 0;
};

class Dataset {
public:
    explicit Dataset(std::string name = {});
    virtual ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    // The component's name ("SSubTable", "JyobunSQL3"), for messages and tests.
    const std::string& Name() const { return name_; }

    bool Active() const;
    void Open();  // throws db::Error
    void Close(); // posts a pending edit first; throws db::Error when that fails

    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const;
    bool Bof() const;
    bool IsEmpty() const;

    // Exact match on one field or several joined by ";"; the first matching
    // visible row in order becomes current and true is returned; otherwise
    // false and the position stays.
    bool Locate(std::string_view fields, const std::vector<Value>& values);

    Field& FieldByName(std::string_view name); // case-insensitive; throws db::Error
    Field* FindField(std::string_view name);
    int FieldCount() const;
    Field& Fields(int index);

    // Filter texts of the integer filter language: "(KubunNo >= 70) and
    // (KubunNo < 100)". Changing either on an open dataset moves to the
    // first visible row. An unparsable text raises db::Error when applied.
    const std::string& Filter() const;
    void SetFilter(std::string_view text);
    bool Filtered() const;
    void SetFiltered(bool on);

    void Refresh();

    // While disabled, linked grids and detail tables do not follow, not even
    // a source switched to the dataset; enabling again lets them catch up once.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const;

    // Visible rows, for grids: count, 0-based current row (-1 when empty),
    // move by row number, and read any row without moving (the row being
    // edited as edited).
    int RecordCount() const;
    int RecNo() const;
    void MoveTo(int row);
    Value ValueAt(int row, int field) const;

    // A lookup field after the dataset's own fields (see Field); defined
    // while the dataset is closed, its lookup dataset set on the field.
    void AddLookupField(std::string_view name, FieldType type, std::string_view keyField,
                        std::string_view lookupKeyField, std::string_view resultField);

    // Fires on open and whenever the current row changes.
    std::function<void(Dataset&)> AfterScroll;

protected:
    class Impl;
    std::unique_ptr<Impl> d_;
private:
    friend class Field;
    friend class DataSource;
    std::string name_;
};

// A table file: "E1.db" in the current directory, or a file in the folder
// `DatabaseName` (authoring tables). Fields are the file's columns, followed
// by the lookup fields defined.
class Table : public Dataset {
public:
    explicit Table(std::string name = {});
    ~Table() override;

    const std::string& TableName() const;
    void SetTableName(std::string_view fileName);
    const std::string& DatabaseName() const;
    void SetDatabaseName(std::string_view folder);
    const std::string& IndexFieldNames() const;
    void SetIndexFieldNames(std::string_view fields); // "Gyo", "Gyo;Sel"
    // The columns the program reads: opening a file that lacks one, or
    // declares one of another type, fails with a message naming it.
    void SetFieldDefs(std::vector<ColumnDef> defs);
    // Read-only unless set otherwise (the reader never writes).
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);

    // Master-detail: only the rows whose MasterFields equal the current row
    // of the master source's dataset are visible.
    DataSource* MasterSource() const;
    void SetMasterSource(DataSource* source);
    const std::string& MasterFields() const;
    void SetMasterFields(std::string_view fields);

    // Authoring: edit the current row, append a new one, delete the current
    // one; Post writes to the file, Cancel forgets the edits. An empty table
    // has no row to edit (Edit throws), and a new row nothing was set in is
    // not written.
    enum class State { Browse, Edit, Insert };
    State EditState() const;
    void Edit();
    void Append();
    void Delete();
    void Post();
    void Cancel();

    // The writes from StartTransaction to Commit reach the file together or
    // not at all. StartTransaction posts a pending edit on its own first;
    // Rollback forgets the writes since and reads the rows again, at the row
    // that was current when the transaction started. All three throw db::Error.
    void StartTransaction();
    void Commit();
    void Rollback();

private:
    class Impl;
    Impl& impl() const;
};

// A result query: SQL lines; opening runs them on the table file named after
// FROM. Fields are the result columns, followed by the lookup fields defined.
class Query : public Dataset {
public:
    explicit Query(std::string name = {});
    ~Query() override;

    StringList& SQL();
    const StringList& SQL() const;

    // Persistent data fields bind to result columns in order.
    void AddDataField(std::string_view name, FieldType type);

    // The columns statements need of the file `fileName` (CP932) beyond those
    // they return, as a reference file's MainGyo: checked when a query first
    // reads the file.
    static void DeclareColumns(std::string_view fileName, std::vector<ColumnDef> columns);

private:
    class Impl;
    Impl& impl() const;
};

// What a grid or a detail table is bound to; switching its dataset switches them.
class DataSource {
public:
    explicit DataSource(std::string name = {});
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    const std::string& Name() const { return name_; }
    Dataset* DataSet() const { return dataSet_; }
    void SetDataSet(Dataset* ds);

    void AddLink(DataLink* link);
    void RemoveLink(DataLink* link);

private:
    friend class Dataset;
    void notifyDataSetChanged();
    void notifyRecordChanged();
    std::string name_;
    Dataset* dataSet_ = nullptr;
    std::vector<DataLink*> links_;
};

} // namespace db
