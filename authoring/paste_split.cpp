// Bringing pasted article text into an article row: the normaliser, the
// number-line checks and the split into title, number and body.
#include "authoring/reference_parser.h"

#include "platform/text/sjis.h"

#include <array>
#include <utility>
#include <vector>

namespace {

// True when the character that starts at byte `pos` is `ch`; a position
// inside a double-byte character never matches.
bool CharAt(std::string_view s, std::ptrdiff_t pos, std::string_view ch)
{
    if (pos < 0 || static_cast<std::size_t>(pos) + ch.size() > s.size())
        return false;
    const auto at = static_cast<std::size_t>(pos);
    return s.substr(at, ch.size()) == ch && !sjis::isTrailByteAt(s, at);
}

bool EndsWithChar(std::string_view s, std::string_view ch)
{
    return CharAt(s, static_cast<std::ptrdiff_t>(s.size()) - static_cast<std::ptrdiff_t>(ch.size()), ch);
}

bool EndsWithFullWidthDigit(std::string_view line)
{
    static const std::string digits = "０１２３４５６７８９"_sj;
    const std::ptrdiff_t last = static_cast<std::ptrdiff_t>(line.size()) - 2;
    for (std::size_t k = 0; k < digits.size(); k += 2)
        if (CharAt(line, last, std::string_view(digits).substr(k, 2)))
            return true;
    return false;
}

// Lines as a string list reads them: CR LF, CR or LF ends a line, and a
// final line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace

std::string ZenkakuHenkan(std::string_view text)
{
    static const std::vector<std::pair<std::string, std::string>> replacements = [] {
        const std::pair<const char*, const char*> rows[] = {
            {"0", "０"}, {"1", "１"}, {"2", "２"}, {"3", "３"},  {"4", "４"},  {"5", "５"},
            {"6", "６"}, {"7", "７"}, {"8", "８"}, {"9", "９"},  {"(", "（"},  {")", "）"},
            {" ", "　"}, {"-", "－"}, {".", "．"}, {",", "，"},  {"･", "・"}, {"─", "－"},
            {"{", "（"}, {"}", "）"}, {"\\", "￥"}, {"ロ座", "口座"},
        };
        std::vector<std::pair<std::string, std::string>> out;
        for (const auto& [from, to] : rows)
            out.emplace_back(sjis::fromUtf8(from), sjis::fromUtf8(to));
        return out;
    }();
    std::string s(text);
    for (const auto& [from, to] : replacements)
        s = sjis::replaceAll(s, from, to);
    return s;
}

std::string ZenkakuSpaceTrim(std::string_view text)
{
    static const std::string space = "　"_sj;
    while (CharAt(text, 0, space))
        text.remove_prefix(space.size());
    while (EndsWithChar(text, space))
        text.remove_suffix(space.size());
    return std::string(text);
}

int JyoNoBangouCheck(std::string_view line)
{
    static const std::string jyoNo = "条の"_sj;
    static const std::string jyoNoKana = "条ノ"_sj;
    const bool branch = sjis::contains(line, jyoNo) || sjis::contains(line, jyoNoKana);
    return branch && EndsWithFullWidthDigit(line) ? 0 : 1;
}

int HaifunBangouCheck(std::string_view line)
{
    static const std::string hyphen = "－"_sj;
    const std::ptrdiff_t size = static_cast<std::ptrdiff_t>(line.size());
    const bool hyphenBefore = CharAt(line, size - 4, hyphen) || CharAt(line, size - 6, hyphen);
    return hyphenBefore && EndsWithFullWidthDigit(line) ? 0 : 1;
}

SpecialPasteFields SpecialPasteSplit(std::string_view clipboardText)
{
    static const std::string jyo = "条"_sj;
    static const std::string jyoNo = "条の"_sj;
    static const std::string jyoNoKana = "条ノ"_sj;
    static const std::string open = "（"_sj;
    static const std::string close = "）"_sj;
    static const std::string dai = "第"_sj;

    std::vector<std::string> lines = SplitLines(ZenkakuHenkan(clipboardText));
    std::size_t first = 0;
    std::size_t end = lines.size();
    while (first < end && lines[first].empty())
        ++first;
    while (end > first && lines[end - 1].empty())
        --end;

    SpecialPasteFields fields;
    if (first == end)
        return fields;
    if (end - first == 1) {
        fields.JyobunHonbun = ZenkakuSpaceTrim(lines[first]);
        return fields;
    }

    // A first line that does not end like an article number (…条, …条の２,
    // １－２－３) is the title.
    const std::string& head = lines[first];
    const std::ptrdiff_t size = static_cast<std::ptrdiff_t>(head.size());
    const bool title = !EndsWithChar(head, jyo) && !CharAt(head, size - 6, jyoNo) &&
                       !CharAt(head, size - 6, jyoNoKana) && HaifunBangouCheck(head) == 1 &&
                       JyoNoBangouCheck(head) == 1;
    std::size_t number = first;
    if (title) {
        const std::string trimmed = ZenkakuSpaceTrim(head);
        const bool bracketed = trimmed.size() >= open.size() + close.size() && CharAt(trimmed, 0, open) &&
                               EndsWithChar(trimmed, close);
        fields.Hyoudai = bracketed ? trimmed.substr(open.size(), trimmed.size() - open.size() - close.size())
                                   : trimmed;
        ++number;
    }

    while (number < end && lines[number].empty())
        ++number;
    if (number == end)
        return fields;
    const std::string numberLine = ZenkakuSpaceTrim(lines[number]);
    fields.JyobunHonbun = CharAt(numberLine, 0, dai) ? numberLine.substr(dai.size()) : numberLine;

    std::size_t body = number + 1;
    while (body < end && lines[body].empty())
        ++body;
    std::string naiyou;
    for (std::size_t i = body; i < end; ++i)
        naiyou += lines[i] + "\r\n";
    if (!naiyou.empty())
        fields.JyobunNaiyou = std::move(naiyou);
    return fields;
}
