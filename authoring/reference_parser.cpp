#include "authoring/reference_parser.h"

#include "data/namepas.h"
#include "platform/text/sjis.h"

#include <array>
#include <initializer_list>
#include <vector>

namespace {

// A document name that a citing phrase may hold. Longer names stand before
// the shorter names they contain, so the first hit is the most precise one.
// The commercial-code names mean the old code when read inside the old
// company-law family (codes 900..999).
struct NameRule {
    std::string Name;
    int Code;
    int OldCommercialCode = 0;
};

const std::vector<NameRule>& NameRules()
{
    static const std::vector<NameRule> rules = [] {
        const NameRule rows[] = {
            {"東日本大震災の被災者等に係る国税関係法律の臨時特例に関する法律施行規則", 830},
            {"東日本大震災の被災者等に係る国税関係法律の臨時特例に関する法律施行令", 820},
            {"東日本大震災の被災者等に係る国税関係法律の臨時特例に関する法律", 810},
            {"震災特例法", 810},
            {"株式会社の監査等に関する商法の特例に関する法律施行令", 960},
            {"株式会社の監査等に関する商法の特例に関する法律", 950},
            {"商法特例法", 950},
            {"有限会社法", 920},
            {"会社法施行令", 440},
            {"会社法の施行に伴う関係法律の整備等に関する法律の施行に伴う経過措置を定める政令", 450},
            {"会社法施行規則", 460},
            {"旧商法施行規則", 940},
            {"会社計算規則", 480},
            {"電子公告規則", 490},
            {"会社法の施行に伴う関係法律の整備等に関する法律", 430},
            {"会社法整備法", 430},
            {"会社法", 410},
            {"旧商法", 910},
            {"商法施行規則", 470, 940},
            {"商法", 420, 910},
            {"民法", 510},
            {"所得税法施行令", 220},
            {"所得税法施行規則", 230},
            {"所得税基本通達", 240},
            {"所得税法", 210},
            {"相続税法施行令", 320},
            {"相続税法施行規則", 330},
            {"相続税法基本通達", 340},
            {"財産評価基本通達", 350},
            {"評基通", 350},
            {"相続税法", 310},
            {"耐用年数省令", 70},
            {"減価償却資産の耐用年数等に関する省令", 70},
            {"耐用年数通達", 80},
            {"耐用年数の適用等に関する取扱通達", 80},
            {"法人税法施行令", 20},
            {"法人税法施行規則", 30},
            {"法人税基本通達", 40},
            {"法人税法", 10},
            {"負担軽減措置法", 810},
            {"負担軽減措置令", 820},
            {"負担軽減措置規則", 830},
            {"措置法施行令", 720},
            {"措令", 720},
            {"措置法令", 720},
            {"措置法施行規則", 730},
            {"措規", 730},
            {"措置法規則", 730},
            {"租税特別措置法通達", 740},
            {"措置法通達", 740},
            {"措置法", 710},
            {"措法", 710},
            {"消費税法施行令", 120},
            {"消費税法施行規則", 130},
            {"消費税法基本通達", 140},
            {"消費税法", 110},
            {"消基通", 140},
            {"所基通", 240},
            {"相基通", 340},
            {"付表", 350},
            {"通則法基通", 190},
            {"徴収法基通", 290},
            {"印紙法基通", 390},
            {"法基通", 40},
            {"法法令", 20},
            {"法法規則", 30},
            {"法法", 10},
            {"所法令", 220},
            {"所法規則", 230},
            {"所法", 210},
            {"租法", 710},
            {"租特法令", 720},
            {"租令", 720},
            {"租特法規則", 730},
            {"租特法", 710},
            {"租規", 730},
            {"連結基本通達", 50},
            {"連結納税基本通達", 50},
            {"国税通則法施行令", 170},
            {"国税通則法施行規則", 180},
            {"国税通則法基本通達", 190},
            {"国税通則法", 160},
            {"国税徴収法施行令", 270},
            {"国税徴収法施行規則", 280},
            {"国税徴収法基本通達", 290},
            {"国税徴収法", 260},
            {"印紙税法施行令", 370},
            {"印紙税法施行規則", 380},
            {"印紙税法基本通達", 390},
            {"印紙税法", 360},
            {"地方税法施行令", 620},
            {"地方税法施行規則", 630},
            {"地方税法", 610},
            {"通則法", 160},
            {"徴収法", 260},
            {"通則令", 170},
            {"徴収令", 270},
            {"通則規則", 180},
            {"徴収規則", 280},
            {"課税物件表", 360},
            {"通則１", 360},
            {"通則２", 360},
            {"通則３", 360},
            {"通則４", 360},
            {"通則５", 360},
            {"通則６", 360},
        };
        std::vector<NameRule> out;
        for (const NameRule& row : rows)
            out.push_back({sjis::fromUtf8(row.Name), row.Code, row.OldCommercialCode});
        return out;
    }();
    return rules;
}

// "The same act / order / ordinance / circular" as the link registered last.
const std::array<std::string, 4>& SameNames()
{
    static const std::array<std::string, 4> names{"同法"_sj, "同令"_sj, "同規則"_sj, "同通達"_sj};
    return names;
}

// A keyword rule of one law tab: applies when the phrase contains `Phrase`
// and `Result` gives a code for the context code (0: the rule does not hold).
struct TabRule {
    int Tab;
    std::string Phrase;
    int (*Result)(int context);
};

bool InOldCommercial(int context) { return context > 899 && context < 1000; }

bool OneOf(int context, std::initializer_list<int> codes)
{
    for (int c : codes)
        if (c == context)
            return true;
    return false;
}

// Corporate tax: the special-measures circulars (740, 750) cite the
// corporate-tax family, every other context from 700 on the special measures.
int Corporate(int context, int own, int measures)
{
    return context < 700 || context == 740 || context == 750 ? own : measures;
}

// Consumption tax: below 600 its own family, then local tax, then special
// measures.
int Consumption(int context, int own, int local, int measures)
{
    return context < 600 ? own : context < 700 ? local : measures;
}

int Income(int context, int own, int measures)
{
    return context < 700 || context == 740 ? own : measures;
}

int Inheritance(int context, int own, int measures) { return context < 700 ? own : measures; }

const std::vector<TabRule>& TabRules()
{
    static const std::vector<TabRule> rules = [] {
        const struct {
            int Tab;
            const char* Phrase;
            int (*Result)(int);
        } rows[] = {
            {0, "基本通達", [](int c) { return c == 750 ? 40 : 0; }},
            {0, "－", [](int c) { return OneOf(c, {40, 50, 80, 740}) ? c : 750; }},
            {0, "法第", [](int c) { return Corporate(c, 10, 710); }},
            {0, "法附則", [](int c) { return Corporate(c, 10, 710); }},
            {0, "省令第", [](int) { return 70; }},
            {0, "令第", [](int c) { return Corporate(c, 20, 720); }},
            {0, "令附則", [](int c) { return Corporate(c, 20, 720); }},
            {0, "規則第", [](int c) { return Corporate(c, 30, 730); }},

            {1, "別表", [](int) { return 110; }},
            {1, "取扱い", [](int) { return 150; }},
            {1, "－", [](int) { return 140; }},
            {1, "法第", [](int c) { return Consumption(c, 110, 610, 710); }},
            {1, "法附則", [](int c) { return Consumption(c, 110, 610, 710); }},
            {1, "令第", [](int c) { return Consumption(c, 120, 620, 720); }},
            {1, "令附則", [](int c) { return Consumption(c, 120, 620, 720); }},
            {1, "規則第", [](int c) { return Consumption(c, 130, 630, 730); }},

            {2, "原則", [](int) { return 930; }},
            {2, "注解", [](int) { return 930; }},
            {2, "法第", [](int c) { return c == 960 ? 950 : 0; }},
            {2, "法第", [](int c) { return c > 410 && c < 500 ? 410 : 0; }},

            {3, "－", [](int c) { return c >= 700 ? 740 : 240; }},
            {3, "法第", [](int c) { return Income(c, 210, 710); }},
            {3, "法附則", [](int c) { return Income(c, 210, 710); }},
            {3, "令第", [](int c) { return Income(c, 220, 720); }},
            {3, "令附則", [](int c) { return Income(c, 220, 720); }},
            {3, "規則第", [](int c) { return Income(c, 230, 730); }},

            {4, "法第", [](int c) { return Inheritance(c, 310, 710); }},
            {4, "法附則", [](int c) { return Inheritance(c, 310, 710); }},
            {4, "令第", [](int c) { return Inheritance(c, 320, 720); }},
            {4, "令附則", [](int c) { return Inheritance(c, 320, 720); }},
            {4, "規則第", [](int c) { return Inheritance(c, 330, 730); }},

            // General rules, collection and stamp tax share one tab: the
            // context's family decides.
            {5, "別表", [](int) { return 360; }},
            {5, "法第",
             [](int c) {
                 return OneOf(c, {260, 270, 280, 290})   ? 260
                        : OneOf(c, {360, 370, 380, 390}) ? 360
                        : OneOf(c, {710, 720, 730})      ? 710
                                                         : 160;
             }},
            {5, "令第",
             [](int c) {
                 return OneOf(c, {270, 280, 290})   ? 270
                        : OneOf(c, {370, 380, 390}) ? 370
                        : OneOf(c, {720, 730})      ? 720
                                                    : 170;
             }},
            {5, "規則第",
             [](int c) {
                 return OneOf(c, {280, 290})   ? 280
                        : OneOf(c, {380, 390}) ? 380
                        : c == 730             ? 730
                                               : 180;
             }},
        };
        std::vector<TabRule> out;
        for (const auto& row : rows)
            out.push_back({row.Tab, sjis::fromUtf8(row.Phrase), row.Result});
        return out;
    }();
    return rules;
}

// The schedule names of the stamp tax, which all cite its first schedule.
const std::array<std::string, 7>& StampScheduleNames()
{
    static const std::array<std::string, 7> names{"課税物件表"_sj, "通則１"_sj, "通則２"_sj, "通則３"_sj,
                                                  "通則４"_sj,    "通則５"_sj, "通則６"_sj};
    return names;
}

// Removes leading characters while the text still holds `mark` and is longer
// than 3 bytes: what remains starts after the last `mark`.
void DropThrough(std::string& s, std::string_view mark)
{
    while (sjis::contains(s, mark) && s.size() > 3)
        s.erase(0, sjis::charLength(s, 0));
}

} // namespace

std::string HyperKubunNoHantei(std::string_view phrase, int tabNo, int contextCode)
{
    for (const std::string& name : SameNames())
        if (sjis::contains(phrase, name))
            return HyperKubunNo;
    for (const NameRule& rule : NameRules())
        if (sjis::contains(phrase, rule.Name))
            return std::to_string(rule.OldCommercialCode != 0 && InOldCommercial(contextCode)
                                      ? rule.OldCommercialCode
                                      : rule.Code);

    // Inside the earthquake special-measures order and ordinance a bare
    // "法第" / "令第" means their own act / order.
    static const std::string houDai = "法第"_sj;
    static const std::string reiDai = "令第"_sj;
    if (sjis::contains(phrase, houDai) && (contextCode == 820 || contextCode == 830))
        return "810";
    if (sjis::contains(phrase, reiDai) && contextCode == 830)
        return "820";

    for (const TabRule& rule : TabRules())
        if (rule.Tab == tabNo && sjis::contains(phrase, rule.Phrase))
            if (const int code = rule.Result(contextCode); code != 0)
                return std::to_string(code);

    return std::to_string(contextCode);
}

std::string HyperJyobunBangouGet(std::string_view phrase, std::string_view targetCode)
{
    for (const std::string& name : StampScheduleNames())
        if (phrase == name)
            return "別表第１"_sj;

    static const std::string closeBracket = "）"_sj;
    static const std::string dai = "第"_sj;
    static const std::string schedules[] = {"別表"_sj, "付表"_sj};
    static const std::string digits = "０１２３４５６７８９"_sj;
    static const std::string digitsAndSchedules = "０１２３４５６７８９別付"_sj;

    std::string s(phrase);
    // Circulars of the special measures (740, 750) keep their brackets; the
    // stamp-tax and consumption-tax schedules (360, 110) keep "第" so that
    // 別表第一 stays whole.
    if (targetCode != "740" && targetCode != "750")
        DropThrough(s, closeBracket);
    if (targetCode != "360" && targetCode != "110")
        DropThrough(s, dai);

    const bool schedule = sjis::contains(s, schedules[0]) || sjis::contains(s, schedules[1]);
    const std::string_view starts = schedule ? digitsAndSchedules : digits;
    for (std::size_t p = 0; p < s.size(); p += sjis::charLength(s, p)) {
        if (sjis::charLength(s, p) != 2)
            continue;
        const std::string_view ch(s.data() + p, 2);
        for (std::size_t k = 0; k < starts.size(); k += 2)
            if (starts.substr(k, 2) == ch)
                return s.substr(p);
    }
    return {};
}
