#include "law_source.h"

#include "law_collection.h"
#include "platform/text/sjis.h"

namespace mkdata {

namespace {

const std::string kLinkOpen = "[[";
const std::string kLinkClose = "]]";
const std::string kArrow = "=>";

bool isComment(std::string_view text)
{
    return !text.empty() && text.front() == '#';
}

} // namespace

TargetRef parseTarget(std::string_view written, const SourcePos& pos, const KubunTable& kubun)
{
    TargetRef t;
    t.pos = pos;
    t.written = std::string(written);
    if (written == "-1" || written == "-2") {
        t.special = written == "-1" ? kSearchSeirei : kSearchSyourei;
        return t;
    }
    std::vector<std::string_view> parts = splitTrimmed(written, ':');
    if (parts.size() == 3) {
        if (parts[0].size() != 1 || !lawTab(parts[0][0]))
            throw SourceError(pos,
                              "\"" + std::string(parts[0]) + "\" is not a law tab letter (A, E, G, H, I, K)");
        t.tab = parts[0][0];
        parts.erase(parts.begin());
    }
    if (parts.size() != 2 || parts[0].empty() || parts[1].empty())
        throw SourceError(pos, "the target \"" + t.written +
                                   "\" is not of the form 消法:３０条, G:会社法:２条, -1 or -2");
    t.kubun = kubun.byLabel(toCp932(parts[0], pos));
    if (!t.kubun)
        throw SourceError(pos, "unknown document label \"" + std::string(parts[0]) + "\"");
    t.bangou = normaliseBangou(toCp932(parts[1], pos));
    return t;
}

namespace {

// One body line: the text without markup, and its links with offsets
// relative to the line.
void parseBodyLine(const SourceLine& line, const KubunTable& kubun, std::string& text,
                   std::vector<LinkMark>& links)
{
    std::string_view rest = line.text;
    while (true) {
        const std::size_t open = rest.find(kLinkOpen);
        const std::size_t stray = rest.find(kLinkClose);
        if (stray != std::string_view::npos && stray < open)
            throw SourceError(line.pos, "\"]]\" without \"[[\"");
        if (open == std::string_view::npos)
            break;
        text += toCp932(rest.substr(0, open), line.pos);
        rest.remove_prefix(open + kLinkOpen.size());
        const std::size_t close = rest.find(kLinkClose);
        if (close == std::string_view::npos)
            throw SourceError(line.pos, "\"[[\" without \"]]\" on the same line");
        const std::string_view inside = rest.substr(0, close);
        if (inside.find(kLinkOpen) != std::string_view::npos)
            throw SourceError(line.pos, "a link inside a link");
        const std::size_t bar = inside.rfind('|');
        if (bar == std::string_view::npos)
            throw SourceError(line.pos,
                              "a link needs \"|\" between the phrase and its target: [[phrase|target]]");
        LinkMark mark;
        mark.offset = text.size();
        mark.phrase = toCp932(inside.substr(0, bar), line.pos);
        if (mark.phrase.empty())
            throw SourceError(line.pos, "a link with an empty phrase");
        mark.target = parseTarget(trimAscii(inside.substr(bar + 1)), line.pos, kubun);
        text += mark.phrase;
        links.push_back(std::move(mark));
        rest.remove_prefix(close + kLinkClose.size());
    }
    text += toCp932(rest, line.pos);
}

struct BodyLine {
    std::string text;
    std::vector<LinkMark> links;
};

void finishBody(ArticleSource& a, std::vector<BodyLine>& lines)
{
    while (!lines.empty() && lines.back().text.empty() && lines.back().links.empty())
        lines.pop_back();
    std::size_t first = 0;
    while (first < lines.size() && lines[first].text.empty())
        ++first;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (i > first)
            a.body += "\r\n";
        for (LinkMark& m : lines[i].links) {
            m.offset += a.body.size();
            a.links.push_back(std::move(m));
        }
        a.body += lines[i].text;
    }
    lines.clear();
}

bool isMarkChar(std::string_view ch)
{
    static const std::string marks[] = {"＊"_sj, "○"_sj, "☆"_sj, "×"_sj};
    for (const std::string& m : marks)
        if (ch == m)
            return true;
    return false;
}

ArticleSource parseHeader(const SourceLine& line, std::string_view fields, const KubunTable& kubun)
{
    ArticleSource a;
    a.pos = line.pos;
    auto nextToken = [&fields]() {
        fields = trimAscii(fields);
        const std::size_t end = std::min(fields.find_first_of(" \t"), fields.size());
        const std::string_view token = fields.substr(0, end);
        fields.remove_prefix(end);
        return token;
    };
    std::string_view label = nextToken();
    const std::string first = toCp932(label, line.pos);
    bool allMarks = !first.empty() && first.size() % 2 == 0;
    for (std::size_t i = 0; allMarks && i < first.size(); i += 2)
        allMarks = isMarkChar(std::string_view(first).substr(i, 2));
    if (allMarks && first.size() <= 8) {
        a.marks = first;
        label = nextToken();
    }
    const std::string_view bangou = nextToken();
    if (label.empty() || bangou.empty())
        throw SourceError(line.pos, "an article line reads: @ [marks] label number [heading]");
    a.kubun = kubun.byLabel(toCp932(label, line.pos));
    if (!a.kubun)
        throw SourceError(line.pos, "unknown document label \"" + std::string(label) + "\"");
    a.bangou = normaliseBangou(toCp932(bangou, line.pos));
    a.heading = toCp932(trimAscii(fields), line.pos);
    return a;
}

} // namespace

std::string normaliseBangou(std::string_view cp932)
{
    return sjis::replaceAll(sjis::digitsToFullWidth(cp932), "-", "－"_sj);
}

std::vector<ArticleSource> readArticles(const std::filesystem::path& file, const KubunTable& kubun)
{
    std::vector<ArticleSource> articles;
    std::vector<BodyLine> body;
    for (const SourceLine& line : readSourceLines(file)) {
        const std::string_view text = line.text;
        if (isComment(text))
            continue;
        if (text.starts_with("@")) {
            if (text.starts_with("@ ")) {
                if (!articles.empty())
                    finishBody(articles.back(), body);
                articles.push_back(parseHeader(line, text.substr(2), kubun));
            } else if (text.starts_with("@cites ")) {
                if (articles.empty())
                    throw SourceError(line.pos, "@cites before the first article");
                articles.back().cites.push_back(parseTarget(trimAscii(text.substr(7)), line.pos, kubun));
            } else {
                throw SourceError(
                    line.pos,
                    "unknown directive; lines that begin with \"@\" are \"@ \" (article) or \"@cites \"");
            }
            continue;
        }
        if (articles.empty()) {
            if (!trimAscii(text).empty())
                throw SourceError(line.pos, "text before the first article line \"@ label number heading\"");
            continue;
        }
        BodyLine b;
        parseBodyLine(line, kubun, b.text, b.links);
        body.push_back(std::move(b));
    }
    if (!articles.empty())
        finishBody(articles.back(), body);
    if (articles.empty())
        throw SourceError({file.string(), 0}, "no articles");
    return articles;
}

std::vector<TreeSource> readTree(const std::filesystem::path& file, const KubunTable& kubun)
{
    std::vector<TreeSource> nodes;
    for (const SourceLine& line : readSourceLines(file)) {
        std::string_view text = line.text;
        if (trimAscii(text).empty() || isComment(trimAscii(text)))
            continue;
        TreeSource node;
        node.pos = line.pos;
        while (!text.empty() && text.front() == '\t') {
            ++node.depth;
            text.remove_prefix(1);
        }
        if (!text.empty() && text.front() == ' ')
            throw SourceError(line.pos, "indent the contents tree with tabs only");
        const int before = nodes.empty() ? -1 : nodes.back().depth;
        if (node.depth > before + 1)
            throw SourceError(line.pos, nodes.empty()
                                            ? "the first node must not be indented"
                                            : "a node more than one level deeper than the node before it");
        const std::size_t arrow = text.find(kArrow);
        if (arrow != std::string_view::npos) {
            node.target = parseTarget(trimAscii(text.substr(arrow + kArrow.size())), line.pos, kubun);
            if (node.target->special)
                throw SourceError(line.pos, "a tree node names an article, not a reference search");
            if (node.target->tab)
                throw SourceError(line.pos,
                                  "a tree node names an article of its own tab: leave out the tab letter");
            text = text.substr(0, arrow);
        }
        node.text = toCp932(trimAscii(text), line.pos);
        if (node.text.empty() && !node.target)
            throw SourceError(line.pos, "an empty node");
        nodes.push_back(std::move(node));
    }
    if (nodes.size() < 2)
        throw SourceError({file.string(), 0}, "a contents tree needs at least two nodes");
    return nodes;
}

} // namespace mkdata
