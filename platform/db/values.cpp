#include "platform/db/values.h"

#include "platform/text/sjis.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace db {

std::string ValueText(const Value& v)
{
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return std::to_string(*i);
    if (const auto* f = std::get_if<double>(&v)) {
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, *f);
        return std::string(buf, r.ptr);
    }
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    return {};
}

namespace {

template <typename T>
std::optional<T> parseWhole(const std::string& s)
{
    const char* first = s.data() + (!s.empty() && s[0] == '+' ? 1 : 0);
    T v{};
    const auto r = std::from_chars(first, s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || first == s.data() + s.size())
        return std::nullopt;
    return v;
}

} // namespace

std::optional<Value> ConvertValue(const Value& v, FieldType type)
{
    if (std::holds_alternative<std::monostate>(v))
        return v;
    switch (type) {
    case FieldType::Integer:
        if (std::holds_alternative<std::int64_t>(v))
            return v;
        if (const auto* f = std::get_if<double>(&v)) {
            if (std::trunc(*f) == *f && std::abs(*f) < 9.2e18)
                return static_cast<std::int64_t>(*f);
            return std::nullopt;
        }
        if (auto i = parseWhole<std::int64_t>(std::get<std::string>(v)))
            return *i;
        return std::nullopt;
    case FieldType::Float:
        if (const auto* i = std::get_if<std::int64_t>(&v))
            return static_cast<double>(*i);
        if (std::holds_alternative<double>(v))
            return v;
        if (auto f = parseWhole<double>(std::get<std::string>(v)))
            return *f;
        return std::nullopt;
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return ValueText(v);
}

FieldType TypeOfDeclaration(std::string_view declared)
{
    std::string d(declared);
    for (char& c : d)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto has = [&](const char* word) { return d.find(word) != std::string::npos; };
    if (has("INT"))
        return FieldType::Integer;
    if (has("FLOA") || has("REAL") || has("DOUB"))
        return FieldType::Float;
    if (has("MEMO"))
        return FieldType::Memo;
    return FieldType::Text;
}

const char* TypeName(FieldType type)
{
    switch (type) {
    case FieldType::Integer: return "INTEGER";
    case FieldType::Float: return "FLOAT";
    case FieldType::Text: return "TEXT";
    case FieldType::Memo: break;
    }
    return "MEMO";
}

void RequireServes(const std::string& field, const std::string& file, std::string_view declared,
                   FieldType expected)
{
    const FieldType type = TypeOfDeclaration(declared);
    bool serves = type == FieldType::Text || type == FieldType::Memo;
    if (expected == FieldType::Integer)
        serves = type == FieldType::Integer;
    else if (expected == FieldType::Float)
        serves = type == FieldType::Integer || type == FieldType::Float;
    if (serves)
        return;
    std::string as(declared);
    for (char& c : as)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    throw Error("Field '" + field + "' in " + file + " is declared " + (as.empty() ? "without a type" : as)
                + ", not " + TypeName(expected));
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    // Only single-byte letters fold: second bytes of CP932 characters may
    // look like ASCII letters.
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t n = sjis::charLength(a, i);
        if (n == 2) {
            if (a.compare(i, 2, b.substr(i, 2)) != 0)
                return false;
        } else if (std::tolower(static_cast<unsigned char>(a[i]))
                   != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
        i += n;
    }
    return true;
}

std::vector<std::string> SplitFieldNames(std::string_view names)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= names.size()) {
        std::size_t end = names.find(';', start);
        if (end == std::string_view::npos)
            end = names.size();
        std::string_view part = names.substr(start, end - start);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        if (!part.empty())
            out.emplace_back(part);
        start = end + 1;
    }
    return out;
}

} // namespace db
