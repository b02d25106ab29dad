#include "platform/ui/key_press.h"

#include <QKeyEvent>

namespace ui {
namespace {

char KeyChar(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = event.text();
    if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F)
        return static_cast<char>(text[0].unicode());
    return 0;
}

int QtKey(char key)
{
    switch (key) {
    case 13: return Qt::Key_Return;
    case 8: return Qt::Key_Backspace;
    case 27: return Qt::Key_Escape;
    default: break;
    }
    if (key >= 'a' && key <= 'z')
        return Qt::Key_A + (key - 'a');
    return static_cast<unsigned char>(key);
}

} // namespace

bool FilterKeyPress(const KeyPressHandler& handler, const QKeyEvent& event,
                    std::unique_ptr<QKeyEvent>& replacement)
{
    replacement.reset();
    const char original = KeyChar(event);
    if (!handler || original == 0)
        return false;
    char key = original;
    handler(key);
    if (key == original)
        return false;
    if (key != 0)
        replacement = std::make_unique<QKeyEvent>(QEvent::KeyPress, QtKey(key), event.modifiers(),
                                                  QString(QChar(char16_t(static_cast<unsigned char>(key)))));
    return true;
}

} // namespace ui
