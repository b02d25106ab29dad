// Loading a long article into the rich-edit control: a generated document of
// the article builder's kind (60 KB of text, a segment for every run of key
// words, links and brackets, hanging indents on every line).
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextBlock>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

std::string segment(const char* indent, int color, const std::string& text)
{
    std::string out = std::string("\\sl-264") + indent + "{\\cf" + std::to_string(color) + (color == 3 ? "\\ul" : "") + " ";
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}')
            out.push_back('\\');
        out.push_back(c);
    }
    return out + "}";
}

struct Article {
    std::string rtf;
    std::size_t textBytes = 0;
};

Article makeArticle(std::size_t textBytes)
{
    const char* indents[] = {"\\li0\\fi0", "\\li480\\fi-480", "\\li600\\fi-600", "\\li960\\fi-960"};
    const std::string heads[] = {"１　"_sj, "　一　"_sj, "　　イ　"_sj, "　　（１）"_sj};
    const std::string plain = "内国法人の各事業年度の所得の金額の計算上当該事業年度の損金の額に算入する金額は、"_sj;
    const std::string bracket = "（第二項の規定の適用を受けるものを除く。）"_sj;
    const std::string link = "法第六十五条第一項"_sj;
    const std::string key = "消費税"_sj;
    const std::string table = "表ソ"_sj; // second bytes 5C

    Article a;
    a.rtf = "{\\rtf1\\ansi\r\n"
            "{\\fonttbl{\\f0\\fnil\\fcharset128\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}\r\n"
            "{\\colortbl\\red0\\green0\\blue0;\r\n\\red255\\green0\\blue0;\r\n\\red255\\green0\\blue255;\r\n"
            "\\red0\\green0\\blue255;\r\n\\red0\\green150\\blue0;}\r\n";
    for (int line = 0; a.textBytes < textBytes; ++line) {
        const char* indent = indents[line % 4];
        const std::string parts[][2] = {{heads[line % 4] + plain, "0"}, {bracket, "4"}, {link, "3"},
                                        {table + plain, "0"}, {key, "1"}, {plain, "0"}};
        for (const auto& p : parts) {
            a.rtf += segment(indent, p[1][0] - '0', p[0]);
            a.textBytes += p[0].size();
        }
        a.rtf += "\r\n\\par\r\n";
        a.textBytes += 2;
    }
    a.rtf += "\\par}";
    return a;
}

const Article& article()
{
    static const Article a = makeArticle(60 * 1024);
    return a;
}

// A shown article view of the main window's size.
struct View {
    View()
    {
        edit.resize(800, 600);
        edit.SetReadOnly(true);
        edit.show();
    }
    ui::RichEdit edit;
};

// Load into a shown view (parse, build, lay out what the view shows), then
// the byte-position queries of a display: the plain text, the caret set and
// read back.
void BM_LoadArticle(benchmark::State& state)
{
    View view;
    const Article& a = article();
    for (auto _ : state) {
        view.edit.LoadRichText(a.rtf);
        view.edit.SetSelStart(100);
        benchmark::DoNotOptimize(view.edit.SelStart());
        benchmark::DoNotOptimize(view.edit.Text().size());
    }
    state.counters["text_bytes"] = static_cast<double>(a.textBytes);
    state.counters["rtf_bytes"] = static_cast<double>(a.rtf.size());
}
BENCHMARK(BM_LoadArticle)->Unit(benchmark::kMillisecond);

// The same, laid out to the end, as the view does in the background.
void BM_LoadAndLayOutArticle(benchmark::State& state)
{
    View view;
    const Article& a = article();
    for (auto _ : state) {
        view.edit.LoadRichText(a.rtf);
        QTextDocument* doc = view.edit.document();
        benchmark::DoNotOptimize(doc->documentLayout()->blockBoundingRect(doc->lastBlock()));
    }
}
BENCHMARK(BM_LoadAndLayOutArticle)->Unit(benchmark::kMillisecond);

// Position mapping alone, laid out: the caret set and read all over the text.
void BM_BytePositions(benchmark::State& state)
{
    View view;
    const Article& a = article();
    view.edit.LoadRichText(a.rtf);
    int pos = 0;
    for (auto _ : state) {
        pos = (pos + 7919) % static_cast<int>(a.textBytes);
        view.edit.SetSelStart(pos);
        benchmark::DoNotOptimize(view.edit.SelStart());
    }
}
BENCHMARK(BM_BytePositions)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
