// Text files of CP932 lines in the current directory, read and written as
// the class library's string lists do. File names are the program's CP932
// names; on disk they are UTF-8.
#pragma once

#include <QString>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A file that cannot be read or written; what() is a CP932 message naming it.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The name on disk of a program's file name.
QString FilePath(std::string_view cp932Name);
bool FileExists(std::string_view cp932Name);

// The lines of a text: CR LF, a lone LF and a lone CR each end a line; a
// break at the very end adds no line.
std::vector<std::string> SplitLines(std::string_view text);
// The lines of a text file, split as SplitLines does. Throws FileError.
std::vector<std::string> LoadLines(std::string_view cp932Name);
// Writes each line followed by CR LF. Throws FileError.
void SaveLines(std::string_view cp932Name, const std::vector<std::string>& lines);

} // namespace platform
