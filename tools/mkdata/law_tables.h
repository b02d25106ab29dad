// Writes a law tab's table files and its authoring databases.
#pragma once

#include "kubun_table.h"
#include "law_collection.h"

#include <filesystem>
#include <string>

namespace mkdata {

// X1.db to X5.db and the contents-tree file X6.dl_ into `outDir`.
void writeLawTables(const LawCollection& c, const std::filesystem::path& outDir);

// The contents-tree file's bytes: one node per line, depth by leading tabs,
// CR LF after every line.
std::string treeFileBytes(const std::vector<TreeNode>& tree);

// <folder>/Jyobun/Data (条文本文.db, リンク条文.DB) and <folder>/Cd12/Data
// (条文本文.db) under `authoringRoot`.
void writeAuthoringTables(const LawCollection& c, const std::filesystem::path& authoringRoot);

// YpSyohi/Main/Data/マスタ条文.DB under `authoringRoot`.
void writeMasterTable(const KubunTable& kubun, const std::filesystem::path& authoringRoot);

// Writes `bytes` to `file` as they are; throws std::runtime_error on failure.
void writeFileBytes(const std::filesystem::path& file, const std::string& bytes);

} // namespace mkdata
