#include "large_build.h"

#include "law_tables.h"
#include "platform/text/sjis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <set>

namespace mkdata {

const RareWord kRareWords[3] = {{"輸出物品販売場", 25}, {"電気通信利用役務", 10}, {"金地金", 3}};
const char* const kAbsentWords[2] = {"恐竜", "宇宙旅行"};

namespace {

// splitmix64: small, fast and the same everywhere.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    int between(int lo, int hi)
    {
        return lo + static_cast<int>(below(static_cast<std::size_t>(hi - lo + 1)));
    }
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return uniform() < p; }

private:
    std::uint64_t state_;
};

// Words in order of frequency; a word's weight falls with its rank (Zipf),
// so the first few stand in nearly every article and the last in few.
const char* const kNouns[] = {
    "課税",
    "消費税",
    "事業者",
    "資産",
    "課税資産の譲渡等",
    "控除",
    "課税仕入れ",
    "税額",
    "対価の額",
    "課税期間",
    "課税標準",
    "役務の提供",
    "資産の貸付け",
    "適用",
    "金額",
    "取引",
    "納税義務",
    "申告書",
    "帳簿",
    "請求書等",
    "税率",
    "基準期間",
    "課税売上高",
    "非課税",
    "輸出取引等",
    "免税",
    "仕入れに係る消費税額",
    "簡易課税制度",
    "調整",
    "売上げに係る対価の返還等",
    "売上げ",
    "仕入れ",
    "貸倒れ",
    "棚卸資産",
    "固定資産",
    "調整対象固定資産",
    "国内",
    "国外",
    "外国法人",
    "個人事業者",
    "法人",
    "相続人",
    "合併法人",
    "分割承継法人",
    "新設法人",
    "特定期間",
    "課税事業者選択届出書",
    "届出書",
    "承認",
    "税務署長",
    "納付",
    "還付",
    "中間申告",
    "確定申告",
    "地方消費税",
    "譲渡割",
    "貨物割",
    "保税地域",
    "外国貨物",
    "引取り",
    "軽減税率",
    "飲食料品",
    "定期購読契約",
    "適格請求書",
    "登録番号",
    "区分記載",
    "端数処理",
    "経過措置",
    "施行日",
    "特例",
    "被災者",
    "特定非常災害",
    "課税売上割合",
    "個別対応方式",
    "一括比例配分方式",
    "共通して要するもの",
    "みなし仕入率",
    "事業区分",
    "卸売業",
    "小売業",
    "製造業",
    "サービス業",
    "不動産業",
    "金融業",
    "保険業",
    "土地",
    "建物",
    "有価証券",
    "利子",
    "保険料",
    "郵便切手類",
    "印紙",
    "商品券",
    "物品切手等",
    "社会保険医療",
    "介護サービス",
    "助産",
    "埋葬料",
    "身体障害者用物品",
    "学校教育",
    "教科用図書",
    "住宅の貸付け",
    "社会福祉事業",
    "寄附金",
    "補助金",
    "損害賠償金",
    "会費",
    "入会金",
    "出資",
    "剰余金の配当",
    "給与",
    "退職手当",
    "旅費",
    "通勤手当",
    "交際費",
    "広告宣伝費",
    "修繕費",
    "減価償却資産",
    "リース取引",
    "割賦販売",
    "延払基準",
    "工事の請負",
    "委託販売",
    "代理人",
    "共同事業",
    "組合",
    "信託財産",
    "受益者",
    "公共法人",
    "公益法人等",
    "人格のない社団等",
    "地方公共団体",
    "特別会計",
    "資産の譲受け",
    "課税貨物",
    "輸入",
    "関税",
    "船舶",
    "航空機",
    "国際輸送",
    "国際通信",
    "非居住者",
    "外国人旅行者",
    "仮払金",
    "前受金",
    "未払金",
    "手形",
    "小切手",
    "預金",
    "貸付金",
    "信用の保証",
    "合同運用信託",
    "投資信託",
    "抵当証券",
    "金銭債権",
    "ゴルフ場利用株式等",
    "電子記録債権",
    "暗号通貨",
    "土地の上に存する権利",
    "借地権",
    "地上権",
    "賃借権",
    "駐車場",
    "施設の利用",
    "建物の賃貸借",
    "敷金",
    "保証金",
    "権利金",
    "更新料",
    "共益費",
    "管理費",
    "仲介手数料",
    "登記",
    "公証人",
    "行政手数料",
    "外国為替業務",
    "両替",
    "国債",
    "地方債",
    "社債",
    "株券",
    "出資持分",
    "転換社債",
    "新株予約権",
    "生命保険",
    "損害保険",
    "共済掛金",
    "再保険",
    "医療機器",
    "医薬品",
    "居宅サービス",
    "施設サービス",
    "保育所",
    "児童福祉施設",
    "障害福祉サービス",
    "老人福祉",
    "授業料",
    "入学金",
    "施設設備費",
    "入学検定料",
    "在学証明",
    "学生寮",
    "教材",
    "墓地",
    "火葬料",
    "霊園",
    "葬儀",
    "試験",
    "検定",
    "証明書",
    "登録免許",
};

const char* const kConnectors[] = {
    "の",   "に係る",   "について",   "に対する",   "を",       "が",         "に",     "及び",
    "又は", "若しくは", "並びに",     "における",   "に関する", "として",     "により", "から",
    "まで", "その他の", "に該当する", "に含まれる", "を除く",   "に規定する",
};

const char* const kEndings[] = {
    "ものとする。",
    "ことができる。",
    "ものとみなす。",
    "この限りでない。",
    "適用しない。",
    "含まれるものとする。",
    "取り扱う。",
    "留意する。",
    "差し支えない。",
    "該当する。",
    "控除する。",
    "納付しなければならない。",
    "提出しなければならない。",
    "計算するものとする。",
    "課さない。",
};

const char* const kKatakanaItems[] = {"イ", "ロ", "ハ", "ニ", "ホ", "ヘ", "ト", "チ", "リ", "ヌ"};

struct Document {
    int code;
    const char* label;
    const char* official;
    int count;
    bool circular;
    int beppyo; // 別表 articles at the end
};

constexpr std::array<Document, 8> kDocuments = {{
    {110, "消法", "消費税法", 1500, false, 2},
    {120, "消令", "消費税法施行令", 2000, false, 0},
    {130, "消規", "消費税法施行規則", 1200, false, 0},
    {140, "消基通", "消費税法基本通達", 3500, true, 0},
    {150, "消個通", "消費税個別通達", 2500, true, 0},
    {610, "地方", "地方税法", 3000, false, 0},
    {710, "措法", "租税特別措置法", 5500, false, 3},
    {810, "震災法", "東日本大震災の被災者等に係る国税関係法律の臨時特例に関する法律", 800, false, 0},
}};

// Which documents an article of document d cites, with the phrase before
// the number ("法第３０条").
struct Citation {
    int document;
    const char* prefix;
};
const std::vector<Citation> kCitations[8] = {
    {{0, ""}},
    {{0, "法"}, {1, ""}},
    {{0, "法"}, {1, "令"}, {2, ""}},
    {{0, "法"}, {1, "令"}, {2, "規則"}, {3, ""}},
    {{0, "消費税法"}, {3, "基本通達"}},
    {{5, ""}},
    {{6, ""}, {0, "消費税法"}},
    {{7, ""}, {0, "消費税法"}, {6, "租税特別措置法"}},
};

// Document codes whose texts leave details to a cabinet order or ordinance.
bool delegates(int code)
{
    return code == 110 || code == 120 || code == 610 || code == 710 || code == 810;
}

std::vector<std::string> toCp932All(const auto& words)
{
    std::vector<std::string> out;
    for (const char* w : words)
        out.push_back(sjis::fromUtf8(w));
    return out;
}

std::string zen(int n)
{
    return sjis::digitsToFullWidth(std::to_string(n));
}

std::string kanjiNumber(int n)
{
    static const char* const digits[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
    std::string s;
    if (n >= 20)
        s += digits[n / 10];
    if (n >= 10)
        s += "十";
    s += digits[n % 10];
    return sjis::fromUtf8(s);
}

class ZipfPicker {
public:
    explicit ZipfPicker(std::size_t n)
    {
        double sum = 0;
        for (std::size_t i = 0; i < n; ++i)
            cumulative_.push_back(sum += 1.0 / static_cast<double>(i + 1));
    }
    std::size_t pick(Rng& rng) const
    {
        const double x = rng.uniform() * cumulative_.back();
        return static_cast<std::size_t>(std::upper_bound(cumulative_.begin(), cumulative_.end(), x) -
                                        cumulative_.begin());
    }

private:
    std::vector<double> cumulative_;
};

struct Skeleton {
    int document = 0;
    std::string bangou;
    std::string heading;
    std::string opening; // "第３０条" of a statute line, empty for circulars and tables
    bool table = false;
    std::size_t targetBytes = 0;
};

// Builds the article texts; remembers the links it places.
class Writer {
public:
    Writer()
        : nouns_(toCp932All(kNouns)), connectors_(toCp932All(kConnectors)), endings_(toCp932All(kEndings)),
          items_(toCp932All(kKatakanaItems)), zipf_(nouns_.size()), rng_(20110630)
    {
        for (const RareWord& w : kRareWords)
            rare_.push_back(sjis::fromUtf8(w.utf8));
    }

    std::vector<Skeleton> plan();
    void fillBodies(LawCollection& c, const std::vector<Skeleton>& skeletons);
    void buildTree(LawCollection& c, const std::vector<Skeleton>& skeletons);

private:
    std::string heading();
    void sentence(std::string& out, std::size_t articleIndex);
    void piece(std::string& out, std::size_t articleIndex);
    void body(std::string& out, std::size_t articleIndex);

    std::vector<std::string> nouns_, connectors_, endings_, items_, rare_;
    ZipfPicker zipf_;
    Rng rng_;

    // Set while one article is written.
    const std::vector<Skeleton>* skeletons_ = nullptr;
    std::vector<std::vector<std::size_t>> byDocument_;
    std::vector<std::vector<std::size_t>> rareIn_; // rare word indexes per article
    LawCollection* c_ = nullptr;
    std::vector<Link> pending_; // sel relative to the body
};

std::string Writer::heading()
{
    std::string h = nouns_[zipf_.pick(rng_)];
    if (rng_.chance(0.6))
        h += "の"_sj + nouns_[zipf_.pick(rng_)];
    if (rng_.chance(0.3))
        h += "等"_sj;
    return h;
}

std::vector<Skeleton> Writer::plan()
{
    std::vector<Skeleton> out;
    for (std::size_t d = 0; d < kDocuments.size(); ++d) {
        const Document& doc = kDocuments[d];
        if (doc.circular) {
            int a = 1, b = 1, c = 0, sectionLeft = rng_.between(5, 15), chapterLeft = rng_.between(4, 8);
            for (int n = 0; n < doc.count; ++n) {
                if (--sectionLeft < 0) {
                    ++b;
                    c = 0;
                    sectionLeft = rng_.between(5, 15);
                    if (--chapterLeft < 0) {
                        ++a;
                        b = 1;
                        chapterLeft = rng_.between(4, 8);
                    }
                }
                Skeleton s;
                s.document = static_cast<int>(d);
                s.bangou = zen(a) + "－"_sj + zen(b) + "－"_sj + zen(++c);
                s.heading = heading();
                out.push_back(std::move(s));
            }
            continue;
        }
        const int fusoku = std::max(2, doc.count / 50);
        const int main = doc.count - fusoku - doc.beppyo;
        int number = 0, branch = 1;
        for (int n = 0; n < main; ++n) {
            Skeleton s;
            s.document = static_cast<int>(d);
            if (n > 0 && rng_.chance(0.12)) {
                s.bangou = zen(number) + "条の"_sj + zen(++branch);
            } else {
                s.bangou = zen(++number) + "条"_sj;
                branch = 1;
            }
            s.opening = "第"_sj + s.bangou;
            s.heading = heading();
            out.push_back(std::move(s));
        }
        for (int n = 1; n <= fusoku; ++n) {
            Skeleton s;
            s.document = static_cast<int>(d);
            s.bangou = "附則第"_sj + zen(n) + "条"_sj;
            s.opening = "第"_sj + zen(n) + "条"_sj;
            s.heading = heading();
            out.push_back(std::move(s));
        }
        for (int n = 1; n <= doc.beppyo; ++n) {
            Skeleton s;
            s.document = static_cast<int>(d);
            s.bangou = "別表第"_sj + zen(n);
            s.heading = heading();
            s.table = true;
            out.push_back(std::move(s));
        }
    }

    // Text lengths: mostly short, some long, one very long table.
    for (Skeleton& s : out) {
        const double u = std::max(rng_.uniform(), 1e-12);
        s.targetBytes = 300 + static_cast<std::size_t>(std::min(-std::log(u) * 1500.0, 30000.0));
    }
    bool first = true;
    for (Skeleton& s : out) {
        if (s.table && kDocuments[s.document].code == 710) {
            s.targetBytes = first ? 70000 : 32000;
            first = false;
        }
    }
    return out;
}

void Writer::piece(std::string& out, std::size_t articleIndex)
{
    const Skeleton& self = (*skeletons_)[articleIndex];
    const double roll = rng_.uniform();
    if (roll < 0.025) {
        // A citation of another article.
        const std::vector<Citation>& options = kCitations[self.document];
        const Citation& cite = options[rng_.below(options.size())];
        const std::vector<std::size_t>& pool = byDocument_[cite.document];
        const std::size_t target = pool[rng_.below(pool.size())];
        if (target != articleIndex) {
            const Skeleton& t = (*skeletons_)[target];
            std::string phrase = sjis::fromUtf8(cite.prefix);
            const bool numbered =
                !kDocuments[t.document].circular && !t.table && t.bangou.find("附則"_sj) != 0;
            phrase += numbered ? "第"_sj + t.bangou : t.bangou;
            if (numbered && rng_.chance(0.4))
                phrase += "第"_sj + zen(rng_.between(1, 4)) + "項"_sj;
            Link l;
            l.sel = static_cast<int>(out.size());
            l.length = static_cast<int>(phrase.size());
            l.goGyo = c_->articles[target].gyo;
            l.zeimoku = c_->tab->index;
            l.phrase = phrase;
            l.targetKubunNo = kDocuments[t.document].code;
            l.targetBangou = t.bangou;
            pending_.push_back(std::move(l));
            out += phrase;
            out += connectors_[rng_.below(connectors_.size())];
            return;
        }
    }
    if (roll < 0.032 && delegates(kDocuments[self.document].code)) {
        const bool seirei = rng_.chance(0.7);
        const std::string phrase = seirei ? "政令で定める"_sj : "財務省令で定める"_sj;
        Link l;
        l.sel = static_cast<int>(out.size());
        l.length = static_cast<int>(phrase.size());
        l.zeimoku = seirei ? kSearchSeirei : kSearchSyourei;
        l.phrase = phrase;
        pending_.push_back(std::move(l));
        out += phrase;
        return;
    }
    if (roll < 0.045) {
        out += "（"_sj + nouns_[zipf_.pick(rng_)] + "をいう。以下この"_sj +
               (self.opening.empty() ? "項"_sj : "条"_sj) + "において「"_sj + nouns_[zipf_.pick(rng_)] +
               "」という。）"_sj;
        return;
    }
    out += nouns_[zipf_.pick(rng_)];
    out += connectors_[rng_.below(connectors_.size())];
    if (rng_.chance(0.12))
        out += "、"_sj;
}

void Writer::sentence(std::string& out, std::size_t articleIndex)
{
    const int pieces = rng_.between(3, 9);
    for (int i = 0; i < pieces; ++i)
        piece(out, articleIndex);
    out += nouns_[zipf_.pick(rng_)];
    out += "は、"_sj;
    out += endings_[rng_.below(endings_.size())];
}

void Writer::body(std::string& out, std::size_t articleIndex)
{
    const Skeleton& s = (*skeletons_)[articleIndex];
    const bool circular = kDocuments[s.document].circular;
    if (s.table) {
        out += s.bangou + "（第"_sj + zen(rng_.between(2, 90)) + "条関係）"_sj;
        for (int item = 1; out.size() < s.targetBytes; ++item) {
            out += "\r\n"_sj + "　"_sj + kanjiNumber((item - 1) % 99 + 1) + "　"_sj;
            sentence(out, articleIndex);
            if (rng_.chance(0.3))
                for (int k = 0; k < rng_.between(1, 4); ++k) {
                    out += "\r\n　　"_sj + items_[k] + "　"_sj;
                    sentence(out, articleIndex);
                }
        }
        return;
    }
    // The first line: the article's own number for statutes.
    if (!s.opening.empty())
        out += s.opening + "　"_sj;
    for (std::size_t w : rareIn_[articleIndex])
        out += rare_[w] + "に係る"_sj;
    sentence(out, articleIndex);
    for (int paragraph = 2; out.size() < s.targetBytes; ++paragraph) {
        out += "\r\n";
        if (circular) {
            const double kind = rng_.uniform();
            if (kind < 0.5)
                out += "（"_sj + zen(paragraph - 1) + "）"_sj;
            else if (kind < 0.65)
                out += "（注）"_sj + zen(rng_.between(1, 3)) + "　"_sj;
            else if (kind < 0.8)
                out += "　　"_sj + items_[rng_.below(items_.size())] + "　"_sj;
            else if (kind < 0.9)
                out += "なお、"_sj;
        } else {
            out += zen(paragraph) + "　"_sj;
        }
        sentence(out, articleIndex);
        if (!circular && rng_.chance(0.25)) {
            const int count = rng_.between(2, 6);
            for (int item = 1; item <= count; ++item) {
                out += "\r\n　"_sj + kanjiNumber(item) + "　"_sj;
                sentence(out, articleIndex);
                if (rng_.chance(0.15))
                    for (int k = 0; k < rng_.between(1, 3); ++k) {
                        out += "\r\n　　"_sj + items_[k] + "　"_sj;
                        sentence(out, articleIndex);
                    }
            }
        }
    }
}

void Writer::fillBodies(LawCollection& c, const std::vector<Skeleton>& skeletons)
{
    skeletons_ = &skeletons;
    c_ = &c;
    byDocument_.assign(kDocuments.size(), {});
    for (std::size_t i = 0; i < skeletons.size(); ++i)
        byDocument_[skeletons[i].document].push_back(i);

    // The rare words go into a fixed number of articles each.
    rareIn_.assign(skeletons.size(), {});
    Rng pickRng(7);
    for (std::size_t w = 0; w < std::size(kRareWords); ++w) {
        std::set<std::size_t> chosen;
        while (chosen.size() < static_cast<std::size_t>(kRareWords[w].articles))
            chosen.insert(pickRng.below(skeletons.size()));
        for (std::size_t i : chosen)
            rareIn_[i].push_back(w);
    }

    for (std::size_t i = 0; i < skeletons.size(); ++i) {
        Article& a = c.articles[i];
        a.body.reserve(skeletons[i].targetBytes + 512);
        body(a.body, i);
        composeArticle(a, sjis::fromUtf8(kDocuments[skeletons[i].document].official), {});
        for (Link& l : pending_) {
            l.gyo = a.gyo;
            l.sel += static_cast<int>(a.bodyOffset);
            c.links.push_back(std::move(l));
        }
        pending_.clear();
    }
}

void Writer::buildTree(LawCollection& c, const std::vector<Skeleton>& skeletons)
{
    int document = -1;
    std::string chapterKey, sectionKey;
    int chapter = 0, section = 0, chapterLeft = 0, sectionLeft = 0;
    bool inFusoku = false;
    for (std::size_t i = 0; i < skeletons.size(); ++i) {
        const Skeleton& s = skeletons[i];
        const Document& doc = kDocuments[s.document];
        if (s.document != document) {
            document = s.document;
            c.tree.push_back({0, sjis::fromUtf8(doc.official), 0});
            chapter = section = chapterLeft = sectionLeft = 0;
            chapterKey.clear();
            sectionKey.clear();
            inFusoku = false;
        }
        int depth = 1;
        if (doc.circular) {
            // Chapters and sections follow the number "a－b－c".
            const std::size_t dash1 = s.bangou.find("－"_sj);
            const std::size_t dash2 = s.bangou.find("－"_sj, dash1 + 2);
            const std::string a = s.bangou.substr(0, dash1), ab = s.bangou.substr(0, dash2);
            if (a != chapterKey) {
                chapterKey = a;
                c.tree.push_back({1, "第"_sj + a + "章　"_sj + heading(), 0});
            }
            if (ab != sectionKey) {
                sectionKey = ab;
                c.tree.push_back(
                    {2, "第"_sj + s.bangou.substr(dash1 + 2, dash2 - dash1 - 2) + "節　"_sj + heading(), 0});
            }
            depth = 3;
        } else if (s.table) {
            depth = 1;
        } else if (s.bangou.starts_with("附則"_sj)) {
            if (!inFusoku) {
                inFusoku = true;
                c.tree.push_back({1, "附則"_sj, 0});
            }
            depth = 2;
        } else {
            if (--chapterLeft < 0) {
                chapterLeft = rng_.between(15, 35);
                sectionLeft = 0;
                section = 0;
                c.tree.push_back({1, "第"_sj + zen(++chapter) + "章　"_sj + heading(), 0});
            }
            if (--sectionLeft < 0) {
                sectionLeft = rng_.between(5, 12);
                c.tree.push_back({2, "第"_sj + zen(++section) + "節　"_sj + heading(), 0});
            }
            depth = 3;
        }
        c.tree.push_back({depth, c.articles[i].title, c.articles[i].gyo});
    }
}

} // namespace

LawCollection generateLarge()
{
    LawCollection c;
    c.tab = lawTab('E');
    Writer writer;
    const std::vector<Skeleton> skeletons = writer.plan();
    for (std::size_t i = 0; i < skeletons.size(); ++i) {
        const Skeleton& s = skeletons[i];
        Article a;
        a.gyo = static_cast<int>(i + 1) * 10;
        a.key = static_cast<int>(i + 1);
        a.kubunNo = kDocuments[s.document].code;
        a.kubun = sjis::fromUtf8(kDocuments[s.document].label);
        a.bangou = s.bangou;
        a.heading = s.heading;
        c.articles.push_back(std::move(a));
    }
    writer.fillBodies(c, skeletons);
    for (Link& l : c.links) {
        if (l.zeimoku >= 0) {
            const Article& target = c.articles[static_cast<std::size_t>(l.goGyo / 10 - 1)];
            l.targetKubun = target.kubun;
        }
    }
    deriveReferences(c);
    writer.buildTree(c, skeletons);
    return c;
}

std::string buildLarge(const std::filesystem::path& outDir)
{
    const LawCollection c = generateLarge();
    std::filesystem::create_directories(outDir);
    writeLawTables(c, outDir);
    std::size_t bytes = 0, rows = 0;
    for (const Article& a : c.articles)
        bytes += a.honbun.size();
    for (const Link& l : c.links)
        rows += static_cast<std::size_t>(l.length);
    return "large collection in " + outDir.string() + ": " + std::to_string(c.articles.size()) +
           " articles, " + std::to_string(bytes) + " bytes of text, " + std::to_string(c.links.size()) +
           " links (" + std::to_string(rows) + " link rows), " + std::to_string(c.references.size()) +
           " references, " + std::to_string(c.tree.size()) + " tree nodes";
}

} // namespace mkdata
