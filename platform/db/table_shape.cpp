#include "platform/db/table_shape.h"

namespace db {

std::string TableShape::selectSql() const
{
    std::string s = "SELECT rowid";
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (read[c])
            s += ", " + columns[c];
    return s + " FROM data";
}

std::string TableShape::orderSql(bool descending) const
{
    std::string s = " ORDER BY ";
    for (std::size_t i = 0; i < order.size(); ++i)
        s += (i ? ", " : "") + orderColumn(order[i]) + (descending ? " DESC" : "");
    return s;
}

} // namespace db
