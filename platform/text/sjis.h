// Byte-level helpers for CP932 (Shift-JIS) text, and the only place that
// converts between CP932 and Unicode. Every string the program handles is a
// std::string of CP932 bytes; positions and lengths are byte counts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class QString;

namespace sjis {

inline constexpr std::size_t npos = std::string_view::npos;

// First byte of a double-byte character: 0x81-0x9F or 0xE0-0xFC.
constexpr bool isLeadByte(unsigned char c) noexcept
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character that starts at `pos` (1 or 2; 1 for a
// lead byte at the very end of the text).
std::size_t charLength(std::string_view s, std::size_t pos) noexcept;

// True when `pos` is the second byte of a double-byte character, judged by
// walking the text from its start.
bool isTrailByteAt(std::string_view s, std::size_t pos) noexcept;

// Multi-byte aware search: the first occurrence of `needle` at or after
// `from` that starts on a character boundary. npos when none, or when
// `needle` is empty.
std::size_t find(std::string_view hay, std::string_view needle, std::size_t from = 0) noexcept;

// As find, with the Latin letters compared without case: A-Z and a-z, and
// their full-width forms (82 60-82 79, 82 81-82 9A).
std::size_t findIgnoreCase(std::string_view hay, std::string_view needle, std::size_t from = 0);

// Plain byte search (may match from a second byte); for the few rules that
// ask for exactly that.
std::size_t findBytes(std::string_view hay, std::string_view needle, std::size_t from = 0) noexcept;

inline bool contains(std::string_view hay, std::string_view needle) noexcept
{
    return find(hay, needle) != npos;
}

// Replaces every occurrence, left to right, never matching from a second byte.
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);

// Replaces every byte occurrence, left to right.
std::string replaceAllBytes(std::string_view s, std::string_view from, std::string_view to);

// Half-width digits 0-9 become full-width ０-９ (82 4F .. 82 58); second
// bytes of double-byte characters are left alone.
std::string digitsToFullWidth(std::string_view s);

// CP932 <-> UTF-8 through iconv "CP932"; conversion never fails. A CP932
// character without a Unicode mapping (85 40, a lone 80) becomes a private
// character of plane 15 that converts back to the same bytes; a lead byte
// without its second byte (at the end or before CR or LF) becomes U+FFFD.
// Any other character that cannot be converted to CP932, other private
// characters of plane 15 included, becomes "?".
std::string toUtf8(std::string_view cp932);
std::string fromUtf8(std::string_view utf8);

// CP932 <-> QString, for the screen.
QString toQString(std::string_view cp932);
std::string fromQString(const QString& s);

} // namespace sjis

// Japanese literals are written in UTF-8 in the sources and turned into CP932
// here: "該当の条文はありません"_sj.
std::string operator""_sj(const char* utf8, std::size_t len);
