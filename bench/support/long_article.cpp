#include "bench/support/long_article.h"

#include "platform/text/sjis.h"

namespace bench {

namespace {

LongArticle generate()
{
    const std::vector<std::string> lines = {
        "第三十条　事業者（免税事業者を除く。）が国内において行う課税仕入れについては、"
        "次に掲げる金額を控除する。"_sj,
        "１　前項の規定は、法第九条第一項本文の規定により「課税資産の譲渡等」とされるものに適用する。"_sj,
        "　一　課税仕入れに係る支払対価の額（当該課税仕入れに係る消費税額を含む。）"_sj,
        "　　イ　法第三十条第七項に規定する帳簿及び請求書等を保存しない場合"_sj,
        "　　（１）　令第四十九条第一項の規定の適用を受けるもの｜その他のもの"_sj,
        "　また、前各号に掲げるもののほか、政令で定めるもの（付表ソに掲げるもの）を含む。"_sj,
        "（注）１　控除対象仕入税額の計算については、法第三十条第二項による。"_sj,
        "　　　　（ⅰ）　課税売上割合が百分の九十五以上である場合"_sj,
    };
    const std::string linked = "法第三十条"_sj;
    LongArticle a;
    a.Key1 = "課税"_sj;
    a.Key2 = "控除"_sj;
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

} // namespace

std::string LongArticle::Document(RtfMode mode) const
{
    LinkSpanList links(Links);
    return HonbunRtfBuild(Honbun, Key1, Key2, 110, links, mode);
}

const LongArticle& GeneratedArticle()
{
    static const LongArticle a = generate();
    return a;
}

} // namespace bench
