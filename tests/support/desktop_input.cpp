#include "desktop_input.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QTest>
#include <QWidget>

void PressKey(QWidget& target, int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    // Shortcuts get their chance first, as for a key from the desktop.
    QTest::sendKeyEvent(QTest::Click, &target, Qt::Key(key), text, modifiers);
}

void PressCtrl(QWidget& target, char letter)
{
    const char upper = static_cast<char>(letter & ~0x20);
    PressKey(target, Qt::Key_A + (upper - 'A'), Qt::ControlModifier, QString(QChar(char16_t(upper - '@'))));
}

void TypeText(QWidget& target, const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.toUpper().unicode();
        const bool named = (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '.';
        PressKey(target, named ? u : int(Qt::Key_unknown), {}, QString(c));
    }
}

void CommitText(QWidget& target, const QString& text)
{
    QInputMethodEvent committed;
    committed.setCommitString(text);
    QApplication::sendEvent(&target, &committed);
}

bool InputMethodAccepted(QWidget& control)
{
    control.setFocus();
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &control;
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(focus, &query);
    return query.value(Qt::ImEnabled).toBool();
}
