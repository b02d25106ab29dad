#include "kubun_table.h"

namespace mkdata {

KubunTable KubunTable::read(const std::filesystem::path& file)
{
    KubunTable table;
    for (const SourceLine& line : readSourceLines(file)) {
        const std::string_view text = trimAscii(line.text);
        if (text.empty() || text.front() == '#')
            continue;
        const std::size_t codeEnd = text.find_first_of(" \t");
        const std::string_view rest =
            codeEnd == std::string_view::npos ? std::string_view() : trimAscii(text.substr(codeEnd));
        const std::size_t labelEnd = rest.find_first_of(" \t");
        Kubun k;
        if (!parseInt(text.substr(0, codeEnd), k.code) || k.code <= 0 || labelEnd == std::string_view::npos)
            throw SourceError(line.pos, "expected: code, label and official name");
        k.label = toCp932(rest.substr(0, labelEnd), line.pos);
        k.officialName = toCp932(trimAscii(rest.substr(labelEnd)), line.pos);
        if (table.byCode(k.code))
            throw SourceError(line.pos, "the code " + std::to_string(k.code) + " is listed twice");
        if (table.byLabel(k.label))
            throw SourceError(line.pos,
                              "the label " + std::string(rest.substr(0, labelEnd)) + " is listed twice");
        table.kubun_.push_back(std::move(k));
    }
    if (table.kubun_.empty())
        throw SourceError({file.string(), 0}, "no document codes");
    return table;
}

const Kubun* KubunTable::byLabel(std::string_view cp932Label) const
{
    for (const Kubun& k : kubun_)
        if (k.label == cp932Label)
            return &k;
    return nullptr;
}

const Kubun* KubunTable::byCode(int code) const
{
    for (const Kubun& k : kubun_)
        if (k.code == code)
            return &k;
    return nullptr;
}

} // namespace mkdata
