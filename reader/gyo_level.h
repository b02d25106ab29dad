// Item level of an article line, read from the line's leading characters;
// it decides the hanging indent of the line in the article rich text.
#pragma once

#include <cstddef>
#include <string_view>

// Level 0 to 9 of the line that starts at the 0-based byte `pos` of `text`;
// `previous` (the level of the line before) for the lines that continue it
// ("また", "なお"). An empty line, or `pos` past the end, is level 0.
int GyoLevelGet(std::string_view text, std::size_t pos, int previous);
