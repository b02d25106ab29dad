// One law tab's data as the reader's tables hold it, whatever it was made
// from (the readable sources or the generator). All texts are CP932.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mkdata {

// A law tab: file letter, index in the reader's tab order, authoring folder.
struct LawTab {
    char letter;
    int index;
    const char* folder;
};
// nullptr for a letter that names no law tab.
const LawTab* lawTab(char letter);

struct Article {
    int gyo = 0;
    int key = 0; // ＫＥＹ of the authoring tables
    int kubunNo = 0;
    std::string kubun;          // short label of the document
    std::string bangou;         // article number, digits full-width
    std::string heading;        // 表題
    std::string title;          // number and heading, the grid's column
    std::string body;           // the article body, lines joined by CR LF
    std::string honbun;         // the text the reader shows: header line, CR LF, body
    std::size_t bodyOffset = 0; // byte offset of the body in `honbun`
};

// Fills title, honbun and bodyOffset from the other fields. The header line
// is the marks (＊○☆×), the official name in 【】, the number and the
// heading: the authoring editor counts on exactly these bytes before the body.
void composeArticle(Article& a, std::string_view officialName, std::string_view marks);

inline constexpr std::size_t kMaxTitleBytes = 255;

// Reference search targets of a link instead of an article.
inline constexpr int kSearchSeirei = -1;  // 政令
inline constexpr int kSearchSyourei = -2; // 省令

// One marked phrase: becomes one link row per byte.
struct Link {
    int gyo = 0;
    int sel = 0;    // byte offset of the phrase's first byte in honbun
    int length = 0; // bytes
    int goGyo = 0;
    int zeimoku = 0; // target law tab, or kSearchSeirei / kSearchSyourei
    std::string phrase;
    int targetKubunNo = 0; // 0 for a reference-search link
    std::string targetKubun;
    std::string targetBangou;
};

struct Reference {
    int gyo = 0;
    int kubunNo = 0;
    int mainGyo = 0;
    auto operator<=>(const Reference&) const = default;
};

struct TreeNode {
    int depth = 0;
    std::string text;
    int gyo = 0; // the article the node stands for; 0 for a heading
};

struct LawCollection {
    const LawTab* tab = nullptr;
    std::vector<Article> articles; // ascending gyo
    std::vector<Link> links;       // ascending gyo, then sel
    std::vector<Reference> references;
    std::vector<TreeNode> tree; // pre-order
};

// Adds a reference row for every link to an article of the same tab, then
// sorts the references and drops repeats.
void deriveReferences(LawCollection& c);

} // namespace mkdata
