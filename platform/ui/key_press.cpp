#include "platform/ui/key_press.h"

#include "platform/text/sjis.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include <string>

namespace ui {
namespace {

// The characters of a key press, as the desktop reports them.
QString KeyText(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Backspace:
        return QStringLiteral("\b");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: // its text is DEL, but it deletes rather than types
        return {};
    default:
        return event.text();
    }
}

char KeyChar(const QString& character)
{
    if (character.size() == 1 && character[0].unicode() < 0x80)
        return static_cast<char>(character[0].unicode());
    const std::string cp932 = sjis::fromQString(character);
    return cp932.empty() ? '?' : cp932[0];
}

QString CharText(char key)
{
    if (static_cast<unsigned char>(key) < 0x80)
        return QString(QChar(char16_t(key)));
    return sjis::toQString(std::string(1, key));
}

int QtKey(const QString& text)
{
    if (text.size() != 1)
        return Qt::Key_unknown;
    switch (text[0].unicode()) {
    case 13: return Qt::Key_Return;
    case 8: return Qt::Key_Backspace;
    case 27: return Qt::Key_Escape;
    default: break;
    }
    return text[0].unicode() < 0x20 ? int(Qt::Key_unknown) : int(text[0].toUpper().unicode());
}

// Runs the handler on each character; false when it changed none.
bool Filter(const KeyPressHandler& handler, const QString& text, QString& kept)
{
    kept.clear();
    bool changed = false;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length;
        const char original = KeyChar(character);
        char key = original;
        handler(key);
        if (key == original) {
            kept += character;
            continue;
        }
        changed = true;
        if (key != 0)
            kept += CharText(key);
    }
    return changed;
}

} // namespace

void DeliverKeyPress(const KeyPressHandler& handler, QKeyEvent& event,
                     const std::function<void(QKeyEvent*)>& deliver)
{
    const QString text = KeyText(event);
    QString kept;
    if (!handler || text.isEmpty() || !Filter(handler, text, kept)) {
        deliver(&event);
        return;
    }
    if (kept.isEmpty())
        return;
    // A changed character is typed plainly: Ctrl+V turned into "1" must not paste.
    QKeyEvent replacement(QEvent::KeyPress, QtKey(kept), Qt::NoModifier, kept);
    deliver(&replacement);
}

void DeliverInputMethod(const KeyPressHandler& handler, QInputMethodEvent& event,
                        const std::function<void(QInputMethodEvent*)>& deliver)
{
    QString kept;
    if (!handler || event.commitString().isEmpty() || !Filter(handler, event.commitString(), kept)) {
        deliver(&event);
        return;
    }
    QInputMethodEvent replacement(event.preeditString(), event.attributes());
    replacement.setCommitString(kept, event.replacementStart(), event.replacementLength());
    deliver(&replacement);
}

bool IsEnterPress(const QKeyEvent& event)
{
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace ui
