// A long generated article of about 60 KB: brackets, quotations, item
// levels, a table character whose second byte is a backslash, key words and
// links to another article.
#pragma once

#include "reader/honbun_rtf.h"

#include <string>
#include <vector>

namespace bench {

struct LongArticle {
    std::string Honbun;
    std::vector<LinkSpan> Links;
    std::string Key1; // the key words shown coloured
    std::string Key2;
    // The article's rich text as the builder makes it.
    std::string Document(RtfMode mode) const;
};

// Made once.
const LongArticle& GeneratedArticle();

} // namespace bench
