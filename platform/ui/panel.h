// Panel (TPanel): a container. A panel aligned to the top or bottom of its
// parent has a fixed height that only the program and a splitter change; one
// aligned left has a fixed width.
#pragma once

#include <QFrame>

namespace ui {

class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr);

    // The set height (or width), also while the panel is not laid out.
    int Height() const;
    void SetHeight(int height);
    int Width() const;
    void SetWidth(int width);
};

} // namespace ui
