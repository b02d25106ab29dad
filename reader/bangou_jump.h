// Jump by article number on a law tab: the typed number is brought into the
// form of the stored numbers and the tab's grid moves to that article.
#pragma once

#include <string>
#include <string_view>

// Normalises the number edit of law tab i (written back into the edit) and
// moves the tab's grid to the article with that Bangou.
void JyobunBangouJump(int i);

// The loosely typed number in the form of the stored numbers, under the
// scope label `scope` (the selected item of the tab's scope combo).
std::string BangouNormalize(std::string_view typed, std::string_view scope);
