#include "authoring/str_to_int.h"

#include "platform/text/sjis.h"

#include <charconv>
#include <stdexcept>
#include <string>

int StrToInt(std::string_view cp932)
{
    // Blanks around the digits are allowed, as the library allows them.
    const std::size_t b = cp932.find_first_not_of(' ');
    const std::size_t e = cp932.find_last_not_of(' ');
    const std::string_view digits =
        b == std::string_view::npos ? std::string_view{} : cp932.substr(b, e - b + 1);
    int value = 0;
    const char* first = digits.data();
    const char* last = digits.data() + digits.size();
    if (!digits.empty() && *first == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (digits.empty() || first == last || error != std::errc() || end != last)
        throw std::runtime_error("'" + std::string(cp932) + "' " + "は整数ではありません"_sj);
    return value;
}
