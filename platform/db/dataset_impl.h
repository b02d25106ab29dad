// What every dataset holds behind db::Dataset: fields, the cursor over its
// visible rows, Eof/Bof, the filter, the data sources showing it, and the
// rules for telling them and AfterScroll about moves.
#pragma once

#include "platform/db/cursor.h"
#include "platform/db/dataset.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace db {

class Filter;

class Dataset::Impl {
public:
    explicit Impl(Dataset& owner) : self(owner) {}
    virtual ~Impl() = default;

    // --- provided by tables and queries
    // Reads the rows (on open and refresh) and sets up the fields; throws.
    virtual std::unique_ptr<Cursor> readRows() = 0;
    // Whether the rows read may differ from the file now (Refresh reads again).
    virtual bool stale() { return true; }
    // Names the dataset in messages: the file or the component.
    virtual std::string label() const = 0;
    // Before any move: tables post pending edits.
    virtual void commitEdits() {}
    // Tables in edit or insert state answer from the edit buffer.
    virtual bool editValue(int field, Value& out);
    // The same for a row read by number: only the row being edited.
    virtual bool editValueAt(int row, int field, Value& out);
    virtual void setEditValue(int field, Value v);
    virtual void closing() {}

    // --- shared
    Cursor& rows();                 // throws db::Error when closed
    // Installs freshly read rows: filter applied, at the first row.
    void install(std::unique_ptr<Cursor> c);
    // Applies the filter as it now stands and moves to the first row.
    void refilter();
    // The filter text parsed against the fields; null when not filtering.
    std::unique_ptr<db::Filter> activeFilter() const;
    void toFirst();

    struct Position {
        bool hasRow;
        std::int64_t rowId;
        bool operator==(const Position&) const = default;
    };
    Position position();
    // After a move: links and AfterScroll hear of it when the row changed.
    void moved(const Position& before);
    // After rows were read, filtered or switched: everything changed.
    void reloaded();
    void notifyRecordChanged();
    void notifyDataSetChanged();

    int fieldIndex(std::string_view name) const;   // -1 when none
    int requireField(std::string_view name) const; // throws when none
    int dataColumn(std::string_view name);         // the field's column; throws
    Field& addField(std::string name, FieldType type);
    Field& addLookupField(std::string name, FieldType type, std::string keyField,
                          std::string lookupKeyField, std::string resultField);
    // Removes the first `count` fields and numbers the rest from 0.
    void dropLeadingFields(int count);
    // The first `count` fields give way to fields of the columns 0, 1, ...
    // of `fresh`; the fields after them (lookups) stay the same objects.
    void replaceLeadingFields(int count, const std::vector<std::pair<std::string, FieldType>>& fresh);
    // A field set from outside: never a lookup field.
    void writeField(const Field& f, Value v);
    Value fieldValue(int field);
    Value fieldValueAt(int row, int field);
    Value lookupValue(const Field& f, const Value& key);

    Dataset& self;
    std::vector<std::unique_ptr<Field>> fields;
    std::vector<int> columns; // per field: the cursor column, -1 for lookup fields
    std::unique_ptr<Cursor> cursor;
    bool bof = true;
    bool eof = true;
    std::string filterText;
    bool filtered = false;
    int disabled = 0;
    std::vector<DataSource*> sources;
};

} // namespace db
