#include "platform/ui/radio_group.h"

#include "platform/text/sjis.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

RadioGroup::RadioGroup(const std::string& caption, const std::vector<std::string>& items, QWidget* parent)
    : QGroupBox(sjis::toQString(caption), parent), group_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    for (const std::string& item : items) {
        auto* button = new QRadioButton(sjis::toQString(item), this);
        group_->addButton(button, Count());
        layout->addWidget(button);
    }
}

int RadioGroup::Count() const
{
    return static_cast<int>(group_->buttons().size());
}

int RadioGroup::ItemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* button = group_->button(index))
        button->setChecked(true);
}

QRadioButton* RadioGroup::Button(int index) const
{
    return qobject_cast<QRadioButton*>(group_->button(index));
}

} // namespace ui
