// The filter texts of datasets: integer fields compared with decimal
// constants by "=", "<>", "<", "<=", ">", ">=", joined by "and" and "or" with
// parentheses: "(KubunNo >= 70) and (KubunNo < 100)". Keywords and field
// names are matched without regard to case.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace db {

class Filter {
public:
    // Throws db::Error naming the text when it is no filter expression.
    explicit Filter(std::string_view text);
    ~Filter();

    // Gives every field name its column; `resolve` throws for an unknown field.
    void bind(const std::function<int(const std::string& fieldName)>& resolve);

    // `value(column)` is the row's number in that column, nullopt for NULL
    // (a comparison with NULL is false).
    bool matches(const std::function<std::optional<double>(int column)>& value) const;

    // The same condition as an SQL expression; `name(column)` gives the
    // quoted column name.
    std::string toSql(const std::function<std::string(int column)>& name) const;

    struct Node;

private:
    std::unique_ptr<Node> root_;
};

} // namespace db
