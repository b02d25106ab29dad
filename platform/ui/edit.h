// One-line edit (TEdit): text in CP932, tab stop, key-press event.
#pragma once

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

    KeyPressHandler OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ui
