// The run-time library's text-to-integer conversion of the authoring tools:
// a text that is no integer ends the action with its conversion error.
#pragma once

#include <string_view>

// Throws std::runtime_error "'<text>' は整数ではありません" (CP932).
int StrToInt(std::string_view cp932);
