#include "platform/app/text_file.h"

#include "platform/text/sjis.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

QString FilePath(std::string_view cp932Name)
{
    return sjis::toQString(cp932Name);
}

bool FileExists(std::string_view cp932Name)
{
    return QFileInfo(FilePath(cp932Name)).isFile();
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> LoadLines(std::string_view cp932Name)
{
    QFile file(FilePath(cp932Name));
    if (!file.open(QIODevice::ReadOnly))
        throw FileError("Cannot open file " + std::string(cp932Name));
    const QByteArray bytes = file.readAll();
    return SplitLines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void SaveLines(std::string_view cp932Name, const std::vector<std::string>& lines)
{
    QFile file(FilePath(cp932Name));
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())
        || !file.flush())
        throw FileError("Cannot create file " + std::string(cp932Name));
}

} // namespace platform
