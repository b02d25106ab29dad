// Push button (TButton). A focused button is pressed by Enter as by Space, in
// a dialog too, and a dialog has no default button that Enter would press
// from elsewhere. Where its row is short of room the button narrows down to
// its caption, so that a long row of buttons does not widen its window.
#pragma once

#include <QPushButton>

namespace ui {

class Button : public QPushButton {
    Q_OBJECT
public:
    explicit Button(const QString& caption, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ui
