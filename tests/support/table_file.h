// Table files for test fixtures, written with plain SQLite calls in the
// format the reader reads (README, "Table files"): one table `data`, 64 KB
// pages, texts as CP932 BLOBs.
#pragma once

#include "platform/db/dataset.h"

#include <string>
#include <vector>

using Row = std::vector<db::Value>;

// `fileName` is CP932 (it may hold a folder); `columns` the column list of
// CREATE TABLE ("Gyo INTEGER PRIMARY KEY, KubunNo INTEGER, Honbun MEMO");
// `extraSql` runs afterwards (indexes).
void WriteTableFile(const std::string& fileName, const std::string& columns,
                    const std::vector<Row>& rows, const std::vector<std::string>& extraSql = {});

// The bytes of a file, to see that reading left it alone.
std::string FileBytes(const std::string& fileName);
