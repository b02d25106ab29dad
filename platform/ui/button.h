// Push button (TButton). A focused button is pressed by Enter as by Space, in
// a dialog too, and a dialog has no default button that Enter would press
// from elsewhere.
#pragma once

#include <QPushButton>

namespace ui {

class Button : public QPushButton {
    Q_OBJECT
public:
    explicit Button(const QString& caption, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ui
