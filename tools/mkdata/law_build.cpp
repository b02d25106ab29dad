#include "law_build.h"

#include "platform/text/sjis.h"

#include <algorithm>

namespace mkdata {

ArticleIndex::ArticleIndex(const std::map<char, LawCollection>& collections) : collections_(collections)
{
    for (const auto& [letter, c] : collections)
        for (const Article& a : c.articles)
            byNumber_[{letter, a.kubunNo, a.bangou}] = &a;
}

const LawCollection& ArticleIndex::collection(const TargetRef& t, char ownTab) const
{
    const char letter = t.tab ? t.tab : ownTab;
    const auto it = collections_.find(letter);
    if (it == collections_.end())
        throw SourceError(t.pos, "the target \"" + t.written + "\" is in tab " + std::string(1, letter) +
                                     ", which has no sources");
    return it->second;
}

const Article& ArticleIndex::find(const TargetRef& t, char ownTab) const
{
    const LawCollection& c = collection(t, ownTab);
    const auto it = byNumber_.find({c.tab->letter, t.kubun->code, t.bangou});
    if (it == byNumber_.end())
        throw SourceError(t.pos, "no article \"" + t.written + "\" in tab " + std::string(1, c.tab->letter));
    return *it->second;
}

std::map<char, LawCollection> buildLawCollections(const std::map<char, LawTabSources>& sources)
{
    std::map<char, LawCollection> collections;
    // First every article with its number, so that links may point forward
    // and into other tabs.
    for (const auto& [letter, src] : sources) {
        LawCollection& c = collections[letter];
        c.tab = src.tab;
        std::map<std::pair<int, std::string>, SourcePos> seen;
        for (std::size_t n = 0; n < src.articles.size(); ++n) {
            const ArticleSource& s = src.articles[n];
            const auto [earlier, fresh] = seen.emplace(std::pair(s.kubun->code, s.bangou), s.pos);
            if (!fresh)
                throw SourceError(s.pos, "article " + sjis::toUtf8(s.kubun->label + ":" + s.bangou) +
                                             " is already defined at line " +
                                             std::to_string(earlier->second.line));
            Article a;
            a.gyo = gyoOf(n);
            a.key = static_cast<int>(n) + 1;
            a.kubunNo = s.kubun->code;
            a.kubun = s.kubun->label;
            a.bangou = s.bangou;
            a.heading = s.heading;
            a.body = s.body;
            composeArticle(a, s.kubun->officialName, s.marks);
            if (a.title.size() > kMaxTitleBytes)
                throw SourceError(s.pos, "the number and heading take " + std::to_string(a.title.size()) +
                                             " bytes; at most 255 fit the title");
            c.articles.push_back(std::move(a));
        }
    }

    const ArticleIndex index(collections);
    for (const auto& [letter, src] : sources) {
        LawCollection& c = collections[letter];
        for (std::size_t n = 0; n < src.articles.size(); ++n) {
            const ArticleSource& s = src.articles[n];
            const Article& from = c.articles[n];
            for (const LinkMark& m : s.links) {
                Link l;
                l.gyo = from.gyo;
                l.sel = static_cast<int>(from.bodyOffset + m.offset);
                l.length = static_cast<int>(m.phrase.size());
                l.phrase = m.phrase;
                if (m.target.special) {
                    l.zeimoku = m.target.special;
                } else {
                    const Article& to = index.find(m.target, letter);
                    if (&to == &from)
                        throw SourceError(m.target.pos, "a link from an article to itself");
                    l.goGyo = to.gyo;
                    l.zeimoku = index.collection(m.target, letter).tab->index;
                    l.targetKubunNo = to.kubunNo;
                    l.targetKubun = to.kubun;
                    l.targetBangou = to.bangou;
                }
                c.links.push_back(std::move(l));
            }
            for (const TargetRef& t : s.cites) {
                if (t.special || (t.tab && t.tab != letter))
                    throw SourceError(t.pos, "@cites names an article of the same tab");
                const Article& to = index.find(t, letter);
                c.references.push_back({from.gyo, from.kubunNo, to.gyo});
            }
        }
        deriveReferences(c);

        for (const TreeSource& t : src.tree) {
            TreeNode node;
            node.depth = t.depth;
            node.text = t.text;
            if (t.target) {
                const Article& a = index.find(*t.target, letter);
                node.gyo = a.gyo;
                if (node.text.empty())
                    node.text = a.title;
            }
            c.tree.push_back(std::move(node));
        }
    }
    return collections;
}

} // namespace mkdata
