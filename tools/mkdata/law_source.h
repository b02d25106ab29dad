// The readable sources of a law tab: the articles file and the contents-tree
// file (format in sample/README.md). Reading checks the syntax; targets are
// resolved later, when every tab has been read.
#pragma once

#include "kubun_table.h"
#include "source_text.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mkdata {

// An article named in a source: "消法:３０条", "G:会社法:２条", or a
// reference search "-1" / "-2".
struct TargetRef {
    SourcePos pos;
    std::string written; // UTF-8, as it stands, for messages
    char tab = 0;        // 0: the tab of the source itself
    int special = 0;     // kSearchSeirei / kSearchSyourei, or 0 for an article
    const Kubun* kubun = nullptr;
    std::string bangou; // CP932, normalised
};

struct LinkMark {
    std::size_t offset = 0; // byte offset of the phrase in the article body
    std::string phrase;     // CP932
    TargetRef target;
};

struct ArticleSource {
    SourcePos pos;
    std::string marks;
    const Kubun* kubun = nullptr;
    std::string bangou;
    std::string heading;
    std::string body; // CP932, lines joined by CR LF
    std::vector<LinkMark> links;
    std::vector<TargetRef> cites;
};

struct TreeSource {
    SourcePos pos;
    int depth = 0;
    std::string text; // CP932; empty when the node takes its article's title
    std::optional<TargetRef> target;
};

std::vector<ArticleSource> readArticles(const std::filesystem::path& file, const KubunTable& kubun);
std::vector<TreeSource> readTree(const std::filesystem::path& file, const KubunTable& kubun);

// Parses a target as written in the sources; throws SourceError at `pos`.
TargetRef parseTarget(std::string_view written, const SourcePos& pos, const KubunTable& kubun);

// Article numbers as stored: half-width digits full-width, "-" as "－".
std::string normaliseBangou(std::string_view cp932);

} // namespace mkdata
