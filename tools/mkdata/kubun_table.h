// The document codes (KubunNo) with their short labels and official names,
// read from the source "kubun.txt".
#pragma once

#include "source_text.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mkdata {

struct Kubun {
    int code = 0;
    std::string label;        // CP932, as the scope combos show it ("消法")
    std::string officialName; // CP932 ("消費税法")
};

class KubunTable {
public:
    // One line per document: code, label and official name, separated by
    // blanks or tabs; "#" starts a comment line.
    static KubunTable read(const std::filesystem::path& file);

    const std::vector<Kubun>& all() const { return kubun_; }
    // nullptr when unknown.
    const Kubun* byLabel(std::string_view cp932Label) const;
    const Kubun* byCode(int code) const;

private:
    std::vector<Kubun> kubun_;
};

} // namespace mkdata
