// Drop-down combo with an edit field (TComboBox, csDropDown). Items and text
// in CP932. Setting the item index from code runs no change handler; OnChange
// fires only for a change the user makes: picking an item or editing the text.
// Typing leaves the item selected that equals the text exactly, else none.
#pragma once

#include "platform/ui/ime_mode.h"
#include "platform/ui/key_press.h"

#include <QComboBox>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    void SetItems(const std::vector<std::string>& items);
    std::vector<std::string> Items() const;
    // -1 when no item is selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The edit field.
    std::string Text() const;
    void SetText(std::string_view cp932);
    // Lines the opened list shows without scrolling.
    void SetDropDownCount(int count);
    int DropDownCount() const;
    void SetImeMode(ImeMode mode) { imeMode_ = mode; }

    std::function<void()> OnChange;
    KeyPressHandler OnKeyPress;

    using QComboBox::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void textEditedByUser(const QString& text);
    void itemPickedByUser();
    ImeMode imeMode_ = ImeMode::Open;
};

} // namespace ui
