#include "law_collection.h"

#include "platform/text/sjis.h"

#include <algorithm>
#include <unordered_map>

namespace mkdata {

const LawTab* lawTab(char letter)
{
    static const LawTab tabs[] = {
        {'A', 0, "YpHoujin"}, {'E', 1, "YpSyohi"}, {'G', 2, "YpGen"},
        {'H', 3, "YpToku"},   {'I', 4, "YpZoku"},  {'K', 5, "YpMin"},
    };
    for (const LawTab& t : tabs)
        if (t.letter == letter)
            return &t;
    return nullptr;
}

void composeArticle(Article& a, std::string_view officialName, std::string_view marks)
{
    static const std::string open = "【"_sj, close = "】"_sj, space = "　"_sj;
    a.title = a.heading.empty() ? a.bangou : a.bangou + space + a.heading;
    std::string header;
    header.append(marks).append(open).append(officialName).append(close);
    header.append(a.bangou).append(space).append(a.heading);
    a.bodyOffset = header.size() + 2;
    a.honbun = std::move(header);
    if (!a.body.empty())
        a.honbun.append("\r\n").append(a.body);
}

void deriveReferences(LawCollection& c)
{
    std::unordered_map<int, int> kubunOf;
    for (const Article& a : c.articles)
        kubunOf[a.gyo] = a.kubunNo;
    for (const Link& l : c.links)
        if (l.zeimoku == c.tab->index)
            c.references.push_back({l.gyo, kubunOf[l.gyo], l.goGyo});
    std::sort(c.references.begin(), c.references.end());
    c.references.erase(std::unique(c.references.begin(), c.references.end()), c.references.end());
}

} // namespace mkdata
