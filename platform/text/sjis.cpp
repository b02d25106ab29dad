#include "sjis.h"

#include <QString>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace sjis {

std::size_t charLength(std::string_view s, std::size_t pos) noexcept
{
    if (pos + 1 < s.size() && isLeadByte(static_cast<unsigned char>(s[pos])))
        return 2;
    return 1;
}

bool isTrailByteAt(std::string_view s, std::size_t pos) noexcept
{
    std::size_t i = 0;
    while (i < pos)
        i += charLength(s, i);
    return i != pos;
}

std::size_t findBytes(std::string_view hay, std::string_view needle, std::size_t from) noexcept
{
    if (needle.empty() || from > hay.size())
        return npos;
    const void* hit = memmem(hay.data() + from, hay.size() - from, needle.data(), needle.size());
    return hit ? static_cast<const char*>(hit) - hay.data() : npos;
}

std::size_t find(std::string_view hay, std::string_view needle, std::size_t from) noexcept
{
    if (needle.empty())
        return npos;
    // `boundary` is a known character start at or before the candidate; the
    // walk from it decides whether the candidate starts a character.
    std::size_t boundary = 0;
    std::size_t pos = from;
    while ((pos = findBytes(hay, needle, pos)) != npos) {
        while (boundary < pos)
            boundary += charLength(hay, boundary);
        if (boundary == pos)
            return pos;
        pos = boundary; // the candidate was a second byte: resume at the next character
    }
    return npos;
}

namespace {

// Upper-case Latin letters become lower-case, byte for byte in place, so
// positions and character boundaries stay.
std::string latinLower(std::string_view s)
{
    std::string out(s);
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t n = charLength(out, i);
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (n == 1 && c >= 'A' && c <= 'Z')
            out[i] = static_cast<char>(c + 0x20);
        else if (n == 2 && c == 0x82) {
            const unsigned char t = static_cast<unsigned char>(out[i + 1]);
            if (t >= 0x60 && t <= 0x79)
                out[i + 1] = static_cast<char>(t + 0x21);
        }
        i += n;
    }
    return out;
}

std::string replaceWith(std::string_view s, std::string_view from, std::string_view to,
                        std::size_t (*finder)(std::string_view, std::string_view, std::size_t) noexcept)
{
    if (from.empty())
        return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t start = 0;
    for (std::size_t hit; (hit = finder(s, from, start)) != npos; start = hit + from.size()) {
        out.append(s.substr(start, hit - start));
        out.append(to);
    }
    out.append(s.substr(start));
    return out;
}

// One converter per direction and thread; iconv_open is far too slow to call
// per string.
class Converter {
public:
    Converter(const char* to, const char* from, bool fromCp932)
        : cd_(iconv_open(to, from)), fromCp932_(fromCp932) {}
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string run(std::string_view in)
    {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            out.assign(in);
            return out;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.resize(in.size() * 2 + 16);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        std::size_t done = 0;
        while (srcLeft > 0) {
            char* dst = out.data() + done;
            std::size_t dstLeft = out.size() - done;
            std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            done = out.size() - dstLeft;
            if (r != static_cast<std::size_t>(-1))
                break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
            } else {
                // Invalid or incomplete input: substitute and skip one unit.
                const std::string_view rest(src, srcLeft);
                const std::size_t length =
                    fromCp932_ ? cp932Length(rest) : utf8Length(static_cast<unsigned char>(*src), srcLeft);
                const std::string_view unit = rest.substr(0, length);
                const std::string replacement = fromCp932_ ? standInOf(unit) : codeOfStandIn(unit);
                if (out.size() - done < replacement.size())
                    out.resize(out.size() * 2 + replacement.size());
                std::memcpy(out.data() + done, replacement.data(), replacement.size());
                done += replacement.size();
                src += unit.size();
                srcLeft -= unit.size();
            }
        }
        out.resize(done);
        return out;
    }

private:
    // A CP932 code without a Unicode character (85 40, a lone A0) stands in
    // as U+F0000 plus the code, in UTF-8, so that it comes back as the same
    // bytes and every later byte position stays where it was.
    static constexpr char32_t StandInBase = 0xF0000;

    static std::string standInOf(std::string_view code)
    {
        // A lead byte cut off from its second byte is no code: as a stand-in
        // it would take the next character as its second byte on the way back.
        if (code.size() == 1 && isLeadByte(static_cast<unsigned char>(code[0])))
            return "\xEF\xBF\xBD"; // U+FFFD
        char32_t value = 0;
        for (const char c : code)
            value = (value << 8) | static_cast<unsigned char>(c);
        const char32_t cp = StandInBase + value;
        return {static_cast<char>(0xF0 | (cp >> 18)), static_cast<char>(0x80 | ((cp >> 12) & 0x3F)),
                static_cast<char>(0x80 | ((cp >> 6) & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
    }

    static std::string codeOfStandIn(std::string_view utf8)
    {
        if (utf8.size() != 4)
            return "?";
        const auto b = [&](int k) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[k])); };
        const char32_t cp =
            ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
        if (cp < StandInBase || cp > StandInBase + 0xFFFF)
            return "?";
        const char32_t code = cp - StandInBase;
        std::string bytes;
        if (code > 0xFF)
            bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xFF);
        // Only the very stand-in toUtf8 makes for these bytes comes back;
        // anything else would turn into some other text.
        return toUtf8(bytes) == utf8 ? bytes : "?";
    }

    // A line break is never a second byte: the lines are split before the
    // characters are counted, so a lead byte in front of one stands alone.
    static std::size_t cp932Length(std::string_view rest)
    {
        if (rest.size() > 1 && (rest[1] == '\r' || rest[1] == '\n'))
            return 1;
        return charLength(rest, 0);
    }

    static std::size_t utf8Length(unsigned char c, std::size_t left)
    {
        std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        return n > left ? left : n;
    }
    iconv_t cd_;
    bool fromCp932_;
};

} // namespace

std::size_t findIgnoreCase(std::string_view hay, std::string_view needle, std::size_t from)
{
    return sjis::find(latinLower(hay), latinLower(needle), from);
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to)
{
    return replaceWith(s, from, to, &find);
}

std::string replaceAllBytes(std::string_view s, std::string_view from, std::string_view to)
{
    return replaceWith(s, from, to, &findBytes);
}

std::string digitsToFullWidth(std::string_view s)
{
    std::string out;
    out.reserve(s.size() * 2);
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const std::size_t n = charLength(s, i);
        if (n == 1 && c >= '0' && c <= '9') {
            out.push_back(static_cast<char>(0x82));
            out.push_back(static_cast<char>(0x4F + (c - '0')));
        } else {
            out.append(s.substr(i, n));
        }
        i += n;
    }
    return out;
}

std::string toUtf8(std::string_view cp932)
{
    thread_local Converter conv("UTF-8", "CP932", true);
    return conv.run(cp932);
}

std::string fromUtf8(std::string_view utf8)
{
    thread_local Converter conv("CP932", "UTF-8", false);
    return conv.run(utf8);
}

QString toQString(std::string_view cp932)
{
    const std::string utf8 = toUtf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string fromQString(const QString& s)
{
    return fromUtf8(s.toStdString());
}

} // namespace sjis

std::string operator""_sj(const char* utf8, std::size_t len)
{
    return sjis::fromUtf8(std::string_view(utf8, len));
}
