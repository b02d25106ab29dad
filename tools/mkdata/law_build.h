// Turns the sources of every law tab into collections: numbers the articles
// in reading order and resolves links, cited articles and tree nodes, also
// across tabs.
#pragma once

#include "law_collection.h"
#include "law_source.h"

#include <map>

namespace mkdata {

struct LawTabSources {
    const LawTab* tab = nullptr;
    std::vector<ArticleSource> articles;
    std::vector<TreeSource> tree;
};

// Gyo of the n-th article (0-based) of a tab: steps of ten leave room for
// the authoring editor to insert rows between them.
constexpr int gyoOf(std::size_t n)
{
    return static_cast<int>(n + 1) * 10;
}

// Keyed by tab letter. Throws SourceError at the first fault.
std::map<char, LawCollection> buildLawCollections(const std::map<char, LawTabSources>& sources);

// Looks an article up by document code and number in the built tabs.
class ArticleIndex {
public:
    explicit ArticleIndex(const std::map<char, LawCollection>& collections);
    // The article `t` names, `ownTab` standing for an omitted tab letter;
    // throws SourceError when there is none.
    const Article& find(const TargetRef& t, char ownTab) const;
    const LawCollection& collection(const TargetRef& t, char ownTab) const;

private:
    const std::map<char, LawCollection>& collections_;
    std::map<std::tuple<char, int, std::string>, const Article*> byNumber_;
};

} // namespace mkdata
