// Faulty sources: mkdata names the file and the line, exits non-zero and
// writes nothing.
#include "mkdata_helpers.h"

#include <gtest/gtest.h>

using namespace mkdata_test;
namespace fs = std::filesystem;

namespace {

struct BadCase {
    const char* name;
    const char* file; // the source replaced
    const char* text;
    const char* where; // "file:line:" as reported
    const char* what;  // part of the message
};

const BadCase kCases[] = {
    {"unknown label", "E-articles.txt", "@ 消法 １条 趣旨\n第１条\n@ 消Ｘ ２条 定義\n",
     "E-articles.txt:3:", "unknown document label"},
    {"unclosed link", "E-articles.txt", "@ 消法 １条 趣旨\n\n第１条　[[第１条|消法:１条\n",
     "E-articles.txt:3:", "without \"]]\""},
    {"stray closer", "E-articles.txt", "@ 消法 １条 趣旨\n第１条]]\n", "E-articles.txt:2:", "without \"[[\""},
    {"link without target", "E-articles.txt", "@ 消法 １条 趣旨\n[[第１条]]\n", "E-articles.txt:2:", "\"|\""},
    {"missing target", "E-articles.txt", "@ 消法 １条 趣旨\n第１条\n@ 消法 ２条\n[[第９条|消法:９条]]\n",
     "E-articles.txt:4:", "no article"},
    {"target in a tab without sources", "E-articles.txt", "@ 消法 １条 趣旨\n[[第１条|G:消法:１条]]\n",
     "E-articles.txt:2:", "no sources"},
    {"link to itself", "E-articles.txt", "@ 消法 １条 趣旨\n[[第１条|消法:１条]]\n",
     "E-articles.txt:2:", "itself"},
    {"character outside CP932", "E-articles.txt", "@ 消法 １条 趣旨\n第１条　\xF0\x9F\x98\x80\n",
     "E-articles.txt:2:", "Shift-JIS"},
    {"article twice", "E-articles.txt", "@ 消法 １条 趣旨\n\n@ 消法 1条 趣旨\n",
     "E-articles.txt:3:", "already defined at line 1"},
    {"text before the first article", "E-articles.txt", "# c\n第１条\n@ 消法 １条\n",
     "E-articles.txt:2:", "before the first article"},
    {"unknown directive", "E-articles.txt", "@ 消法 １条\n@cite 消法:１条\n",
     "E-articles.txt:2:", "unknown directive"},
    {"node two levels deeper", "E-tree.txt", "消費税法\n\t第１章\n\t\t\t=> 消法:１条\n",
     "E-tree.txt:3:", "more than one level deeper"},
    {"node indented with blanks", "E-tree.txt", "消費税法\n  => 消法:１条\n", "E-tree.txt:2:", "tabs only"},
    {"node names a missing article", "E-tree.txt", "消費税法\n\t=> 消法:５条\n",
     "E-tree.txt:2:", "no article"},
    {"page that is no number", "F-books.txt",
     "@book 1 1 | 略 | 長 | 版 | 社\n1 | 号 | 目次\nabc | 号 | 目次\n",
     "F-books.txt:3:", "not a page number"},
    {"book of another tab", "F-books.txt", "@book 40 1 | 略 | 長 | 版 | 社\n1 | 号 | 目次\n",
     "F-books.txt:1:", "not one of tab F's books"},
    {"jump to a missing article", "F-books.txt",
     "@book 1 1 | 略 | 長 | 版 | 社\n1 | 号 | 目次 => E:消法:９９条\n", "F-books.txt:2:", "no article"},
    {"jump without a tab", "F-books.txt", "@book 1 1 | 略 | 長 | 版 | 社\n1 | 号 | 目次 => 消法:１条\n",
     "F-books.txt:2:", "names a tab"},
    {"code line without a name", "kubun.txt", "110\t消法\t消費税法\n120\n", "kubun.txt:2:", "expected"},
};

TEST(BadSource, ReportsFileAndLineAndWritesNothing)
{
    for (const BadCase& c : kCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const fs::path src = fs::path(dir.path().toStdString()) / "src";
        const fs::path out = fs::path(dir.path().toStdString()) / "out";
        fs::create_directories(src);
        writeFile(src / "kubun.txt", "110\t消法\t消費税法\n");
        writeFile(src / "E-articles.txt", "@ 消法 １条 趣旨\n第１条　この法律は\n");
        writeFile(src / "E-tree.txt", "消費税法\n\t=> 消法:１条\n");
        writeFile(src / "F-books.txt", "@book 1 1 | 略 | 長 | 版 | 社\n1 | 号 | 目次 => E:消法:１条\n");
        writeFile(src / c.file, c.text);

        const MkdataRun r = RunMkdata({QStringLiteral("sample"), q(src), q(out)});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.errors.find((src / c.where).string()), std::string::npos) << r.errors;
        EXPECT_NE(r.errors.find(c.what), std::string::npos) << r.errors;
        EXPECT_FALSE(fs::exists(out)) << "written despite the fault";
    }
}

TEST(BadSource, MissingFilesAndArgumentsAreReported)
{
    QTemporaryDir dir;
    const fs::path src = fs::path(dir.path().toStdString());
    writeFile(src / "kubun.txt", "110\t消法\t消費税法\n");
    writeFile(src / "E-articles.txt", "@ 消法 １条 趣旨\n");
    MkdataRun r = RunMkdata({QStringLiteral("sample"), q(src), q(src / "out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.errors.find((src / "E-tree.txt").string() + ": cannot open the file"), std::string::npos)
        << r.errors;

    r = RunMkdata({QStringLiteral("sample"), q(src / "nowhere"), q(src / "out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.errors.find("no such source folder"), std::string::npos) << r.errors;

    r = RunMkdata({QStringLiteral("sample"), q(src)});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.errors.find("usage: mkdata sample SRC OUT"), std::string::npos) << r.errors;
}

} // namespace
