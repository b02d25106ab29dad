// Building the rich text of a long article: a generated article of about
// 60 KB with brackets, quotations, item levels, key words and links; alone,
// and with showing it in the article view.
#include "reader/honbun_rtf.h"

#include "data/namepas.h"
#include "platform/db/table_writer.h"
#include "platform/richedit/rich_edit.h"
#include "platform/text/sjis.h"
#include "reader/honbun_rtf_make.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include <string>
#include <vector>

namespace {

struct Article {
    std::string Honbun;
    std::vector<LinkSpan> Links;
};

Article longArticle()
{
    const std::vector<std::string> lines = {
        "第三十条　事業者（免税事業者を除く。）が国内において行う課税仕入れについては、"
        "次に掲げる金額を控除する。"_sj,
        "１　前項の規定は、法第九条第一項本文の規定により「課税資産の譲渡等」とされるものに適用する。"_sj,
        "　一　課税仕入れに係る支払対価の額（当該課税仕入れに係る消費税額を含む。）"_sj,
        "　　イ　法第三十条第七項に規定する帳簿及び請求書等を保存しない場合"_sj,
        "　　（１）　令第四十九条第一項の規定の適用を受けるもの｜その他のもの"_sj,
        "　また、前各号に掲げるもののほか、政令で定めるものを含む。"_sj,
        "（注）１　控除対象仕入税額の計算については、法第三十条第二項による。"_sj,
        "　　　　（ⅰ）　課税売上割合が百分の九十五以上である場合"_sj,
    };
    const std::string linked = "法第三十条"_sj;
    Article a;
    while (a.Honbun.size() < 60 * 1024) {
        for (const std::string& line : lines)
            a.Honbun += line + "\r\n";
    }
    for (std::size_t p = sjis::find(a.Honbun, linked); p != sjis::npos;
         p = sjis::find(a.Honbun, linked, p + 1)) {
        const auto start = static_cast<std::int64_t>(p) + 1;
        a.Links.push_back({start, start + static_cast<std::int64_t>(linked.size())});
    }
    return a;
}

void BM_HonbunRtfBuild(benchmark::State& state, RtfMode mode)
{
    static const Article article = longArticle();
    const std::string key1 = "課税"_sj;
    const std::string key2 = "控除"_sj;
    std::size_t bytes = 0;
    for (auto _ : state) {
        LinkSpanList links(article.Links);
        const std::string doc = HonbunRtfBuild(article.Honbun, key1, key2, 110, links, mode);
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
    static const Article article = longArticle();
    const std::string key1 = "課税"_sj;
    const std::string key2 = "控除"_sj;
    ui::RichEdit view;
    view.SetReadOnly(true);
    view.resize(800, 600);
    for (auto _ : state) {
        LinkSpanList links(article.Links);
        view.LoadRichText(HonbunRtfBuild(article.Honbun, key1, key2, 110, links, RtfMode::Display));
    }
    state.counters["article_bytes"] = static_cast<double>(article.Honbun.size());
}

// The whole display of the article on tab 1: text and link rows read from
// the table files, the document built, shown and cached.
void BM_HonbunRtfMake(benchmark::State& state)
{
    namespace fs = std::filesystem;
    const Article article = longArticle();
    const fs::path old = fs::current_path();
    const fs::path dir = fs::temp_directory_path() / "honbun_rtf_bench";
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
    linkTable.SetIndexFieldNames("Gyo");
    ui::RichEdit view;
    view.SetReadOnly(true);
    view.resize(800, 600);
    NamepasReset();
    JyobunMainSource[1] = &source;
    JyobunSubTable[1] = &textTable;
    JyobunLinkTable[1] = &linkTable;
    JyobunRichEdit[1] = &view;
    JyobunKeyWord1[1] = "課税"_sj;
    JyobunKeyWord2[1] = "控除"_sj;
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
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
