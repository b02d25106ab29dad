#include "platform/ui/status_bar.h"

#include "platform/text/sjis.h"

#include <QHBoxLayout>
#include <QLabel>

namespace ui {

std::string StatusPanel::Text() const
{
    return sjis::fromQString(label_->text());
}

void StatusPanel::SetText(std::string_view cp932)
{
    label_->setText(sjis::toQString(cp932));
}

int StatusPanel::Width() const
{
    return label_->minimumWidth();
}

StatusBar::StatusBar(QWidget* parent) : QFrame(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
}

StatusBar::~StatusBar() = default;

void StatusBar::AddPanel(int width)
{
    auto* layout = static_cast<QHBoxLayout*>(this->layout());
    // The panel added before this one stops at its own width.
    if (!panels_.empty()) {
        QWidget* last = layout->itemAt(layout->count() - 1)->widget();
        last->setMaximumWidth(last->minimumWidth());
        layout->setStretch(layout->count() - 1, 0);
    }
    auto* label = new QLabel(this);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(width);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label, 1);
    panels_.push_back(std::make_unique<StatusPanel>(label));
}

int StatusBar::PanelCount() const
{
    return static_cast<int>(panels_.size());
}

StatusPanel& StatusBar::Panels(int index)
{
    return *panels_.at(index);
}

} // namespace ui
