// Conversions between field values, texts and field types.
#pragma once

#include "platform/db/dataset.h"

#include <optional>
#include <string>
#include <string_view>

namespace db {

// Integers in decimal, floats in their shortest form, NULL as "".
std::string ValueText(const Value& v);

// `v` as a value of a field of type `type`; nullopt when it has no such
// form ("abc" for an integer field). NULL stays NULL.
std::optional<Value> ConvertValue(const Value& v, FieldType type);

// The field type of an SQLite column declaration ("INTEGER", "FLOAT", "TEXT", "MEMO").
FieldType TypeOfDeclaration(std::string_view declared);
// "INTEGER", "FLOAT", "TEXT", "MEMO", as the table files declare them.
const char* TypeName(FieldType type);
// Throws db::Error naming `field` and `file` unless a column declared
// `declared` ("INTEGER", "NUMERIC", "" ...) serves a field read as
// `expected`: integer keys must be integers, numbers may be either, texts
// may be read at once or on demand.
void RequireServes(const std::string& field, const std::string& file, std::string_view declared,
                   FieldType expected);

// Field names compare without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

// "Gyo;Sel" -> {"Gyo", "Sel"}; empty parts are dropped.
std::vector<std::string> SplitFieldNames(std::string_view names);

} // namespace db
