// One-line edit (TEdit): text in CP932, tab stop, key-press event, input-method mode.
#pragma once

#include "platform/ui/ime_mode.h"
#include "platform/ui/key_press.h"

#include <QLineEdit>

#include <string>
#include <string_view>

namespace ui {

class Edit : public QLineEdit {
    Q_OBJECT
public:
    explicit Edit(QWidget* parent = nullptr);

    std::string Text() const;
    void SetText(std::string_view cp932);
    // Not a tab stop: Tab passes it by, a click still focuses it.
    void SetTabStop(bool on);
    bool TabStop() const;
    void SetImeMode(ImeMode mode) { imeMode_ = mode; }

    KeyPressHandler OnKeyPress;

    using QLineEdit::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    ImeMode imeMode_ = ImeMode::Open;
};

} // namespace ui
