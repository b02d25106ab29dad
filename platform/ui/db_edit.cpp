#include "platform/ui/db_edit.h"

#include "platform/db/source_link.h"
#include "platform/text/sjis.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextDocument>

namespace ui {

FieldBinding::FieldBinding(std::function<void(const std::string&)> show)
    : link_([this] { Reload(); }, [this] { Reload(); }), show_(std::move(show))
{
}

FieldBinding::~FieldBinding() = default;

void FieldBinding::SetDataSource(db::DataSource* source)
{
    if (link_.Bind(source))
        Reload();
}

void FieldBinding::SetDataField(std::string_view name)
{
    field_ = name;
    Reload();
}

std::string FieldBinding::FieldText() const
{
    db::Dataset* ds = link_.Source() ? link_.Source()->DataSet() : nullptr;
    if (!ds || !ds->Active() || field_.empty())
        return {};
    db::Field* f = ds->FindField(field_);
    // An empty dataset outside insert state has no row to show.
    const auto* table = dynamic_cast<db::Table*>(ds);
    if (!f || (ds->IsEmpty() && !(table && table->EditState() == db::Table::State::Insert)))
        return {};
    return f->AsString();
}

void FieldBinding::Reload()
{
    show_(FieldText());
}

void FieldBinding::Write(const std::string& text)
{
    db::Dataset* ds = link_.Source() ? link_.Source()->DataSet() : nullptr;
    if (!ds || !ds->Active() || field_.empty())
        return;
    auto* table = dynamic_cast<db::Table*>(ds);
    if (table && table->EditState() == db::Table::State::Browse) {
        if (table->IsEmpty()) {
            Reload(); // no row to write into: the typing is undone
            return;
        }
        table->Edit();
    }
    try {
        ds->FieldByName(field_).SetAsString(text);
    } catch (const db::Error&) {
        // Not a value of the field's type: the field keeps its value.
    }
}

// --- DBEdit

DBEdit::DBEdit(QWidget* parent)
    : Edit(parent), binding_([this](const std::string& text) { SetText(text); })
{
    connect(this, &QLineEdit::textEdited, this, [this] { binding_.Write(Text()); });
}

void DBEdit::SetFieldText(std::string_view cp932)
{
    SetText(cp932);
    binding_.Write(Text());
}

// --- DBRichEdit

DBRichEdit::DBRichEdit(QWidget* parent)
    : RichEdit(parent), binding_([this](const std::string& text) {
          loading_ = true;
          LoadPlainText(text);
          loading_ = false;
      })
{
    setAcceptRichText(false);
    connect(this, &QTextEdit::textChanged, this, [this] { userChanged(); });
}

void DBRichEdit::userChanged()
{
    if (loading_)
        return;
    if (maxLength_ > 0 && document()->characterCount() - 1 > maxLength_) {
        loading_ = true;
        undo();
        loading_ = false;
        return;
    }
    binding_.Write(Text());
}

void DBRichEdit::keyPressEvent(QKeyEvent* event)
{
    DeliverKeyPress(OnKeyPress, *event, [this](QKeyEvent* e) { RichEdit::keyPressEvent(e); });
}

void DBRichEdit::inputMethodEvent(QInputMethodEvent* event)
{
    DeliverInputMethod(OnKeyPress, *event, [this](QInputMethodEvent* e) { RichEdit::inputMethodEvent(e); });
}

} // namespace ui
