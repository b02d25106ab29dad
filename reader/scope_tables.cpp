#include "reader/scope_tables.h"

#include "platform/text/sjis.h"

#include <array>
#include <map>

namespace {

const std::vector<KubunCode>& codes()
{
    static const std::vector<KubunCode> table = [] {
        const std::pair<int, const char*> rows[] = {
            {10, "法法"},     {20, "法令"},     {30, "法規"},     {40, "法基通"},   {50, "連基通"},
            {70, "耐令"},     {80, "耐通"},     {110, "消法"},    {120, "消令"},    {130, "消規"},
            {140, "消基通"},  {150, "消個通"},  {160, "国通"},    {170, "国通令"},  {180, "国通規"},
            {190, "国通通"},  {210, "所法"},    {220, "所令"},    {230, "所規"},    {240, "所基通"},
            {260, "国徴"},    {270, "国徴令"},  {280, "国徴規"},  {290, "国徴通"},  {310, "相法"},
            {320, "相令"},    {330, "相規"},    {340, "相基通"},  {350, "財基通"},  {360, "印紙"},
            {370, "印紙令"},  {380, "印紙規"},  {390, "印紙通"},  {410, "会社法"},  {420, "商法"},
            {430, "整備法"},  {440, "会社令"},  {450, "整備令"},  {460, "会社規"},  {470, "商規"},
            {480, "計規"},    {490, "電公令"},  {510, "民法"},    {610, "地方"},    {620, "地方令"},
            {630, "地方規"},  {710, "措法"},    {720, "措令"},    {730, "措規"},    {740, "措通"},
            {750, "連措通"},  {810, "震災法"},  {820, "震災令"},  {830, "震災規"},  {910, "旧商法"},
            {920, "有限法"},  {930, "企会原"},  {940, "旧商規"},  {950, "監査特"},  {960, "監査令"},
        };
        std::vector<KubunCode> out;
        for (const auto& [code, label] : rows)
            out.push_back({code, sjis::fromUtf8(label)});
        return out;
    }();
    return table;
}

ScopeEntry wholeRange()
{
    return {"全範囲"_sj, {}, {}, {}};
}

ScopeEntry document(const char* label)
{
    const std::string l = sjis::fromUtf8(label);
    for (const KubunCode& c : codes()) {
        if (c.Label == l) {
            const std::string n = std::to_string(c.Code);
            return {l, "KubunNo = " + n, "KubunNo = " + n, {"AND ( KubunNo = " + n + ") "}};
        }
    }
    return {l, {}, {}, {}}; // unreachable: every label below is in the code table
}

ScopeEntry group(const char* label, const char* jump, const char* result, std::vector<std::string> sql)
{
    return {sjis::fromUtf8(label), jump, result, std::move(sql)};
}

ScopeEntry sameGroup(const char* label, const char* filter, std::vector<std::string> sql)
{
    return group(label, filter, filter, std::move(sql));
}

ScopeEntry sochi()
{
    return sameGroup("措置法関係", "(KubunNo >= 700) and (KubunNo < 800)",
                     {"AND ( KubunNo >= 700 ) ", "AND ( KubunNo < 800) "});
}

ScopeEntry shinsai()
{
    return sameGroup("震災関係", "KubunNo >= 800", {"AND ( KubunNo >= 800) "});
}

ScopeTable lawTable(std::vector<ScopeEntry> groups, std::initializer_list<const char*> documents)
{
    ScopeTable t{wholeRange()};
    for (auto& g : groups)
        t.push_back(std::move(g));
    for (const char* d : documents)
        t.push_back(document(d));
    return t;
}

ScopeTable bookTable(std::initializer_list<std::pair<const char*, int>> books)
{
    ScopeTable t{wholeRange()};
    for (const auto& [label, no] : books) {
        const std::string n = std::to_string(no);
        t.push_back({sjis::fromUtf8(label), "BookNo = " + n, "BookNo = " + n, {"AND ( BookNo = " + n + " ) "}});
    }
    return t;
}

} // namespace

const std::vector<KubunCode>& KubunCodeTable()
{
    return codes();
}

const ScopeTable& LawScopeTable(int i)
{
    static const std::array<ScopeTable, 6> tables = {
        lawTable({sameGroup("本法関係", "KubunNo < 70", {"AND ( KubunNo < 70) "}),
                  sameGroup("耐用年数関係", "(KubunNo >= 70) and (KubunNo < 100)",
                            {"AND ( KubunNo >= 70 ) ", "AND ( KubunNo < 100) "}),
                  sochi(), shinsai()},
                 {"法法", "法令", "法規", "法基通", "連基通", "耐令", "耐通", "措法", "措令", "措規", "措通",
                  "連措通", "震災法", "震災令", "震災規"}),
        lawTable({sameGroup("本法関係", "KubunNo < 200", {"AND ( KubunNo < 200) "}),
                  sameGroup("地方税関係", "(KubunNo >= 600) and (KubunNo < 700)",
                            {"AND ( KubunNo >= 600 ) ", "AND ( KubunNo < 700) "}),
                  sochi(), shinsai()},
                 {"消法", "消令", "消規", "消基通", "消個通", "地方", "地方令", "地方規", "措法", "措令", "措規",
                  "震災法", "震災令"}),
        lawTable({sameGroup("新法関係", "KubunNo < 500", {"AND ( KubunNo < 500) "}),
                  sameGroup("旧法関係", "KubunNo > 899", {"AND ( KubunNo > 899) "})},
                 {"会社法", "商法", "整備法", "会社令", "整備令", "会社規", "商規", "計規", "電公令", "民法",
                  "旧商法", "有限法", "企会原", "旧商規", "監査特", "監査令"}),
        lawTable({sameGroup("本法関係", "KubunNo < 300", {"AND ( KubunNo < 300) "}), sochi(), shinsai()},
                 {"所法", "所令", "所規", "所基通", "措法", "措令", "措規", "措通", "震災法", "震災令",
                  "震災規"}),
        lawTable({sameGroup("本法関係", "KubunNo < 400", {"AND ( KubunNo < 400) "}), sochi(), shinsai()},
                 {"相法", "相令", "相規", "相基通", "財基通", "措法", "措令", "措規", "措通", "震災法", "震災令",
                  "震災規"}),
        // The jump filters of the three family groups admit fewer codes than
        // the result filters and SQL lines; the texts are kept as they are.
        lawTable({group("国通関係", "(KubunNo >= 160) and (KubunNo < 190)",
                        "((KubunNo > 150) and (KubunNo < 200)) or ((KubunNo > 700) and (KubunNo < 760))",
                        {"AND ( ( ( KubunNo > 150) AND ( KubunNo < 200) ) OR ( ( KubunNo > 700) AND ( "
                         "KubunNo < 760) ) )"}),
                  group("国徴関係", "(KubunNo >= 260) and (KubunNo < 290)", "(KubunNo > 250) and (KubunNo < 300)",
                        {"AND  ( ( KubunNo > 250) AND ( KubunNo < 300) ) "}),
                  group("印紙関係",
                        "((KubunNo >= 360) and (KubunNo < 390)) or ((KubunNo >= 700) and (KubunNo < 800)) ",
                        "((KubunNo > 350) and (KubunNo < 400)) or ((KubunNo > 700) and (KubunNo < 760))",
                        {"AND ( ( ( KubunNo > 350) AND ( KubunNo < 400) ) OR ( ( KubunNo > 700) AND ( "
                         "KubunNo < 760) ) )"}),
                  shinsai()},
                 {"国通", "国通令", "国通規", "国通通", "国徴", "国徴令", "国徴規", "国徴通", "印紙", "印紙令",
                  "印紙規", "印紙通", "措法", "措令", "措規", "震災法", "震災令"}),
    };
    static const ScopeTable none;
    return i >= 0 && i < 6 ? tables[i] : none;
}

const ScopeTable& BookScopeTable(int b)
{
    static const std::array<ScopeTable, 3> tables = {
        bookTable({{"基通逐条解説", 1}, {"耐通逐条解説", 5}, {"措通逐条解説", 10}, {"税務通信", 20},
                   {"圧縮記帳", 30}, {"回答事例", 40}, {"ケーススタディ", 50}, {"裁決事例", 60},
                   {"減価償却", 70}, {"給与退職金", 80}, {"租税判例", 95}, {"調査事例", 100},
                   {"質疑応答集", 110}, {"事例選集", 115}, {"交際費リベート", 150}}),
        bookTable({{"基通逐条解説", 1}, {"税務通信", 20}, {"勘定科目", 30}, {"裁決事例", 60},
                   {"実務消費税法", 70}, {"業種区分", 75}, {"簡易課税", 80}, {"回答事例", 90},
                   {"租税判例", 95}}),
        bookTable({{"所基通逐条", 1}, {"譲渡措通逐条", 4}, {"相基通逐条", 8}, {"相続措通逐条", 12},
                   {"財産通達逐条", 16}, {"税務通信", 20}, {"株式公社債", 30}, {"裁決事例", 60},
                   {"財産評価", 70}, {"資産質疑", 75}, {"資産実務", 80}, {"資産実例", 90},
                   {"所得質疑", 93}, {"租税判例", 95}, {"等価交換", 100}, {"土地評価", 110},
                   {"保険税務", 120}}),
    };
    static const ScopeTable none;
    return b >= 0 && b < 3 ? tables[b] : none;
}

const ScopeEntry* ScopeEntryFind(const ScopeTable& table, std::string_view label)
{
    for (const ScopeEntry& e : table)
        if (e.Label == label)
            return &e;
    return nullptr;
}
