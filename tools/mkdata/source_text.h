// Reading the readable UTF-8 sources: lines with their numbers, conversion
// to CP932, and errors that name the file and the line.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mkdata {

// Where a piece of source stands; line 0 means the file as a whole.
struct SourcePos {
    std::string file;
    int line = 0;
};

// A fault in the sources. what() reads "file:line: message" (UTF-8).
class SourceError : public std::runtime_error {
public:
    SourceError(const SourcePos& pos, const std::string& message);
};

struct SourceLine {
    SourcePos pos;
    std::string text; // UTF-8, without the line break
};

// All lines of a UTF-8 text file (a leading BOM and CR before LF dropped).
std::vector<SourceLine> readSourceLines(const std::filesystem::path& file);

// UTF-8 to CP932; a character CP932 cannot hold is an error at `pos`.
std::string toCp932(std::string_view utf8, const SourcePos& pos);

// Blanks and tabs are separators in the sources; the ideographic space is text.
std::string_view trimAscii(std::string_view s);

// Splits at every `sep`, each part trimmed of ASCII blanks.
std::vector<std::string_view> splitTrimmed(std::string_view s, char sep);

// Whole decimal integer (optionally negative); false when `s` is anything else.
bool parseInt(std::string_view s, int& out);

} // namespace mkdata
