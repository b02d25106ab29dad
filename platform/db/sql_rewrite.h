// Turns a statement of the program's dialect (CP932, "FROM E2.db", quoted
// literals) into one SQLite runs on the file's own connection: the table
// file becomes the table `data`, every literal a parameter bound with its
// CP932 bytes, the rest UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {

struct RewrittenSql {
    std::string fileName;              // CP932, as named after FROM
    std::string sql;                   // UTF-8 for SQLite
    std::vector<std::string> literals; // CP932 bytes of the literals, in order
};

// Throws db::Error for an unterminated literal, a statement without a table
// file after FROM, or one that names two different files.
RewrittenSql RewriteSql(std::string_view statement);

// A rewritten SELECT whose one pass over the table also runs `test` on
// every row: "WHERE x" becomes "WHERE test OR (x)", so that a row the test
// is true for comes in as well. nullopt for a statement that reads some
// rows twice or none (joins, compounds) or that may stop early (LIMIT).
std::optional<std::string> WithEveryRowTested(std::string_view sql, std::string_view test);

} // namespace db
