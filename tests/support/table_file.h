// Table files for test fixtures, written by the data tool's writer
// (db::TableWriter) in the format the reader reads. A test that needs an odd
// table (columns missing, a different key) passes its own definition.
#pragma once

#include "platform/db/dataset.h"
#include "platform/db/table_writer.h"

#include <string>
#include <vector>

using Row = std::vector<db::Value>;

// `fileName` is CP932 and may hold a folder; rows give values in column order.
void WriteTableFile(const std::string& fileName, const db::TableDef& def, const std::vector<Row>& rows);

// The bytes of a file, to see that reading left it alone.
std::string FileBytes(const std::string& fileName);
