// Button with a glyph above its caption (TBitBtn on the button panel). The
// glyph comes with the form or from a Windows bitmap file. Enter presses a
// focused button, as Space does.
#pragma once

#include <QToolButton>

#include <string>
#include <string_view>

namespace ui {

class ToolButton : public QToolButton {
    Q_OBJECT
public:
    explicit ToolButton(QWidget* parent = nullptr);

    std::string Caption() const;
    void SetCaption(std::string_view cp932);
    // The hint also shows as the button's tool tip.
    void SetHint(std::string_view cp932);
    void SetGlyph(const QIcon& glyph);
    // A bitmap file in the current directory; its lower-left pixel's colour is
    // transparent and a strip of square images gives its first one. False
    // (and the glyph kept) when the file cannot be read as an image.
    bool LoadGlyph(std::string_view cp932FileName);

signals:
    // Any button pressed over the button, after the button has handled it;
    // `pos` is relative to the button.
    void mousePressed(Qt::MouseButton button, QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ui
