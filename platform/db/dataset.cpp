#include "platform/db/dataset.h"

#include "platform/db/dataset_impl.h"
#include "platform/db/filter.h"
#include "platform/db/values.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace db {

std::string JoinLines(const StringList& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// --- Dataset::Impl, the shared part

Cursor& Dataset::Impl::rows()
{
    if (!cursor)
        throw Error("Cannot perform this operation on a closed dataset: " + label());
    return *cursor;
}

bool Dataset::Impl::editValue(int, Value&)
{
    return false;
}

bool Dataset::Impl::editValueAt(int, int, Value&)
{
    return false;
}

void Dataset::Impl::setEditValue(int, Value)
{
    throw Error("Dataset not in edit or insert mode: " + label());
}

std::unique_ptr<db::Filter> Dataset::Impl::activeFilter() const
{
    if (!filtered || filterText.find_first_not_of(' ') == std::string::npos)
        return nullptr;
    auto filter = std::make_unique<db::Filter>(filterText);
    filter->bind([this](const std::string& name) {
        const int f = fieldIndex(name);
        if (f < 0 || columns[f] < 0)
            throw Error("Field '" + name + "' not found in " + label());
        const FieldType t = fields[f]->DataType();
        if (t != FieldType::Integer && t != FieldType::Float)
            throw Error("Field '" + name + "' is no number field: " + label());
        return columns[f];
    });
    return filter;
}

void Dataset::Impl::install(std::unique_ptr<Cursor> c)
{
    const auto filter = activeFilter();
    if (filter)
        c->setFilter(filter.get());
    cursor = std::move(c);
    toFirst();
}

void Dataset::Impl::refilter()
{
    const auto filter = activeFilter(); // throws before anything changes
    cursor->setFilter(filter.get());
    toFirst();
}

void Dataset::Impl::toFirst()
{
    cursor->first();
    bof = true;
    eof = cursor->empty();
}

Dataset::Impl::Position Dataset::Impl::position()
{
    if (!cursor || cursor->empty())
        return {false, 0};
    return {true, cursor->rowId()};
}

void Dataset::Impl::moved(const Position& before)
{
    if (position() == before)
        return;
    notifyRecordChanged();
    if (self.AfterScroll)
        self.AfterScroll(self);
}

void Dataset::Impl::reloaded()
{
    notifyDataSetChanged();
    if (self.AfterScroll && cursor)
        self.AfterScroll(self);
}

// A source may be switched to another dataset while its links are told.
void Dataset::Impl::notifyRecordChanged()
{
    if (disabled > 0)
        return;
    for (DataSource* s : std::vector(sources))
        if (s->DataSet() == &self)
            s->notifyRecordChanged();
}

void Dataset::Impl::notifyDataSetChanged()
{
    if (disabled > 0)
        return;
    for (DataSource* s : std::vector(sources))
        if (s->DataSet() == &self)
            s->notifyDataSetChanged();
}

int Dataset::Impl::fieldIndex(std::string_view name) const
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (SameName(fields[i]->FieldName(), name))
            return static_cast<int>(i);
    return -1;
}

int Dataset::Impl::requireField(std::string_view name) const
{
    const int f = fieldIndex(name);
    if (f < 0)
        throw Error("Field '" + std::string(name) + "' not found in " + label());
    return f;
}

int Dataset::Impl::dataColumn(std::string_view name)
{
    const int f = requireField(name);
    if (columns[f] < 0)
        throw Error("Field '" + std::string(name) + "' is a lookup field: " + label());
    return columns[f];
}

Field& Dataset::Impl::addField(std::string name, FieldType type)
{
    fields.emplace_back(new Field(&self, std::move(name), type, static_cast<int>(fields.size())));
    return *fields.back();
}

Field& Dataset::Impl::addLookupField(std::string name, FieldType type, std::string keyField,
                                     std::string lookupKeyField, std::string resultField)
{
    Field& f = addField(std::move(name), type);
    f.keyField_ = std::move(keyField);
    f.lookupKeyField_ = std::move(lookupKeyField);
    f.resultField_ = std::move(resultField);
    columns.push_back(-1);
    return f;
}

void Dataset::Impl::dropLeadingFields(int count)
{
    fields.erase(fields.begin(), fields.begin() + count);
    columns.erase(columns.begin(), columns.begin() + count);
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i]->index_ = static_cast<int>(i);
}

void Dataset::Impl::replaceLeadingFields(int count,
                                         const std::vector<std::pair<std::string, FieldType>>& fresh)
{
    dropLeadingFields(count);
    const auto kept = static_cast<std::ptrdiff_t>(fields.size());
    for (std::size_t c = 0; c < fresh.size(); ++c) {
        addField(fresh[c].first, fresh[c].second);
        columns.push_back(static_cast<int>(c));
    }
    std::rotate(fields.begin(), fields.begin() + kept, fields.end());
    std::rotate(columns.begin(), columns.begin() + kept, columns.end());
    dropLeadingFields(0);
}

void Dataset::Impl::writeField(const Field& f, Value v)
{
    if (f.IsLookup())
        throw Error("Field '" + f.FieldName() + "' is a lookup field and cannot be modified: "
                    + label());
    setEditValue(f.Index(), std::move(v));
}

// Lookups follow the key as edited.
Value Dataset::Impl::fieldValue(int field)
{
    Cursor& c = rows();
    const Field& f = *fields[field];
    if (f.IsLookup())
        return lookupValue(f, fieldValue(requireField(f.keyField_)));
    Value v;
    if (editValue(field, v))
        return v;
    return c.empty() ? Value{} : c.value(columns[field]);
}

Value Dataset::Impl::fieldValueAt(int row, int field)
{
    Cursor& c = rows();
    const Field& f = *fields[field];
    if (f.IsLookup())
        return lookupValue(f, fieldValueAt(row, requireField(f.keyField_)));
    Value v;
    if (editValueAt(row, field, v))
        return v;
    return c.valueAt(row, columns[field]);
}

Value Dataset::Impl::lookupValue(const Field& f, const Value& key)
{
    Dataset* ds = f.lookupDataSet_;
    if (!ds || !ds->Active())
        return {};
    Impl& other = *ds->d_;
    const int keyColumn = other.dataColumn(f.lookupKeyField_);
    const int resultColumn = other.dataColumn(f.resultField_);
    const auto typedKey =
        ConvertValue(key, other.fields[other.requireField(f.lookupKeyField_)]->DataType());
    if (!typedKey)
        return {};
    return other.cursor->lookup(keyColumn, *typedKey, resultColumn);
}

// --- Dataset

Dataset::Dataset(std::string name) : name_(std::move(name)) {}

Dataset::~Dataset()
{
    for (DataSource* s : std::exchange(d_->sources, {})) {
        s->dataSet_ = nullptr;
        s->notifyDataSetChanged();
    }
}

bool Dataset::Active() const
{
    return d_->cursor != nullptr;
}

void Dataset::Open()
{
    if (Active())
        return;
    d_->install(d_->readRows());
    d_->reloaded();
}

void Dataset::Close()
{
    if (!Active())
        return;
    // Closing never drops what was typed: a post that fails leaves the
    // dataset open with its edits.
    d_->commitEdits();
    d_->closing();
    d_->cursor.reset();
    d_->bof = d_->eof = true;
    d_->notifyDataSetChanged();
}

void Dataset::First()
{
    d_->commitEdits();
    d_->rows();
    const auto before = d_->position();
    d_->toFirst();
    d_->moved(before);
}

void Dataset::Next()
{
    d_->commitEdits(); // may read the rows again: the cursor is taken after it
    Cursor& c = d_->rows();
    const auto before = d_->position();
    if (c.next())
        d_->bof = d_->eof = false;
    else
        d_->eof = true;
    d_->moved(before);
}

void Dataset::Prior()
{
    d_->commitEdits(); // may read the rows again: the cursor is taken after it
    Cursor& c = d_->rows();
    const auto before = d_->position();
    if (c.prior())
        d_->bof = d_->eof = false;
    else
        d_->bof = true;
    d_->moved(before);
}

void Dataset::Last()
{
    d_->commitEdits(); // may read the rows again: the cursor is taken after it
    Cursor& c = d_->rows();
    const auto before = d_->position();
    c.last();
    d_->eof = true;
    d_->bof = c.empty();
    d_->moved(before);
}

bool Dataset::Eof() const
{
    return d_->eof;
}

bool Dataset::Bof() const
{
    return d_->bof;
}

bool Dataset::IsEmpty() const
{
    return !d_->cursor || d_->cursor->empty();
}

bool Dataset::Locate(std::string_view fields, const std::vector<Value>& values)
{
    d_->rows();
    const std::vector<std::string> names = SplitFieldNames(fields);
    if (names.empty() || names.size() != values.size())
        throw Error("Locate needs one value per field: " + std::string(fields));
    std::vector<int> columns;
    std::vector<Value> typed;
    for (std::size_t i = 0; i < names.size(); ++i) {
        columns.push_back(d_->dataColumn(names[i]));
        const auto v = ConvertValue(values[i], FieldByName(names[i]).DataType());
        if (!v)
            return false; // "abc" is in no integer field
        typed.push_back(*v);
    }
    d_->commitEdits();
    Cursor& c = d_->rows();
    const auto before = d_->position();
    if (!c.locate(columns, typed))
        return false;
    d_->bof = d_->eof = false;
    d_->moved(before);
    return true;
}

Field& Dataset::FieldByName(std::string_view name)
{
    return *d_->fields[d_->requireField(name)];
}

Field* Dataset::FindField(std::string_view name)
{
    const int i = d_->fieldIndex(name);
    return i < 0 ? nullptr : d_->fields[i].get();
}

int Dataset::FieldCount() const
{
    return static_cast<int>(d_->fields.size());
}

Field& Dataset::Fields(int index)
{
    if (index < 0 || index >= FieldCount())
        throw Error("Field index out of range: " + d_->label());
    return *d_->fields[index];
}

const std::string& Dataset::Filter() const
{
    return d_->filterText;
}

void Dataset::SetFilter(std::string_view text)
{
    const std::string old = std::exchange(d_->filterText, std::string(text));
    if (!Active() || !d_->filtered)
        return;
    try {
        d_->commitEdits();
        d_->refilter();
    } catch (...) {
        d_->filterText = old;
        throw;
    }
    d_->reloaded();
}

bool Dataset::Filtered() const
{
    return d_->filtered;
}

void Dataset::SetFiltered(bool on)
{
    const bool old = std::exchange(d_->filtered, on);
    // Only a change re-reads the rows and moves to the first one.
    if (!Active() || on == old)
        return;
    try {
        d_->commitEdits();
        d_->refilter();
    } catch (...) {
        d_->filtered = old;
        throw;
    }
    d_->reloaded();
}

void Dataset::Refresh()
{
    d_->rows();
    d_->commitEdits();
    if (d_->stale()) {
        const auto before = d_->position();
        d_->install(d_->readRows());
        if (before.hasRow && d_->cursor->seekRow(before.rowId))
            d_->bof = d_->eof = false;
    }
    d_->reloaded();
}

void Dataset::DisableControls()
{
    ++d_->disabled;
}

void Dataset::EnableControls()
{
    if (d_->disabled > 0 && --d_->disabled == 0)
        d_->notifyDataSetChanged();
}

bool Dataset::ControlsDisabled() const
{
    return d_->disabled > 0;
}

int Dataset::RecordCount() const
{
    return d_->cursor ? d_->cursor->count() : 0;
}

int Dataset::RecNo() const
{
    return IsEmpty() ? -1 : d_->cursor->recNo();
}

void Dataset::MoveTo(int row)
{
    if (row < 0 || row >= d_->rows().count())
        return;
    d_->commitEdits();
    Cursor& c = d_->rows();
    if (row >= c.count())
        return;
    const auto before = d_->position();
    c.moveTo(row);
    d_->bof = d_->eof = false;
    d_->moved(before);
}

Value Dataset::ValueAt(int row, int field) const
{
    if (field < 0 || field >= FieldCount())
        throw Error("Field index out of range: " + d_->label());
    return d_->fieldValueAt(row, field);
}

void Dataset::AddLookupField(std::string_view name, FieldType type, std::string_view keyField,
                             std::string_view lookupKeyField, std::string_view resultField)
{
    if (Active())
        throw Error("Cannot perform this operation on an open dataset: " + d_->label());
    d_->addLookupField(std::string(name), type, std::string(keyField), std::string(lookupKeyField),
                       std::string(resultField));
}

// --- Field

Value Field::AsValue() const
{
    return owner_->d_->fieldValue(index_);
}

bool Field::IsNull() const
{
    return std::holds_alternative<std::monostate>(AsValue());
}

std::string Field::AsString() const
{
    return ValueText(AsValue());
}

std::int64_t Field::AsInteger() const
{
    const Value v = AsValue();
    if (const auto* f = std::get_if<double>(&v))
        return std::llround(*f);
    if (const auto* s = std::get_if<std::string>(&v); s && s->empty())
        return 0;
    const auto i = ConvertValue(v, FieldType::Integer);
    if (!i)
        throw Error("'" + std::get<std::string>(v) + "' is not a valid integer value: " + name_);
    return std::holds_alternative<std::monostate>(*i) ? 0 : std::get<std::int64_t>(*i);
}

double Field::AsFloat() const
{
    const Value v = AsValue();
    if (const auto* s = std::get_if<std::string>(&v); s && s->empty())
        return 0;
    const auto f = ConvertValue(v, FieldType::Float);
    if (!f)
        throw Error("'" + std::get<std::string>(v) + "' is not a valid floating point value: "
                    + name_);
    return std::holds_alternative<std::monostate>(*f) ? 0 : std::get<double>(*f);
}

void Field::SetAsString(std::string_view v)
{
    if (v.empty() && type_ != FieldType::Text && type_ != FieldType::Memo) {
        Clear(); // an emptied number field holds no value
        return;
    }
    const auto typed = ConvertValue(std::string(v), type_);
    if (!typed)
        throw Error("'" + std::string(v) + "' is not a valid "
                    + (type_ == FieldType::Integer ? "integer" : "floating point")
                    + " value for field '" + name_ + "'");
    owner_->d_->writeField(*this, *typed);
}

void Field::SetAsInteger(std::int64_t v)
{
    owner_->d_->writeField(*this, *ConvertValue(v, type_));
}

void Field::SetAsFloat(double v)
{
    const auto typed = ConvertValue(v, type_);
    if (!typed)
        throw Error(ValueText(v) + " is not a valid integer value: " + name_);
    owner_->d_->writeField(*this, *typed);
}

void Field::Clear()
{
    owner_->d_->writeField(*this, Value{});
}

} // namespace db
