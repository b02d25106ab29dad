#include "platform/ui/combo_box.h"

#include "platform/text/sjis.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace ui {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    connect(this, &QComboBox::activated, this, &ComboBox::itemPickedByUser);
    connect(lineEdit(), &QLineEdit::textEdited, this, &ComboBox::textEditedByUser);
}

void ComboBox::SetItems(const std::vector<std::string>& items)
{
    const QSignalBlocker block(this);
    const QString text = currentText();
    clear();
    for (const std::string& item : items)
        addItem(sjis::toQString(item));
    setCurrentIndex(-1);
    setEditText(text);
}

std::vector<std::string> ComboBox::Items() const
{
    std::vector<std::string> items;
    items.reserve(count());
    for (int i = 0; i < count(); ++i)
        items.push_back(sjis::fromQString(itemText(i)));
    return items;
}

int ComboBox::ItemIndex() const
{
    return currentIndex();
}

void ComboBox::SetItemIndex(int index)
{
    const QSignalBlocker block(this);
    if (index < 0 || index >= count()) {
        // Like the class library: no selection leaves an empty edit field.
        setCurrentIndex(-1);
        setEditText(QString());
        return;
    }
    setCurrentIndex(index);
}

std::string ComboBox::Text() const
{
    return sjis::fromQString(currentText());
}

void ComboBox::SetText(std::string_view cp932)
{
    // As the form's stored text: shown in the edit field, no item selected.
    const QSignalBlocker block(this);
    setCurrentIndex(-1);
    setEditText(sjis::toQString(cp932));
}

void ComboBox::SetDropDownCount(int count)
{
    setMaxVisibleItems(count);
}

int ComboBox::DropDownCount() const
{
    return maxVisibleItems();
}

void ComboBox::keyPressEvent(QKeyEvent* event)
{
    DeliverKeyPress(OnKeyPress, *event, [this](QKeyEvent* e) { QComboBox::keyPressEvent(e); });
}

void ComboBox::inputMethodEvent(QInputMethodEvent* event)
{
    DeliverInputMethod(OnKeyPress, *event, [this](QInputMethodEvent* e) { QComboBox::inputMethodEvent(e); });
}

// The desktop's input method asks the combo, which stands for its edit field.
QVariant ComboBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled && imeMode_ == ImeMode::Close)
        return false;
    return QComboBox::inputMethodQuery(query);
}

void ComboBox::textEditedByUser(const QString& text)
{
    {
        // Selecting the matching item (or none) must keep what the user typed
        // and where the caret stands.
        const QSignalBlocker block(this);
        const int caret = lineEdit()->cursorPosition();
        setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
        if (currentText() != text)
            setEditText(text);
        lineEdit()->setCursorPosition(caret);
    }
    if (OnChange)
        OnChange();
}

void ComboBox::itemPickedByUser()
{
    if (OnChange)
        OnChange();
}

} // namespace ui
