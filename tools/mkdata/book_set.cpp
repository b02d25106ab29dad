#include "book_set.h"

#include "platform/db/table_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>

namespace mkdata {

namespace {

const std::string kArrow = "=>";

bool isUrl(std::string_view s)
{
    return s.starts_with("http://") || s.starts_with("https://");
}

Book parseBook(const SourceLine& line, std::string_view fields, const BookTab& tab)
{
    const std::vector<std::string_view> parts = splitTrimmed(fields, '|');
    Book b;
    const std::string_view numbers = parts[0];
    const std::size_t blank = numbers.find_first_of(" \t");
    if (parts.size() != 5 || blank == std::string_view::npos ||
        !parseInt(numbers.substr(0, blank), b.bookNo) ||
        !parseInt(trimAscii(numbers.substr(blank)), b.renban))
        throw SourceError(
            line.pos,
            "a book line reads: @book number running-number | short name | long name | edition | publisher");
    if (std::find(tab.bookNumbers.begin(), tab.bookNumbers.end(), b.bookNo) == tab.bookNumbers.end())
        throw SourceError(line.pos, "book number " + std::to_string(b.bookNo) + " is not one of tab " +
                                        std::string(1, tab.letter) + "'s books");
    b.nameShort = toCp932(parts[1], line.pos);
    b.nameLong = toCp932(parts[2], line.pos);
    b.edition = toCp932(parts[3], line.pos);
    b.publisher = toCp932(parts[4], line.pos);
    return b;
}

BookEntry parseEntry(const SourceLine& line, const KubunTable& kubun)
{
    std::string_view text = line.text;
    BookEntry e;
    e.pos = line.pos;
    const std::size_t arrow = text.find(kArrow);
    if (arrow != std::string_view::npos) {
        std::string_view rest = text.substr(arrow);
        text = text.substr(0, arrow);
        while (rest.starts_with(kArrow)) {
            rest.remove_prefix(kArrow.size());
            const std::size_t next = rest.find(kArrow);
            const std::string_view target = trimAscii(rest.substr(0, next));
            rest = next == std::string_view::npos ? std::string_view() : rest.substr(next);
            if (isUrl(target)) {
                if (!e.url.empty())
                    throw SourceError(line.pos, "two web addresses for one entry");
                e.url = toCp932(target, line.pos);
                continue;
            }
            if (e.jump)
                throw SourceError(line.pos, "two law articles for one entry");
            e.jump = parseTarget(target, line.pos, kubun);
            // Books belong to no law tab, so a jump names its tab.
            if (!e.jump->tab || e.jump->special)
                throw SourceError(
                    line.pos, "a jump names a tab and an article (E:消基通:１－１－１) or is a web address");
        }
    }
    // Page and number are trimmed; the contents keep their ideographic spaces.
    const std::size_t bar1 = text.find('|');
    const std::size_t bar2 = bar1 == std::string_view::npos ? bar1 : text.find('|', bar1 + 1);
    if (bar2 == std::string_view::npos)
        throw SourceError(line.pos, "an entry line reads: page | number | contents [=> target] [=> address]");
    const std::string_view page = trimAscii(text.substr(0, bar1));
    const auto [end, ec] = std::from_chars(page.data(), page.data() + page.size(), e.page);
    if (page.empty() || ec != std::errc() || end != page.data() + page.size() || !std::isfinite(e.page) ||
        e.page < 0)
        throw SourceError(line.pos, "\"" + std::string(page) + "\" is not a page number");
    e.gou = toCp932(trimAscii(text.substr(bar1 + 1, bar2 - bar1 - 1)), line.pos);
    // Only the blanks next to "|" go; leading ideographic spaces are content.
    std::string_view mokuji = text.substr(bar2 + 1);
    while (!mokuji.empty() && mokuji.front() == ' ')
        mokuji.remove_prefix(1);
    e.mokuji = toCp932(trimAscii(mokuji), line.pos);
    if (e.mokuji.empty())
        throw SourceError(line.pos, "an entry without contents");
    if (e.mokuji.size() > 255)
        throw SourceError(line.pos,
                          "the contents take " + std::to_string(e.mokuji.size()) + " bytes; at most 255 fit");
    return e;
}

} // namespace

const BookTab* bookTab(char letter)
{
    static const BookTab tabs[] = {
        {'B', {1, 5, 10, 20, 30, 40, 50, 60, 70, 80, 95, 100, 110, 115, 150}},
        {'F', {1, 20, 30, 60, 70, 75, 80, 90, 95}},
        {'J', {1, 4, 8, 12, 16, 20, 30, 60, 70, 75, 80, 90, 93, 95, 100, 110, 120}},
    };
    for (const BookTab& t : tabs)
        if (t.letter == letter)
            return &t;
    return nullptr;
}

BookSet readBooks(const std::filesystem::path& file, const BookTab& tab, const KubunTable& kubun)
{
    BookSet set;
    set.tab = &tab;
    std::set<std::pair<int, int>> keys;
    for (const SourceLine& line : readSourceLines(file)) {
        const std::string_view text = trimAscii(line.text);
        if (text.empty() || text.front() == '#')
            continue;
        if (text.starts_with("@book ")) {
            set.books.push_back(parseBook(line, text.substr(6), tab));
            if (!keys.insert({set.books.back().bookNo, set.books.back().renban}).second)
                throw SourceError(line.pos, "this book number and running number are already used");
            continue;
        }
        if (text.starts_with("@"))
            throw SourceError(line.pos, "unknown directive; a book begins with \"@book \"");
        if (set.books.empty())
            throw SourceError(line.pos, "an entry before the first \"@book\" line");
        BookEntry e = parseEntry(line, kubun);
        e.book = set.books.size() - 1;
        set.entries.push_back(std::move(e));
    }
    if (set.entries.empty())
        throw SourceError({file.string(), 0}, "no book entries");
    return set;
}

void resolveBookJumps(BookSet& set, const ArticleIndex& laws)
{
    for (BookEntry& e : set.entries) {
        if (!e.jump)
            continue;
        e.jumpGyo = laws.find(*e.jump, 0).gyo;
        e.jumpTab = laws.collection(*e.jump, 0).tab->index;
    }
}

void writeBookTables(const BookSet& set, const std::filesystem::path& outDir)
{
    const std::string letter(1, set.tab->letter);
    db::TableWriter main(letter + "1.db", db::layout::bookMain(), outDir);
    db::TableWriter names(letter + "3.db", db::layout::bookName(), outDir);
    db::TableWriter jumps(letter + "4.db", db::layout::bookJump(), outDir);
    db::TableWriter urls(letter + "5.db", db::layout::bookUrl(), outDir);
    for (const Book& b : set.books)
        names.insert({std::int64_t(b.bookNo), std::int64_t(b.renban), b.nameLong, b.edition, b.publisher});
    for (std::size_t i = 0; i < set.entries.size(); ++i) {
        const BookEntry& e = set.entries[i];
        const Book& b = set.books[e.book];
        const std::int64_t seq = static_cast<std::int64_t>(i) + 1;
        main.insert(
            {seq, std::int64_t(b.bookNo), std::int64_t(b.renban), b.nameShort, e.gou, e.page, e.mokuji});
        if (e.jump)
            jumps.insert({seq, std::int64_t(e.jumpGyo), std::int64_t(e.jumpTab)});
        if (!e.url.empty())
            urls.insert({seq, e.url});
    }
    main.commit();
    names.commit();
    jumps.commit();
    urls.commit();
}

} // namespace mkdata
