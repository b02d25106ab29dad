// Data-aware controls (TDBEdit, TDBRichEdit): a one-line edit and a plain-text
// rich edit that show one field of the current row of a data source's dataset
// and write what the user types into that field. Changing a field from code
// is not announced by the dataset layer: the program calls Reload().
#pragma once

#include "platform/db/source_link.h"
#include "platform/richedit/rich_edit.h"
#include "platform/ui/edit.h"
#include "platform/ui/key_press.h"

#include <memory>
#include <string>
#include <string_view>

namespace db {
class DataSource;
}

namespace ui {

// Ties a control to a field: loads it when the row or the dataset changes,
// writes it when the user edits (a table in browse state is put into edit
// state first; an empty table takes nothing, and the control shows its
// field again).
class FieldBinding {
public:
    FieldBinding(std::function<void(const std::string&)> show);
    ~FieldBinding();
    FieldBinding(const FieldBinding&) = delete;
    FieldBinding& operator=(const FieldBinding&) = delete;

    void SetDataSource(db::DataSource* source);
    db::DataSource* DataSource() const { return link_.Source(); }
    void SetDataField(std::string_view name);
    const std::string& DataField() const { return field_; }
    // The field's text of the current row ("" without an open dataset).
    std::string FieldText() const;
    void Reload();
    // A text that the field cannot hold (letters in a number field) is not
    // written; the field keeps its value.
    void Write(const std::string& text);

private:
    db::SourceBinding link_;
    std::function<void(const std::string&)> show_;
    std::string field_;
};

class DBEdit : public Edit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);

    void SetDataSource(db::DataSource* source) { binding_.SetDataSource(source); }
    void SetDataField(std::string_view name) { binding_.SetDataField(name); }
    const std::string& DataField() const { return binding_.DataField(); }
    // The field into the edit again (after the program changed it).
    void Reload() { binding_.Reload(); }
    // Text typed into the edit from code, written to the field as typing does.
    void SetFieldText(std::string_view cp932);

private:
    FieldBinding binding_;
};

class DBRichEdit : public RichEdit {
    Q_OBJECT
public:
    explicit DBRichEdit(QWidget* parent = nullptr);

    void SetDataSource(db::DataSource* source) { binding_.SetDataSource(source); }
    void SetDataField(std::string_view name) { binding_.SetDataField(name); }
    void Reload() { binding_.Reload(); }
    // Characters the text may hold; typing beyond is undone.
    void SetMaxLength(int characters) { maxLength_ = characters; }

    KeyPressHandler OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void userChanged();
    FieldBinding binding_;
    bool loading_ = false;
    int maxLength_ = 0;
};

} // namespace ui
