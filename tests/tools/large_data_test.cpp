// `mkdata large`: the generated benchmark collection.
#include "mkdata_helpers.h"

#include "platform/text/sjis.h"

#include <gtest/gtest.h>

#include <map>

using namespace mkdata_test;
namespace fs = std::filesystem;

namespace {

TEST(LargeData, IsBigDeterministicAndConsistent)
{
    QTemporaryDir dir;
    const fs::path first = fs::path(dir.path().toStdString()) / "a";
    const fs::path second = fs::path(dir.path().toStdString()) / "b";
    for (const fs::path& out : {first, second}) {
        const MkdataRun r = RunMkdata({QStringLiteral("large"), q(out)});
        ASSERT_EQ(r.exitCode, 0) << r.errors;
    }
    for (const char* file : {"E1.db", "E2.db", "E3.db", "E4.db", "E5.db", "E6.dl_"})
        EXPECT_TRUE(fileBytes(first / file) == fileBytes(second / file)) << file << " differs between runs";

    std::map<long long, std::string> texts;
    std::size_t total = 0, longest = 0;
    for (const Row& r : query(first / "E2.db", "SELECT Gyo, Honbun FROM data")) {
        total += r[1].bytes.size();
        longest = std::max(longest, r[1].bytes.size());
        texts[r[0].i] = r[1].bytes;
    }
    EXPECT_EQ(texts.size(), 20000u);
    EXPECT_EQ(scalar(first / "E1.db", "SELECT count(*) FROM data"), 20000);
    EXPECT_GT(total, 38u << 20);
    EXPECT_LT(total, 46u << 20);
    EXPECT_GE(longest, 60000u);

    // Word frequencies the benchmarks rely on.
    auto articlesWith = [&texts](const char* word) {
        const std::string w = sjis::fromUtf8(word);
        int n = 0;
        for (const auto& [gyo, t] : texts)
            n += sjis::contains(t, w);
        return n;
    };
    EXPECT_GT(articlesWith("消費税"), 18000);
    EXPECT_GT(articlesWith("課税"), 18000);
    EXPECT_EQ(articlesWith("輸出物品販売場"), 25);
    EXPECT_EQ(articlesWith("電気通信利用役務"), 10);
    EXPECT_EQ(articlesWith("金地金"), 3);
    EXPECT_EQ(articlesWith("恐竜"), 0);
    EXPECT_EQ(articlesWith("宇宙旅行"), 0);

    // A few links per article, every row inside its text and on a real target.
    long long rows = 0, starts = 0, faults = 0;
    long long previousGyo = -1, previousSel = -1;
    forEachRow(
        first / "E4.db", "SELECT Gyo, Sel, GoGyo, Zeimoku FROM data ORDER BY Gyo, Sel", [&](const Row& r) {
            ++rows;
            const auto text = texts.find(r[0].i);
            const bool target = r[3].i == 1 ? texts.count(r[2].i) == 1 : (r[3].i == -1 || r[3].i == -2);
            if (text == texts.end() || static_cast<std::size_t>(r[1].i) >= text->second.size() || !target) {
                ++faults;
                return;
            }
            if (r[0].i != previousGyo || r[1].i != previousSel + 1) {
                ++starts;
                faults += sjis::isTrailByteAt(text->second, static_cast<std::size_t>(r[1].i));
            }
            previousGyo = r[0].i;
            previousSel = r[1].i;
        });
    EXPECT_EQ(faults, 0);
    EXPECT_GT(rows, 500000);
    EXPECT_GT(starts, 2 * 20000);
    EXPECT_LT(starts, 6 * 20000);
    EXPECT_GT(scalar(first / "E3.db", "SELECT count(*) FROM data"), 20000);

    // Every article has a node; the map rows point at lines of the tree file.
    const std::string tree = fileBytes(first / "E6.dl_");
    long long lines = 0;
    for (std::size_t p = 0; (p = tree.find("\r\n", p)) != std::string::npos; p += 2)
        ++lines;
    EXPECT_EQ(scalar(first / "E5.db", "SELECT count(DISTINCT Gyo) FROM data"), 20000);
    EXPECT_LT(scalar(first / "E5.db", "SELECT max(TreeID) FROM data"), lines);
    EXPECT_GT(lines, 20000);
}

} // namespace
