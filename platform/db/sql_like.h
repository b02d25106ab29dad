// LIKE over CP932 bytes: case-sensitive and byte-exact, "%" any run of
// characters, "_" exactly one character (one or two bytes). The pattern is
// read character by character, so the second byte of ソ (83 5C) or ダ (83 5F)
// is never taken for "\" or "_", and a match never starts on the second
// byte of a character of the value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace db {

class LikePattern {
public:
    explicit LikePattern(std::string_view pattern);
    bool matches(std::string_view value) const;

private:
    // A run between two "%": literal characters and "_" in turn.
    struct Piece {
        std::string literal; // whole characters; empty for a run of "_"
        int anyChars = 0;    // number of "_"
    };
    using Segment = std::vector<Piece>;

    static std::size_t matchAt(const Segment& seg, std::string_view value, std::size_t pos);
    static std::size_t findFrom(const Segment& seg, std::string_view value, std::size_t& pos);
    bool matchesTail(const Segment& seg, std::string_view value, std::size_t pos) const;

    std::vector<Segment> segments_;
    bool leadingPercent_ = false;
    bool trailingPercent_ = false;
};

// Installs like(pattern, value) on the connection in place of SQLite's own.
void RegisterLike(sqlite3* db);

} // namespace db
