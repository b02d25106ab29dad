// A book tab's contents entries, read from its source file and written as
// the tables Y1, Y3, Y4 and Y5.
#pragma once

#include "law_build.h"
#include "source_text.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mkdata {

struct BookTab {
    char letter;
    std::vector<int> bookNumbers; // the numbers its scope combo offers
};
const BookTab* bookTab(char letter);

struct Book {
    int bookNo = 0;
    int renban = 0;
    std::string nameShort, nameLong, edition, publisher; // CP932
};

struct BookEntry {
    SourcePos pos;
    std::size_t book = 0; // index into BookSet::books
    double page = 0;
    std::string gou;
    std::string mokuji;
    std::optional<TargetRef> jump;
    int jumpGyo = 0; // resolved by resolveBookJumps
    int jumpTab = 0;
    std::string url;
};

struct BookSet {
    const BookTab* tab = nullptr;
    std::vector<Book> books;
    std::vector<BookEntry> entries; // reading order; BookSeq is the position + 1
};

BookSet readBooks(const std::filesystem::path& file, const BookTab& tab, const KubunTable& kubun);

// Finds the law article of every jump; throws SourceError for a missing one.
void resolveBookJumps(BookSet& set, const ArticleIndex& laws);

// Y1, Y3, Y4 and Y5 into `outDir`.
void writeBookTables(const BookSet& set, const std::filesystem::path& outDir);

} // namespace mkdata
