#include "platform/db/sql_rewrite.h"

#include "platform/db/dataset.h"
#include "platform/text/sjis.h"

#include <cctype>
#include <cstring>
#include <strings.h>

namespace db {

namespace {

// Identifiers, numbers and file names; bytes of CP932 characters belong to words.
bool isWordByte(unsigned char c)
{
    return std::isalnum(c) || c == '_' || c == '.' || c == '$' || c >= 0x80;
}

} // namespace

RewrittenSql RewriteSql(std::string_view s)
{
    RewrittenSql out;
    bool tableNext = false;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\'') {
            std::string literal;
            std::size_t j = i + 1;
            for (;;) {
                if (j >= s.size())
                    throw Error("Unterminated string in the statement: " + std::string(s));
                if (s[j] == '\'') {
                    if (j + 1 < s.size() && s[j + 1] == '\'') { // '' is a quote
                        literal += '\'';
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                const std::size_t n = sjis::charLength(s, j);
                literal.append(s.substr(j, n));
                j += n;
            }
            out.literals.push_back(std::move(literal));
            out.sql += '?';
            i = j;
            tableNext = false;
        } else if (isWordByte(c)) {
            std::size_t j = i;
            while (j < s.size() && isWordByte(static_cast<unsigned char>(s[j])))
                j += sjis::charLength(s, j);
            const std::string_view word = s.substr(i, j - i);
            if (tableNext) {
                if (!out.fileName.empty() && out.fileName != word)
                    throw Error("The statement names two table files: " + out.fileName + ", "
                                + std::string(word));
                out.fileName = word;
                out.sql += "data";
                tableNext = false;
            } else {
                tableNext = word.size() == 4 && strncasecmp(word.data(), "FROM", 4) == 0;
                out.sql += sjis::toUtf8(word);
            }
            i = j;
        } else {
            out.sql += static_cast<char>(std::isspace(c) ? ' ' : c);
            if (!std::isspace(c))
                tableNext = false;
            ++i;
        }
    }
    if (out.fileName.empty())
        throw Error("The statement names no table file after FROM: " + std::string(s));
    return out;
}

std::optional<std::string> WithEveryRowTested(std::string_view sql, std::string_view test)
{
    constexpr auto none = std::string_view::npos;
    std::size_t from = none, where = none, tail = sql.size();
    int depth = 0;
    bool first = true;
    for (std::size_t i = 0; i < sql.size();) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        if (c == '"' || c == '`' || c == '[') { // a quoted name
            const char close = c == '[' ? ']' : static_cast<char>(c);
            const std::size_t end = sql.find(close, i + 1);
            if (end == none)
                return std::nullopt;
            i = end + 1;
            continue;
        }
        if (!isWordByte(c)) {
            if ((c == ',' || c == '(') && depth == 0 && from != none && where == none && tail == sql.size())
                return std::nullopt; // a join, rows of a subquery
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < sql.size() && isWordByte(static_cast<unsigned char>(sql[j])))
            ++j;
        const std::string_view word = sql.substr(i, j - i);
        const auto is = [&](const char* k) {
            return word.size() == strlen(k) && strncasecmp(word.data(), k, word.size()) == 0;
        };
        if (first) {
            if (!is("SELECT"))
                return std::nullopt;
            first = false;
        } else if (depth == 0) {
            if (is("JOIN") || is("UNION") || is("INTERSECT") || is("EXCEPT") || is("LIMIT"))
                return std::nullopt; // the test would not see every row once
            if (from == none && is("FROM"))
                from = i;
            else if (from != none && where == none && tail == sql.size() && is("WHERE"))
                where = j;
            else if (from != none && tail == sql.size()
                     && (is("ORDER") || is("GROUP") || is("HAVING") || is("WINDOW")))
                tail = i;
        }
        i = j;
    }
    if (from == none)
        return std::nullopt;
    const std::string head(sql.substr(0, where == none ? tail : where)), t(test);
    if (where == none)
        return head + " WHERE " + t + " OR 1 " + std::string(sql.substr(tail));
    return head + " " + t + " OR (" + std::string(sql.substr(where, tail - where)) + ") "
           + std::string(sql.substr(tail));
}

} // namespace db
