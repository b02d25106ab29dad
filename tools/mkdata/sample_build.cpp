#include "sample_build.h"

#include "book_set.h"
#include "law_build.h"
#include "law_tables.h"

namespace mkdata {

namespace {

// Law tabs the tool builds; the corporate-tax tab's text table would need
// the index-kanji columns as well.
constexpr char kLawLetters[] = {'E', 'G', 'H', 'I', 'K'};
constexpr char kBookLetters[] = {'B', 'F', 'J'};

std::filesystem::path sourceFile(const std::filesystem::path& dir, char letter, const char* kind)
{
    return dir / (std::string(1, letter) + "-" + kind + ".txt");
}

} // namespace

std::string buildSample(const std::filesystem::path& sourceDir, const std::filesystem::path& outDir)
{
    namespace fs = std::filesystem;
    if (!fs::is_directory(sourceDir))
        throw SourceError({sourceDir.string(), 0}, "no such source folder");
    if (fs::exists(sourceFile(sourceDir, 'A', "articles")))
        throw SourceError({sourceFile(sourceDir, 'A', "articles").string(), 0},
                          "the corporate-tax tab is not built by this tool");
    const KubunTable kubun = KubunTable::read(sourceDir / "kubun.txt");

    std::map<char, LawTabSources> lawSources;
    for (char letter : kLawLetters) {
        const fs::path articles = sourceFile(sourceDir, letter, "articles");
        if (!fs::exists(articles))
            continue;
        LawTabSources& s = lawSources[letter];
        s.tab = lawTab(letter);
        s.articles = readArticles(articles, kubun);
        s.tree = readTree(sourceFile(sourceDir, letter, "tree"), kubun);
    }
    if (lawSources.empty())
        throw SourceError({sourceDir.string(), 0}, "no law tab sources (E-articles.txt, G-articles.txt ...)");
    const std::map<char, LawCollection> laws = buildLawCollections(lawSources);
    const ArticleIndex index(laws);

    std::vector<BookSet> books;
    for (char letter : kBookLetters) {
        const fs::path file = sourceFile(sourceDir, letter, "books");
        if (!fs::exists(file))
            continue;
        books.push_back(readBooks(file, *bookTab(letter), kubun));
        resolveBookJumps(books.back(), index);
    }

    std::vector<fs::path> pages;
    for (const fs::directory_entry& e : fs::directory_iterator(sourceDir))
        if (e.is_regular_file() && e.path().extension() == ".html")
            pages.push_back(e.path());

    fs::create_directories(outDir);
    const fs::path authoring = outDir / "authoring";
    std::string summary = "sample data in " + outDir.string() + ":";
    for (const auto& [letter, c] : laws) {
        writeLawTables(c, outDir);
        writeAuthoringTables(c, authoring);
        summary += " " + std::string(1, letter) + " " + std::to_string(c.articles.size()) + " articles,";
    }
    writeMasterTable(kubun, authoring);
    for (const BookSet& b : books) {
        writeBookTables(b, outDir);
        summary += " " + std::string(1, b.tab->letter) + " " + std::to_string(b.entries.size()) + " entries,";
    }
    for (const fs::path& page : pages)
        fs::copy_file(page, outDir / page.filename(), fs::copy_options::overwrite_existing);
    summary += " " + std::to_string(pages.size()) + " help pages";
    return summary;
}

} // namespace mkdata
