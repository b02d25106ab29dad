#include "law_tables.h"

#include "platform/db/table_writer.h"
#include "platform/text/sjis.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <tuple>

namespace mkdata {

namespace {

std::string fileName(const LawCollection& c, int role)
{
    return std::string(1, c.tab->letter) + std::to_string(role) + (role == 6 ? ".dl_" : ".db");
}

// The number the authoring form shows in 番号のみ: the leading digits of the
// article number (０ when it starts otherwise).
int leadingNumber(std::string_view bangou)
{
    static const std::string zero = "０"_sj;
    int n = 0;
    for (std::size_t i = 0; i + 1 < bangou.size(); i += 2) {
        if (bangou[i] != zero[0])
            break;
        const int digit = static_cast<unsigned char>(bangou[i + 1]) - static_cast<unsigned char>(zero[1]);
        if (digit < 0 || digit > 9)
            break;
        n = n * 10 + digit;
    }
    return n;
}

// The revision date of every generated authoring row.
constexpr int kKaisei = 110630;
// ＫＥＹ is a small integer in the authoring tables.
constexpr int kMaxKey = 32767;

} // namespace

std::string treeFileBytes(const std::vector<TreeNode>& tree)
{
    std::string out;
    for (const TreeNode& node : tree) {
        out.append(static_cast<std::size_t>(node.depth), '\t');
        out.append(node.text).append("\r\n");
    }
    return out;
}

void writeFileBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

void writeLawTables(const LawCollection& c, const std::filesystem::path& outDir)
{
    db::TableWriter main(fileName(c, 1), db::layout::lawMain(), outDir);
    db::TableWriter text(fileName(c, 2), db::layout::lawText(), outDir);
    for (const Article& a : c.articles) {
        main.insert({std::int64_t(a.gyo), std::int64_t(a.kubunNo), a.kubun, a.bangou, a.title});
        text.insert({std::int64_t(a.gyo), std::int64_t(a.kubunNo), a.honbun});
    }

    db::TableWriter refs(fileName(c, 3), db::layout::lawReference(), outDir);
    for (const Reference& r : c.references)
        refs.insert({std::int64_t(r.gyo), std::int64_t(r.kubunNo), std::int64_t(r.mainGyo)});

    db::TableWriter links(fileName(c, 4), db::layout::lawLink(), outDir);
    for (const Link& l : c.links)
        for (int b = 0; b < l.length; ++b)
            links.insert({std::int64_t(l.gyo), std::int64_t(l.sel + b), std::int64_t(l.goGyo),
                          std::int64_t(l.zeimoku)});

    db::TableWriter tree(fileName(c, 5), db::layout::lawTree(), outDir);
    for (std::size_t i = 0; i < c.tree.size(); ++i)
        if (c.tree[i].gyo > 0)
            tree.insert({std::int64_t(i), std::int64_t(c.tree[i].gyo)});

    writeFileBytes(outDir / fileName(c, 6), treeFileBytes(c.tree));
    main.commit();
    text.commit();
    refs.commit();
    links.commit();
    tree.commit();
}

void writeAuthoringTables(const LawCollection& c, const std::filesystem::path& authoringRoot)
{
    const std::filesystem::path jyobun = authoringRoot / c.tab->folder / "Jyobun" / "Data";
    const std::filesystem::path cd12 = authoringRoot / c.tab->folder / "Cd12" / "Data";
    std::filesystem::create_directories(jyobun);
    std::filesystem::create_directories(cd12);

    db::TableWriter articles("条文本文.db"_sj, db::layout::authoringArticle(), jyobun);
    db::TableWriter runtime("条文本文.db"_sj, db::layout::authoringArticle(), cd12);
    for (const Article& a : c.articles) {
        if (a.key > kMaxKey)
            throw std::runtime_error("more than " + std::to_string(kMaxKey) + " articles in tab " +
                                     std::string(1, c.tab->letter) + " for the link editor's keys");
        const std::vector<db::Value> row = {std::int64_t(a.key),
                                            std::int64_t(a.kubunNo),
                                            std::int64_t(a.gyo),
                                            a.kubun,
                                            a.bangou,
                                            std::string(),
                                            a.heading,
                                            a.body,
                                            std::int64_t(kKaisei),
                                            std::int64_t(leadingNumber(a.bangou)),
                                            std::monostate(),
                                            std::string()};
        articles.insert(row);
        runtime.insert(row);
    }

    // One definition per (ＫＥＹ, cited code, phrase), as the editor keys them.
    db::TableWriter links("リンク条文.DB"_sj, db::layout::authoringLink(), jyobun);
    std::set<std::tuple<int, int, std::string>> seen;
    for (const Link& l : c.links) {
        const Article& from = *std::lower_bound(c.articles.begin(), c.articles.end(), l.gyo,
                                                [](const Article& a, int gyo) { return a.gyo < gyo; });
        if (!seen.insert({from.key, l.targetKubunNo, l.phrase}).second)
            continue;
        links.insert({std::int64_t(from.key), std::int64_t(l.targetKubunNo), l.phrase, std::int64_t(from.gyo),
                      from.kubun, from.bangou, l.targetKubun, l.targetBangou, std::int64_t(l.goGyo),
                      std::int64_t(l.zeimoku), std::monostate(), std::string()});
    }
    articles.commit();
    runtime.commit();
    links.commit();
}

void writeMasterTable(const KubunTable& kubun, const std::filesystem::path& authoringRoot)
{
    const std::filesystem::path folder = authoringRoot / "YpSyohi" / "Main" / "Data";
    std::filesystem::create_directories(folder);
    db::TableWriter master("マスタ条文.DB"_sj, db::layout::authoringMaster(), folder);
    for (const Kubun& k : kubun.all())
        master.insert({std::int64_t(k.code), k.label, k.officialName});
    master.commit();
}

} // namespace mkdata
