#include "platform/db/sql_like.h"

#include "platform/text/sjis.h"

#include <sqlite3.h>

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace db {

namespace {

constexpr std::size_t kNoMatch = std::string_view::npos;

bool isLead(char c)
{
    return sjis::isLeadByte(static_cast<unsigned char>(c));
}

// Whether `pos` starts a character, given that `base` (<= pos) does. Every
// byte outside the lead-byte range ends a character, so only the run of
// lead-range bytes just before `pos` needs counting: they pair up.
bool startsCharacter(std::string_view s, std::size_t base, std::size_t pos)
{
    std::size_t q = pos;
    while (q > base && isLead(s[q - 1]))
        --q;
    return (pos - q) % 2 == 0;
}

// First occurrence of `needle` (two bytes or more) in `hay` at or after
// `from`, or kNoMatch. The texts are searched right after SQLite copied them,
// so they sit in the cache and the search itself sets the pace: sixteen
// places are tried at once on their first and last byte, and only places
// matching both are compared in full.
std::size_t findBytes(std::string_view hay, std::string_view needle, std::size_t from)
{
    const std::size_t n = needle.size();
    if (hay.size() < from + n)
        return kNoMatch;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i last = _mm_set1_epi8(needle.back());
    const char* base = hay.data();
    std::size_t i = from;
    for (; i + 16 + n - 1 <= hay.size(); i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i + n - 1));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        while (mask) {
            const unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
            if (std::memcmp(base + i + bit + 1, needle.data() + 1, n - 2) == 0)
                return i + bit;
            mask &= mask - 1;
        }
    }
    from = i;
#endif
    const void* hit = memmem(hay.data() + from, hay.size() - from, needle.data(), n);
    return hit ? static_cast<const char*>(hit) - hay.data() : kNoMatch;
}

// Position after `n` characters from `pos`, or kNoMatch past the end.
std::size_t skipChars(std::string_view s, std::size_t pos, int n)
{
    for (; n > 0; --n) {
        if (pos >= s.size())
            return kNoMatch;
        pos += sjis::charLength(s, pos);
    }
    return pos;
}

} // namespace

LikePattern::LikePattern(std::string_view pattern)
{
    segments_.emplace_back();
    for (std::size_t i = 0; i < pattern.size();) {
        const std::size_t n = sjis::charLength(pattern, i);
        Segment& seg = segments_.back();
        if (n == 1 && pattern[i] == '%') {
            if (i == 0)
                leadingPercent_ = true;
            if (i + 1 == pattern.size())
                trailingPercent_ = true;
            segments_.emplace_back();
        } else if (n == 1 && pattern[i] == '_') {
            if (seg.empty() || !seg.back().literal.empty())
                seg.emplace_back();
            ++seg.back().anyChars;
        } else {
            if (seg.empty() || seg.back().anyChars > 0)
                seg.emplace_back();
            seg.back().literal.append(pattern.substr(i, n));
        }
        i += n;
    }
}

// End of the segment matched at character start `pos`, or kNoMatch.
std::size_t LikePattern::matchAt(const Segment& seg, std::string_view value, std::size_t pos)
{
    for (const Piece& piece : seg) {
        if (piece.anyChars > 0) {
            pos = skipChars(value, pos, piece.anyChars);
            if (pos == kNoMatch)
                return kNoMatch;
        } else {
            if (value.size() - pos < piece.literal.size()
                || std::memcmp(value.data() + pos, piece.literal.data(), piece.literal.size()) != 0)
                return kNoMatch;
            pos += piece.literal.size();
        }
    }
    return pos;
}

// Leftmost match at or after character start `pos`; sets `pos` to its start
// and returns its end, or returns kNoMatch. Every piece consumes a fixed
// number of characters, so the leftmost match also ends first.
std::size_t LikePattern::findFrom(const Segment& seg, std::string_view value, std::size_t& pos)
{
    const std::string& lead = seg.front().literal;
    if (lead.empty()) { // starts with "_": try every character start
        for (; pos < value.size(); pos += sjis::charLength(value, pos)) {
            const std::size_t end = matchAt(seg, value, pos);
            if (end != kNoMatch)
                return end;
        }
        return kNoMatch;
    }
    std::size_t base = pos; // a known character start
    while (pos <= value.size()) {
        const std::size_t at = lead.size() == 1
                                   ? value.find(lead[0], pos)
                                   : findBytes(value, lead, pos);
        if (at == kNoMatch)
            return kNoMatch;
        if (!startsCharacter(value, base, at)) {
            base = pos = at + 1; // `at` was a second byte, so the next byte starts one
            continue;
        }
        const std::size_t end = seg.size() == 1 ? at + lead.size() : matchAt(seg, value, at);
        if (end != kNoMatch) {
            pos = at;
            return end;
        }
        base = pos = at + sjis::charLength(value, at);
    }
    return kNoMatch;
}

// The last segment when no "%" follows it: it must end with the value.
bool LikePattern::matchesTail(const Segment& seg, std::string_view value, std::size_t pos) const
{
    if (seg.size() == 1 && seg[0].anyChars == 0) { // fixed length: one place to look
        const std::string& lit = seg[0].literal;
        if (value.size() < pos + lit.size())
            return false;
        const std::size_t start = value.size() - lit.size();
        return startsCharacter(value, pos, start) && value.substr(start) == lit;
    }
    for (;; pos += sjis::charLength(value, pos)) {
        if (matchAt(seg, value, pos) == value.size())
            return true;
        if (pos >= value.size())
            return false;
    }
}

bool LikePattern::matches(std::string_view value) const
{
    const std::size_t count = segments_.size();
    if (count == 1) // no "%": the whole value
        return matchAt(segments_[0], value, 0) == value.size();

    std::size_t pos = 0;
    if (!segments_[0].empty()) {
        pos = matchAt(segments_[0], value, 0);
        if (pos == kNoMatch)
            return false;
    }
    const std::size_t middleEnd = trailingPercent_ ? count : count - 1;
    for (std::size_t i = 1; i < middleEnd; ++i) {
        if (segments_[i].empty())
            continue;
        const std::size_t end = findFrom(segments_[i], value, pos);
        if (end == kNoMatch)
            return false;
        pos = end;
    }
    return trailingPercent_ || matchesTail(segments_.back(), value, pos);
}

namespace {

std::string_view bytesOf(sqlite3_value* v)
{
    const auto* p = static_cast<const char*>(sqlite3_value_blob(v));
    return {p ? p : "", static_cast<std::size_t>(sqlite3_value_bytes(v))};
}

void likeFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return; // NULL, as SQL has it
    // The pattern is compiled once per statement: SQLite keeps it with the
    // bound parameter between rows.
    if (const auto* cached = static_cast<const LikePattern*>(sqlite3_get_auxdata(ctx, 0))) {
        sqlite3_result_int(ctx, cached->matches(bytesOf(argv[1])));
        return;
    }
    auto* pattern = new LikePattern(bytesOf(argv[0]));
    sqlite3_result_int(ctx, pattern->matches(bytesOf(argv[1])));
    // May free the pattern at once; it is not touched afterwards.
    sqlite3_set_auxdata(ctx, 0, pattern, [](void* p) { delete static_cast<LikePattern*>(p); });
}

} // namespace

void RegisterLike(sqlite3* db)
{
    sqlite3_create_function_v2(db, "like", 2,
                               SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                               &likeFunction, nullptr, nullptr, nullptr);
}

} // namespace db
