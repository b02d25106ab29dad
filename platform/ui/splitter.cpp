#include "platform/ui/splitter.h"

#include <QMouseEvent>

#include <algorithm>

namespace ui {

Splitter::Splitter(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation)
{
    if (orientation == Qt::Horizontal) {
        setFixedHeight(4);
        setCursor(Qt::SplitVCursor);
    } else {
        setFixedWidth(4);
        setCursor(Qt::SplitHCursor);
    }
}

void Splitter::SetControls(QWidget* control, QWidget* opposite, bool controlBefore)
{
    control_ = control;
    opposite_ = opposite;
    controlBefore_ = controlBefore;
}

void Splitter::SetMinSize(int size)
{
    minSize_ = size;
}

int Splitter::along(const QPoint& p) const
{
    return orientation_ == Qt::Horizontal ? p.y() : p.x();
}

int Splitter::sizeOf(const QWidget* w) const
{
    return orientation_ == Qt::Horizontal ? w->height() : w->width();
}

void Splitter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !control_)
        return;
    dragging_ = true;
    dragStart_ = along(event->globalPosition().toPoint());
    startSize_ = sizeOf(control_);
    startTotal_ = startSize_ + (opposite_ ? sizeOf(opposite_) : 0);
}

void Splitter::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    const int delta = along(event->globalPosition().toPoint()) - dragStart_;
    int size = controlBefore_ ? startSize_ + delta : startSize_ - delta;
    if (opposite_)
        size = std::min(size, startTotal_ - minSize_);
    size = std::max(size, minSize_);
    if (orientation_ == Qt::Horizontal)
        control_->setFixedHeight(size);
    else
        control_->setFixedWidth(size);
}

void Splitter::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    if (OnMoved)
        OnMoved();
}

} // namespace ui
