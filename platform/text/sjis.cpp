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

    std::string run(std::string_view in, std::string_view replacement)
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
                if (out.size() - done < replacement.size())
                    out.resize(out.size() * 2 + replacement.size());
                std::memcpy(out.data() + done, replacement.data(), replacement.size());
                done += replacement.size();
                const unsigned char c = static_cast<unsigned char>(*src);
                std::size_t skip = fromCp932_ ? (srcLeft >= 2 && isLeadByte(c) ? 2 : 1)
                                              : utf8Length(c, srcLeft);
                src += skip;
                srcLeft -= skip;
            }
        }
        out.resize(done);
        return out;
    }

private:
    static std::size_t utf8Length(unsigned char c, std::size_t left)
    {
        std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        return n > left ? left : n;
    }
    iconv_t cd_;
    bool fromCp932_;
};

} // namespace

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
    return conv.run(cp932, "\xEF\xBF\xBD");
}

std::string fromUtf8(std::string_view utf8)
{
    thread_local Converter conv("CP932", "UTF-8", false);
    return conv.run(utf8, "?");
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
