// The Windows drives of the authoring data. "C:" and "D:" stand for folders
// (by default /mnt/c and /mnt/d); a path the program writes with a drive and
// backslashes ("C:\YpSyohi\Jyobun\Data") becomes a path below that folder.
// Tests point the drives at temporary folders here.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The folder drive `letter` ('C' or 'D', either case) stands for. Returns the
// one before; an empty path restores the default.
std::filesystem::path SetDriveFolder(char letter, const std::filesystem::path& folder);

// The CP932 file-system path of a program path: "X:" becomes the drive's
// folder and every "\" a "/". A path without a known drive only has its
// separators turned.
std::string DrivePath(std::string_view cp932ProgramPath);

} // namespace platform
