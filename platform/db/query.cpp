#include "platform/db/dataset.h"

#include "platform/db/connection.h"
#include "platform/db/dataset_impl.h"
#include "platform/db/memory_cursor.h"
#include "platform/db/page_reads.h"
#include "platform/db/sql_rewrite.h"
#include "platform/db/values.h"
#include "platform/text/sjis.h"

#include <sqlite3.h>

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

// A statement compares values it never returns ("WHERE ( MainGyo = 12 )"):
// the number columns of a file are checked whole at its first query, as a
// table read whole is when it opens, so that a cell no row could hold is
// named instead of matching nothing. The file stays the one opened.
void requireNumbers(Connection& conn, const std::string& file)
{
    if (conn.numbersChecked)
        return;
    std::vector<FieldType> types;
    std::vector<std::string> names;
    std::string columns, wrong;
    Statement info(conn, "PRAGMA table_info(data)");
    while (info.step()) {
        const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1));
        const auto* declared = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 2));
        const FieldType type = TypeOfDeclaration(declared ? declared : "");
        if (type != FieldType::Integer && type != FieldType::Float)
            continue;
        const std::string q = QuoteIdentifier(name);
        types.push_back(type);
        names.push_back(sjis::fromUtf8(name));
        columns += ", " + q;
        wrong += (wrong.empty() ? "" : " OR ")
                 + (type == FieldType::Integer
                        ? "typeof(" + q + ") NOT IN ('integer', 'null') OR " + q
                              + " NOT BETWEEN -2147483648 AND 2147483647"
                        : "typeof(" + q + ") NOT IN ('integer', 'real', 'null')");
    }
    if (!types.empty()) {
        Statement first(conn, "SELECT rowid" + columns + " FROM data WHERE " + wrong + " LIMIT 1");
        if (first.step()) // the row names its cell
            RowStore(types, std::vector<bool>(types.size(), true), names, file).append(first.get());
    }
    conn.numbersChecked = true;
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
        if (sqlite3_column_decltype(st, c))
            RequireServes(fields[f]->FieldName(), file, columnType(st, c), fields[f]->DataType());
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
    requireNumbers(*connection, rewritten.fileName);
    Statement st(*connection, rewritten.sql, "Cannot run the statement on");
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
        const ReadingPagesThrough scan(connection->handle());
        while (st.step())
            rows.appendResult(st.get());
    }
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
