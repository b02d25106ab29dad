// Building the rich text of a long article: a generated article of about
// 60 KB with brackets, quotations, item levels, key words and links; alone,
// and with showing it in the article view.
#include "reader/honbun_rtf.h"

#include "bench/support/bench_run.h"
#include "bench/support/long_article.h"
#include "data/namepas.h"
#include "platform/db/table_writer.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "reader/honbun_rtf_make.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

void BM_HonbunRtfBuild(benchmark::State& state, RtfMode mode)
{
    const bench::LongArticle& article = bench::GeneratedArticle();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string doc = article.Document(mode);
        bytes = doc.size();
        benchmark::DoNotOptimize(doc.data());
    }
    state.counters["article_bytes"] = static_cast<double>(article.Honbun.size());
    state.counters["links"] = static_cast<double>(article.Links.size());
    state.counters["document_bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * article.Honbun.size()));
}

void BM_HonbunRtfBuildAndShow(benchmark::State& state)
{
    const bench::LongArticle& article = bench::GeneratedArticle();
    ui::RichEdit view;
    view.SetReadOnly(true);
    view.resize(800, 600);
    for (auto _ : state)
        view.LoadRichText(article.Document(RtfMode::Display));
    state.counters["article_bytes"] = static_cast<double>(article.Honbun.size());
}

// The whole display of the article on tab 1: text and link rows read from
// the table files, the document built, shown and cached.
void BM_HonbunRtfMake(benchmark::State& state)
{
    namespace fs = std::filesystem;
    const bench::LongArticle& article = bench::GeneratedArticle();
    const fs::path old = fs::current_path();
    // A folder of its own each run: a table file is read as it was first
    // opened for the whole process, so it is never written over.
    static int run = 0;
    const fs::path dir = fs::temp_directory_path() / ("honbun_rtf_bench." + std::to_string(++run));
    fs::create_directories(dir);
    fs::current_path(dir);
    {
        db::TableWriter main("E1.db", db::layout::lawMain());
        main.insert({1, 110, "消法"_sj, "３０条"_sj, "第三十条"_sj});
        main.commit();
        db::TableWriter text("E2.db", db::layout::lawText());
        text.insert({1, 110, article.Honbun});
        text.commit();
        db::TableWriter links("E4.db", db::layout::lawLink());
        for (const LinkSpan& span : article.Links) {
            for (std::int64_t sel = span.Start - 1; sel < span.End - 1; ++sel)
                links.insert({1, sel, 2, 1});
        }
        links.commit();
    }
    db::Table mainTable("SMainTable"), textTable("SSubTable"), linkTable("SLinkTable");
    db::DataSource source("SMainSource");
    mainTable.SetTableName("E1.db");
    source.SetDataSet(&mainTable);
    textTable.SetTableName("E2.db");
    textTable.SetIndexFieldNames("Gyo");
    textTable.SetMasterSource(&source);
    textTable.SetMasterFields("Gyo");
    linkTable.SetTableName("E4.db");
    linkTable.SetIndexFieldNames("Gyo;Sel");
    ui::RichEdit view;
    view.SetReadOnly(true);
    view.resize(800, 600);
    NamepasReset();
    JyobunMainSource[1] = &source;
    JyobunSubTable[1] = &textTable;
    JyobunLinkTable[1] = &linkTable;
    JyobunRichEdit[1] = &view;
    JyobunKeyWord1[1] = article.Key1;
    JyobunKeyWord2[1] = article.Key2;
    mainTable.Open();
    linkTable.Open();
    textTable.Open();
    for (auto _ : state)
        HonbunRtfMake(1);
    state.counters["link_rows"] = static_cast<double>(linkTable.RecordCount());
    NamepasReset();
    fs::current_path(old);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

BENCHMARK_CAPTURE(BM_HonbunRtfBuild, display_60KB, RtfMode::Display)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HonbunRtfBuild, memo_60KB, RtfMode::Memo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HonbunRtfBuildAndShow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HonbunRtfMake)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const bench::Application app(argc, argv);
    bench::Run(argc, argv);
    return 0;
}
