#include "source_text.h"

#include "platform/text/sjis.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace mkdata {

namespace {

std::string describe(const SourcePos& pos)
{
    return pos.line > 0 ? pos.file + ":" + std::to_string(pos.line) : pos.file;
}

// Length of the UTF-8 sequence that starts with `c`.
std::size_t utf8Length(unsigned char c)
{
    if (c >= 0xF0)
        return 4;
    if (c >= 0xE0)
        return 3;
    if (c >= 0xC0)
        return 2;
    return 1;
}

} // namespace

SourceError::SourceError(const SourcePos& pos, const std::string& message)
    : std::runtime_error(describe(pos) + ": " + message)
{
}

std::vector<SourceLine> readSourceLines(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw SourceError({file.string(), 0}, "cannot open the file");
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string all = buffer.str();
    if (all.starts_with("\xEF\xBB\xBF"))
        all.erase(0, 3);

    std::vector<SourceLine> lines;
    std::size_t start = 0;
    int number = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string::npos)
            end = all.size();
        std::string text = all.substr(start, end - start);
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        lines.push_back({{file.string(), ++number}, std::move(text)});
        start = end + 1;
    }
    return lines;
}

std::string toCp932(std::string_view utf8, const SourcePos& pos)
{
    std::string cp932 = sjis::fromUtf8(utf8);
    if (sjis::toUtf8(cp932) == utf8)
        return cp932;
    // Name the first character that does not survive the round trip.
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = std::min(utf8Length(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        const std::string_view ch = utf8.substr(i, n);
        if (sjis::toUtf8(sjis::fromUtf8(ch)) != ch)
            throw SourceError(pos, "\"" + std::string(ch) + "\" is not a Shift-JIS (CP932) character");
        i += n;
    }
    throw SourceError(pos, "the text is not valid UTF-8");
}

std::string_view trimAscii(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> splitTrimmed(std::string_view s, char sep)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == sep) {
            parts.push_back(trimAscii(s.substr(start, i - start)));
            start = i + 1;
        }
    }
    return parts;
}

bool parseInt(std::string_view s, int& out)
{
    if (s.empty())
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

} // namespace mkdata
