#include "platform/db/dataset.h"

#include "platform/db/connection.h"
#include "platform/db/dataset_impl.h"
#include "platform/db/memory_cursor.h"
#include "platform/db/page_reads.h"
#include "platform/db/row_store.h"
#include "platform/db/sql_rewrite.h"
#include "platform/db/values.h"
#include "platform/text/sjis.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace db {

class Query::Impl final : public Dataset::Impl {
public:
    explicit Impl(Query& q) : Dataset::Impl(q) {}

    std::unique_ptr<Cursor> readRows() override;
    bool stale() override;
    std::string label() const override { return self.Name().empty() ? "query" : self.Name(); }

    // Without persistent data fields, the result columns become fields.
    void makeResultFields(sqlite3_stmt* st);
    void checkDataFields(sqlite3_stmt* st, const std::string& file) const;

    StringList sql;
    int dataFields = 0;   // persistent data fields defined
    int resultFields = 0; // fields made from the result columns
    std::string ranText;  // the statement the rows came from
};

namespace {

std::string columnName(sqlite3_stmt* st, int c)
{
    const char* name = sqlite3_column_name(st, c);
    return sjis::fromUtf8(name ? name : "");
}

FieldType columnType(sqlite3_stmt* st, int c)
{
    const char* declared = sqlite3_column_decltype(st, c);
    return TypeOfDeclaration(declared ? declared : "");
}

// The columns queries need of a file beyond those they return, by file name.
std::map<std::string, std::vector<ColumnDef>>& declaredColumns()
{
    static std::map<std::string, std::vector<ColumnDef>> columns;
    return columns;
}

// wrong_cells(kinds, value ...): 1 when a value is no cell of its kind ('i':
// a 32-bit integer, 'f': a number) that the reader can hold, else 0. A 1 is
// also noted here, for a statement that does not return the row.
bool wrongCellSeen = false;

void wrongCells(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    const auto* kinds = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    bool wrong = false;
    for (int i = 1; i < argc && !wrong; ++i) {
        const int type = sqlite3_value_type(argv[i]);
        if (type == SQLITE_NULL)
            continue;
        wrong = kinds[i - 1] == 'i' ? type != SQLITE_INTEGER || !FitsInteger(sqlite3_value_int64(argv[i]))
                                    : type != SQLITE_INTEGER && type != SQLITE_FLOAT;
    }
    wrongCellSeen = wrongCellSeen || wrong;
    sqlite3_result_int(context, wrong);
}

// A statement compares values it never returns ("WHERE ( MainGyo = 12 )"):
// the first query of a file checks the declared columns and every number
// cell of the whole file, as a table read whole is checked when it opens, so
// that a cell no row could hold is named instead of matching nothing.
struct NumberCheck {
    std::vector<FieldType> types;
    std::vector<std::string> names; // CP932
    std::string columns;            // ", Gyo, KubunNo"
    std::string test;               // "wrong_cells('ii', Gyo, KubunNo)"
};

NumberCheck numberColumns(Connection& conn, const std::string& file)
{
    NumberCheck check;
    std::string kinds;
    std::vector<std::pair<std::string, std::string>> declared; // CP932 name, declaration
    Statement info(conn, "PRAGMA table_info(data)");
    while (info.step()) {
        const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1));
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 2));
        declared.emplace_back(sjis::fromUtf8(name), text ? text : "");
        const FieldType type = TypeOfDeclaration(declared.back().second);
        if (type != FieldType::Integer && type != FieldType::Float)
            continue;
        check.types.push_back(type);
        check.names.push_back(declared.back().first);
        check.columns += ", " + QuoteIdentifier(name);
        kinds += type == FieldType::Integer ? 'i' : 'f';
    }
    check.test = "wrong_cells('" + kinds + "'" + check.columns + ")";
    for (const ColumnDef& def : declaredColumns()[file]) {
        const auto it = std::find_if(declared.begin(), declared.end(),
                                     [&](const auto& column) { return SameName(column.first, def.name); });
        if (it == declared.end())
            throw Error("Field '" + def.name + "' not found in " + file);
        RequireServes(def.name, file, it->second, def.type);
    }
    if (sqlite3_create_function_v2(conn.handle(), "wrong_cells", -1, SQLITE_UTF8 | SQLITE_DIRECTONLY, nullptr,
                                   wrongCells, nullptr, nullptr, nullptr)
        != SQLITE_OK)
        conn.fail("Cannot read");
    return check;
}

// Throws db::Error naming the first cell that the check finds wrong.
void refuseWrongCell(Connection& conn, const NumberCheck& check, const std::string& file)
{
    Statement first(conn, "SELECT rowid" + check.columns + " FROM data WHERE " + check.test + " LIMIT 1");
    if (first.step()) // the row names its cell
        RowStore(check.types, std::vector<bool>(check.types.size(), true), check.names, file)
            .append(first.get());
}

} // namespace

// Result fields go first, before the lookup fields defined.
void Query::Impl::makeResultFields(sqlite3_stmt* st)
{
    std::vector<std::pair<std::string, FieldType>> result;
    for (int c = 0; c < sqlite3_column_count(st); ++c)
        result.emplace_back(columnName(st, c), columnType(st, c));
    replaceLeadingFields(std::exchange(resultFields, static_cast<int>(result.size())), result);
}

// Each persistent field has its column, under its name and of a type it can
// read: a key declared TEXT would come in text order.
void Query::Impl::checkDataFields(sqlite3_stmt* st, const std::string& file) const
{
    const int count = sqlite3_column_count(st);
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const int c = columns[f];
        if (c < 0)
            continue;
        if (c >= count)
            throw Error("Field '" + fields[f]->FieldName() + "' has no column in the result of "
                        + label());
        if (!SameName(fields[f]->FieldName(), columnName(st, c)))
            throw Error("Field '" + fields[f]->FieldName() + "' does not match the column '"
                        + columnName(st, c) + "' of " + label());
        if (const char* declared = sqlite3_column_decltype(st, c))
            RequireServes(fields[f]->FieldName(), file, declared, fields[f]->DataType());
    }
}

std::unique_ptr<Cursor> Query::Impl::readRows()
{
    const std::string text = JoinLines(sql);
    const RewrittenSql rewritten = RewriteSql(text);
    auto connection = OpenConnection(rewritten.fileName, Connection::Mode::Reader);
    // Not on a file replaced since it was opened, however often asked: the
    // old rows would pass for the new file's.
    connection->requireUnchanged("Cannot read", false);
    // The first query of a file checks its number cells in its own pass
    // over the rows where it can; else in a pass of their own first.
    std::optional<NumberCheck> check;
    std::optional<std::string> scan;
    if (!connection->numbersChecked) {
        check = numberColumns(*connection, rewritten.fileName);
        if (!check->types.empty())
            scan = WithEveryRowTested(rewritten.sql, check->test);
        if (!scan) {
            if (!check->types.empty())
                refuseWrongCell(*connection, *check, rewritten.fileName);
            connection->numbersChecked = true;
        }
    }
    Statement st(*connection, scan ? *scan : rewritten.sql, "Cannot run the statement on");
    for (std::size_t i = 0; i < rewritten.literals.size(); ++i)
        st.bind(static_cast<int>(i + 1), rewritten.literals[i]);

    if (dataFields == 0)
        makeResultFields(st.get());
    else
        checkDataFields(st.get(), rewritten.fileName);
    std::vector<FieldType> types;
    for (int c = 0; c < sqlite3_column_count(st.get()); ++c)
        types.push_back(columnType(st.get(), c));
    for (std::size_t f = 0; f < fields.size(); ++f)
        if (columns[f] >= 0)
            types[columns[f]] = fields[f]->DataType();

    std::vector<std::string> names;
    for (std::size_t c = 0; c < types.size(); ++c)
        names.push_back(columnName(st.get(), static_cast<int>(c)));
    RowStore rows(types, std::vector<bool>(types.size(), true), std::move(names), rewritten.fileName);
    {
        const ReadingPagesThrough scanned(connection->handle());
        wrongCellSeen = false;
        // A bad cell on this row, on one passed over, or on one that DISTINCT
        // or HAVING left out: the first one in the file is named.
        while (st.step() && !wrongCellSeen)
            rows.appendResult(st.get());
    }
    if (wrongCellSeen)
        refuseWrongCell(*connection, *check, rewritten.fileName);
    if (scan)
        connection->numbersChecked = true;
    ranText = text;
    return std::make_unique<MemoryCursor>(std::move(rows), nullptr);
}

// A file is read as it was opened for the whole run, so the same statement
// gives the same rows: a refresh need not run it again.
bool Query::Impl::stale()
{
    return JoinLines(sql) != ranText;
}

Query::Query(std::string name) : Dataset(std::move(name))
{
    d_ = std::make_unique<Impl>(*this);
}

Query::~Query() = default;

Query::Impl& Query::impl() const
{
    return static_cast<Impl&>(*d_);
}

StringList& Query::SQL()
{
    return impl().sql;
}

const StringList& Query::SQL() const
{
    return impl().sql;
}

void Query::DeclareColumns(std::string_view fileName, std::vector<ColumnDef> columns)
{
    declaredColumns()[std::string(fileName)] = std::move(columns);
}

void Query::AddDataField(std::string_view name, FieldType type)
{
    Impl& d = impl();
    if (Active())
        throw Error("Cannot perform this operation on an open dataset: " + d.label());
    d.dropLeadingFields(std::exchange(d.resultFields, 0)); // fields of an earlier result give way
    d.addField(std::string(name), type);
    d.columns.push_back(d.dataFields++);
}

} // namespace db
