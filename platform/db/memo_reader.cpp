#include "platform/db/memo_reader.h"

namespace db {

MemoReader::MemoReader(std::shared_ptr<Connection> conn, std::vector<std::string> columns)
    : conn_(std::move(conn)), columns_(std::move(columns))
{
}

Value MemoReader::read(std::int64_t rowId, int column)
{
    if (column == cachedColumn_ && rowId == cachedRow_)
        return cached_;
    auto it = statements_.find(column);
    if (it == statements_.end())
        it = statements_
                 .emplace(column, Statement(*conn_, "SELECT " + columns_[column]
                                                        + " FROM data WHERE rowid = ?"))
                 .first;
    Statement& st = it->second;
    const ResetAtEnd run(st);
    st.bind(1, rowId);
    Value v = st.step() ? st.column(0, FieldType::Memo) : Value{};
    cachedRow_ = rowId;
    cachedColumn_ = column;
    cached_ = v;
    return v;
}

} // namespace db
