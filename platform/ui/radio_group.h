// Radio group (TRadioGroup): a titled box of radio buttons, one per item,
// read and set through the index of the checked item.
#pragma once

#include <QGroupBox>

#include <string>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // Caption and items in CP932; no item checked until ItemIndex is set.
    RadioGroup(const std::string& caption, const std::vector<std::string>& items, QWidget* parent = nullptr);

    int Count() const;
    // The checked item, -1 when none is.
    int ItemIndex() const;
    // An index outside the items changes nothing.
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const;

private:
    QButtonGroup* group_;
};

} // namespace ui
