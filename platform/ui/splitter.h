// Splitter (TSplitter): a thin bar that resizes the control beside it by
// dragging. A horizontal bar changes that control's height, a vertical bar
// its width. The control keeps its size when the window is resized.
#pragma once

#include <QWidget>

#include <functional>

namespace ui {

class Splitter : public QWidget {
    Q_OBJECT
public:
    // `orientation` is the bar's: Qt::Horizontal lies between stacked controls.
    explicit Splitter(Qt::Orientation orientation, QWidget* parent = nullptr);

    // `control` is resized; it lies before the bar (above, left) or after it.
    // `opposite` lies on the other side and gives up the space.
    void SetControls(QWidget* control, QWidget* opposite, bool controlBefore);
    // Neither side becomes smaller than this.
    void SetMinSize(int size);

    std::function<void()> OnMoved;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int along(const QPoint& p) const;
    int sizeOf(const QWidget* w) const;
    Qt::Orientation orientation_;
    QWidget* control_ = nullptr;
    QWidget* opposite_ = nullptr;
    bool controlBefore_ = true;
    int minSize_ = 30;
    bool dragging_ = false;
    int dragStart_ = 0;
    int startSize_ = 0;
    int startTotal_ = 0;
};

} // namespace ui
