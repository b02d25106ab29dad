#include "platform/app/drives.h"

#include "platform/text/sjis.h"

#include <cctype>
#include <map>
#include <utility>

namespace platform {

namespace {

std::filesystem::path DefaultFolder(char letter)
{
    return std::filesystem::path("/mnt") / std::string(1, letter);
}

std::map<char, std::filesystem::path>& Folders()
{
    static std::map<char, std::filesystem::path> folders = {{'c', DefaultFolder('c')},
                                                            {'d', DefaultFolder('d')}};
    return folders;
}

} // namespace

std::filesystem::path SetDriveFolder(char letter, const std::filesystem::path& folder)
{
    const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    std::filesystem::path& slot = Folders()[key];
    return std::exchange(slot, folder.empty() ? DefaultFolder(key) : folder);
}

std::string DrivePath(std::string_view cp932ProgramPath)
{
    std::string rest(cp932ProgramPath);
    std::string root;
    if (rest.size() >= 2 && rest[1] == ':') {
        const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(rest[0])));
        const auto it = Folders().find(key);
        if (it != Folders().end()) {
            root = sjis::fromUtf8(it->second.string());
            rest.erase(0, 2);
        }
    }
    // Byte replacement would break a double-byte character whose second byte
    // is 5C (表, ソ); only separators on character boundaries turn.
    rest = sjis::replaceAll(rest, "\\", "/");
    if (!root.empty() && !rest.empty() && rest.front() != '/' && root.back() != '/')
        root += '/';
    return root + rest;
}

} // namespace platform
