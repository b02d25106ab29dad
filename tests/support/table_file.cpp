#include "table_file.h"

#include "platform/text/sjis.h"

#include <fstream>
#include <sstream>

void WriteTableFile(const std::string& fileName, const db::TableDef& def, const std::vector<Row>& rows)
{
    db::TableWriter writer(fileName, def);
    for (const Row& row : rows)
        writer.insert(row);
    writer.commit();
}

std::string FileBytes(const std::string& fileName)
{
    std::ifstream in(sjis::toUtf8(fileName), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
