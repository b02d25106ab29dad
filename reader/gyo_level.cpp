#include "reader/gyo_level.h"

#include "platform/text/sjis.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr int Unchanged = -1;

struct Pattern {
    std::string Head;
    int Level;
};

using Tails = std::initializer_list<std::string>;

// The 155 patterns in the order they are tried; the first match decides.
// Look-alikes (ニ/二, ヘ/へ, ロ/口) are separate entries on purpose.
const std::vector<Pattern>& patterns()
{
    static const std::vector<Pattern> table = [] {
        std::vector<Pattern> out;
        auto add = [&out](const std::string& head, Tails tails, int level) {
            for (const std::string& t : tails)
                out.push_back({head + t, level});
        };
        const Tails digits = {"１"_sj, "２"_sj, "３"_sj, "４"_sj, "５"_sj,
                              "６"_sj, "７"_sj, "８"_sj, "９"_sj};
        const Tails digitsNote = {"１"_sj, "２"_sj, "３"_sj, "４"_sj, "５"_sj,
                                  "６"_sj, "７"_sj, "８"_sj, "９"_sj, "注"_sj};

        add({}, {"また"_sj, "　また"_sj, "　　また"_sj, "なお"_sj, "　なお"_sj, "　　なお"_sj}, Unchanged);
        add("（注）１"_sj, {std::string()}, 8);
        add("　"_sj,
            {"一"_sj, "二"_sj, "三"_sj, "四"_sj, "五"_sj, "六"_sj, "七"_sj, "八"_sj, "九"_sj, "十"_sj}, 1);
        add("　　　（"_sj, {"１"_sj, "２"_sj, "３"_sj, "４"_sj, "５"_sj, "６"_sj, "７"_sj, "８"_sj,
                            "９"_sj, "注"_sj, "イ"_sj, "ロ"_sj, "ハ"_sj, "ニ"_sj, "二"_sj, "ホ"_sj,
                            "ヘ"_sj, "ト"_sj, "チ"_sj, "リ"_sj, "ヌ"_sj, "ル"_sj, "ヲ"_sj},
            3);
        add("　　（"_sj,
            {"１"_sj, "２"_sj, "３"_sj, "４"_sj, "５"_sj, "６"_sj, "７"_sj, "８"_sj, "９"_sj, "注"_sj,
             "イ"_sj, "ロ"_sj, "ハ"_sj, "ニ"_sj, "二"_sj, "ホ"_sj, "ヘ"_sj, "ト"_sj},
            4);
        add("　（"_sj, digitsNote, 5);
        add("（"_sj, digitsNote, 6);
        add("　　　"_sj, digits, 7);
        add("　　"_sj, {"ア"_sj, "イ"_sj, "ウ"_sj, "エ"_sj, "オ"_sj, "カ"_sj, "キ"_sj, "ク"_sj, "ケ"_sj,
                        "コ"_sj, "サ"_sj, "シ"_sj, "ス"_sj, "セ"_sj, "ソ"_sj, "タ"_sj, "チ"_sj, "ツ"_sj,
                        "テ"_sj, "ト"_sj, "ナ"_sj, "ニ"_sj, "ヌ"_sj, "ネ"_sj, "ノ"_sj, "ハ"_sj, "ヒ"_sj,
                        "フ"_sj, "ヘ"_sj, "へ"_sj, "ホ"_sj, "マ"_sj, "ミ"_sj, "ム"_sj, "メ"_sj, "モ"_sj,
                        "ヤ"_sj, "ユ"_sj, "ヨ"_sj, "ラ"_sj, "リ"_sj, "ル"_sj, "レ"_sj, "口"_sj, "ロ"_sj,
                        "ワ"_sj, "ヰ"_sj, "ヱ"_sj, "ヲ"_sj, "ン"_sj, "ヴ"_sj},
            2);
        add("　　　　（"_sj,
            {"ｉ"_sj, "ｖ"_sj, "ⅰ"_sj, "ⅱ"_sj, "ⅲ"_sj, "ⅳ"_sj, "ⅴ"_sj, "ⅵ"_sj, "ⅶ"_sj, "ⅷ"_sj, "ⅸ"_sj,
             "ⅹ"_sj},
            9);
        add("　　　　"_sj, {"Ａ"_sj, "Ｂ"_sj, "Ｃ"_sj, "Ｄ"_sj, "Ｅ"_sj}, 3);
        return out;
    }();
    return table;
}

} // namespace

int GyoLevelGet(std::string_view text, std::size_t pos, int previous)
{
    if (pos >= text.size())
        return 0;
    const std::string_view line = text.substr(pos);
    for (const Pattern& p : patterns()) {
        if (line.starts_with(p.Head))
            return p.Level == Unchanged ? previous : p.Level;
    }
    return 0;
}
