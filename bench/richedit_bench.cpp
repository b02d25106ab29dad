// Loading a long article into the rich-edit control: the generated article's
// document as the article builder makes it (60 KB of text, a segment for
// every run of key words, links and brackets, hanging indents).
#include "bench/support/bench_run.h"
#include "bench/support/long_article.h"
#include "platform/richedit/rich_edit.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Article {
    std::string rtf;
    std::size_t textBytes = 0;
};

const Article& article()
{
    static const Article a = [] {
        const bench::LongArticle& generated = bench::GeneratedArticle();
        return Article{generated.Document(RtfMode::Display), generated.Honbun.size()};
    }();
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
    const bench::Application app(argc, argv);
    bench::Run(argc, argv);
    return 0;
}
