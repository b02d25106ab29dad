#include "table_writer.h"

#include "platform/db/values.h"
#include "platform/text/sjis.h"

#include <sqlite3.h>

#include <cstdint>
#include <limits>
#include <system_error>

namespace db {

namespace {

// Identifiers go into the schema as UTF-8, the encoding of SQL text.
std::string sqlName(std::string_view cp932Name)
{
    std::string out = "\"";
    for (char c : sjis::toUtf8(cp932Name)) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

std::vector<std::string> splitFields(std::string_view fields)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= fields.size(); ++i) {
        if (i == fields.size() || fields[i] == ';') {
            out.emplace_back(fields.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

} // namespace

TableWriter::TableWriter(std::string_view fileName, const TableDef& def, const std::filesystem::path& folder)
    : def_(def), path_(folder / std::filesystem::path(sjis::toUtf8(fileName))), displayName_(fileName)
{
    if (def_.columns.empty())
        throw Error("table " + displayName_ + " has no columns");
    try {
        open();
    } catch (...) {
        close();
        std::error_code ec;
        std::filesystem::remove(path_, ec);
        throw;
    }
}

void TableWriter::open()
{
    std::error_code ec;
    std::filesystem::remove(path_, ec);
    std::filesystem::remove(std::filesystem::path(path_.string() + "-journal"), ec);

    if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK)
        fail("cannot create the table file");
    // Large pages make the reader's scans over long texts cheap. The journal
    // stays in memory while we build: a failed build removes the file anyway.
    exec("PRAGMA page_size = 65536");
    exec("PRAGMA journal_mode = MEMORY");
    exec("PRAGMA synchronous = OFF");

    std::string create = "CREATE TABLE data (";
    std::string insert = "INSERT INTO data VALUES (";
    for (std::size_t i = 0; i < def_.columns.size(); ++i) {
        const ColumnDef& c = def_.columns[i];
        if (i) {
            create += ", ";
            insert += ", ";
        }
        create += sqlName(c.name) + ' ' + TypeName(c.type);
        if (c.name == def_.primaryKey) {
            if (c.type != FieldType::Integer)
                throw Error("primary key " + c.name + " of " + displayName_ + " is not an INTEGER column");
            create += " PRIMARY KEY";
        }
        insert += '?';
    }
    exec(create + ")");
    exec("BEGIN");
    if (sqlite3_prepare_v2(db_, (insert + ")").c_str(), -1, &insert_, nullptr) != SQLITE_OK)
        fail("cannot prepare the insert");
}

TableWriter::~TableWriter()
{
    if (committed_)
        return;
    close();
    std::error_code ec;
    std::filesystem::remove(path_, ec);
}

void TableWriter::insert(std::initializer_list<Value> row)
{
    insertRange(row.begin(), row.size());
}

void TableWriter::insert(const std::vector<Value>& row)
{
    insertRange(row.data(), row.size());
}

void TableWriter::insertRange(const Value* values, std::size_t count)
{
    if (committed_)
        throw Error("table " + displayName_ + " is already committed");
    if (count != def_.columns.size())
        throw Error("table " + displayName_ + ": a row of " + std::to_string(count) + " values for " +
                    std::to_string(def_.columns.size()) + " columns");
    sqlite3_reset(insert_);
    for (std::size_t i = 0; i < count; ++i) {
        const int slot = static_cast<int>(i) + 1;
        const ColumnDef& column = def_.columns[i];
        const Value& v = values[i];
        int rc = SQLITE_OK;
        if (std::holds_alternative<std::monostate>(v)) {
            rc = sqlite3_bind_null(insert_, slot);
        } else if (const auto* n = std::get_if<std::int64_t>(&v)) {
            if (column.type == FieldType::Integer) {
                if (*n < std::numeric_limits<std::int32_t>::min() ||
                    *n > std::numeric_limits<std::int32_t>::max())
                    throw Error("table " + displayName_ + ": " + std::to_string(*n) +
                                " does not fit the 32-bit column " + column.name);
                rc = sqlite3_bind_int64(insert_, slot, *n);
            } else if (column.type == FieldType::Float) {
                rc = sqlite3_bind_double(insert_, slot, static_cast<double>(*n));
            } else {
                throw Error("table " + displayName_ + ": a number for the text column " + column.name);
            }
        } else if (const auto* f = std::get_if<double>(&v)) {
            if (column.type != FieldType::Float)
                throw Error("table " + displayName_ + ": a fraction for the column " + column.name);
            rc = sqlite3_bind_double(insert_, slot, *f);
        } else {
            const std::string& s = std::get<std::string>(v);
            if (column.type != FieldType::Text && column.type != FieldType::Memo)
                throw Error("table " + displayName_ + ": a text for the number column " + column.name);
            // An empty text stays an empty BLOB, not NULL.
            rc = s.empty()
                     ? sqlite3_bind_zeroblob(insert_, slot, 0)
                     : sqlite3_bind_blob(insert_, slot, s.data(), static_cast<int>(s.size()), SQLITE_STATIC);
        }
        if (rc != SQLITE_OK)
            fail("cannot bind a value of column " + column.name);
    }
    if (sqlite3_step(insert_) != SQLITE_DONE)
        fail("cannot insert a row");
}

void TableWriter::commit()
{
    if (committed_)
        return;
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    exec("COMMIT");
    int n = 0;
    for (const std::string& index : def_.indexes) {
        std::string sql = "CREATE INDEX idx" + std::to_string(++n) + " ON data (";
        const std::vector<std::string> fields = splitFields(index);
        for (std::size_t i = 0; i < fields.size(); ++i)
            sql += (i ? ", " : "") + sqlName(fields[i]);
        exec(sql + ")");
    }
    close();
    committed_ = true;
}

void TableWriter::exec(const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string what = message ? message : "unknown error";
        sqlite3_free(message);
        throw Error("table " + displayName_ + ": " + what);
    }
}

void TableWriter::fail(const std::string& what)
{
    throw Error("table " + displayName_ + ": " + what + ": " + (db_ ? sqlite3_errmsg(db_) : "out of memory"));
}

void TableWriter::close()
{
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    sqlite3_close(db_);
    db_ = nullptr;
}

namespace layout {

namespace {
constexpr FieldType I = FieldType::Integer;
constexpr FieldType F = FieldType::Float;
constexpr FieldType T = FieldType::Text;
constexpr FieldType M = FieldType::Memo;
} // namespace

TableDef lawMain()
{
    return {{{"Gyo", I}, {"KubunNo", I}, {"Kubun", T}, {"Bangou", T}, {"Title", T}}, "Gyo", {}};
}

TableDef lawText()
{
    return {{{"Gyo", I}, {"KubunNo", I}, {"Honbun", M}}, "Gyo", {}};
}

TableDef lawReference()
{
    return {{{"Gyo", I}, {"KubunNo", I}, {"MainGyo", I}}, {}, {"MainGyo", "Gyo"}};
}

TableDef lawLink()
{
    return {{{"Gyo", I}, {"Sel", I}, {"GoGyo", I}, {"Zeimoku", I}}, {}, {"Gyo;Sel"}};
}

TableDef lawTree()
{
    return {{{"TreeID", I}, {"Gyo", I}}, {}, {"Gyo", "TreeID"}};
}

TableDef bookMain()
{
    return {{{"BookSeq", I},
             {"BookNo", I},
             {"BookRenban", I},
             {"BookNameShort", T},
             {"Gou", T},
             {"BookPage", F},
             {"Mokuji", T}},
            "BookSeq",
            {}};
}

TableDef bookName()
{
    return {{{"BookNo", I}, {"BookRenban", I}, {"BookNameLong", T}, {"BookHan", T}, {"BookSyupan", T}},
            {},
            {"BookNo;BookRenban"}};
}

TableDef bookJump()
{
    return {{{"BookSeq", I}, {"Gyo", I}, {"Zeimoku", I}}, {}, {"BookSeq"}};
}

TableDef bookUrl()
{
    return {{{"BookSeq", I}, {"Url", T}}, {}, {"BookSeq"}};
}

TableDef authoringArticle()
{
    return {{{"ＫＥＹ"_sj, I},
             {"条文連番"_sj, I},
             {"行"_sj, F},
             {"条文区分"_sj, T},
             {"条文本文"_sj, T},
             {"項号等"_sj, T},
             {"表題"_sj, T},
             {"条文内容"_sj, M},
             {"改正"_sj, I},
             {"番号のみ"_sj, I},
             {"check", F},
             {"check2", T}},
            {},
            {"ＫＥＹ"_sj, "行"_sj}};
}

TableDef authoringLink()
{
    return {{{"ＫＥＹ"_sj, I},
             {"リンク条文番号"_sj, I},
             {"条件"_sj, T},
             {"行"_sj, F},
             {"条文区分"_sj, T},
             {"条文本文"_sj, T},
             {"リンク条文区分"_sj, T},
             {"リンク条文本文"_sj, T},
             {"GoGyo", F},
             {"Zeimoku", F},
             {"check", F},
             {"check2", T}},
            {},
            {"ＫＥＹ;リンク条文番号;条件"_sj}};
}

TableDef authoringMaster()
{
    return {{{"連番"_sj, I}, {"条文区分"_sj, T}, {"正式名"_sj, T}}, {}, {}};
}

} // namespace layout

} // namespace db
