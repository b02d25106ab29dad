// Reads MEMO cells (article texts) of a table file one at a time, when a
// field asks for them; the rows themselves are read without them.
#pragma once

#include "platform/db/connection.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace db {

class MemoReader {
public:
    // `columns`: the table's quoted column names (UTF-8), by column index.
    MemoReader(std::shared_ptr<Connection> conn, std::vector<std::string> columns);
    Value read(std::int64_t rowId, int column);

private:
    std::shared_ptr<Connection> conn_;
    std::vector<std::string> columns_;
    std::map<int, Statement> statements_;
    // The last cell read: a display reads the same text several times.
    std::int64_t cachedRow_ = 0;
    int cachedColumn_ = -1;
    Value cached_;
};

} // namespace db
