// Keys and input-method text as the X11 desktop delivers them: Ctrl+V is a
// key press whose text is "\x16", committed text is an input-method event,
// and the desktop's input method asks the focused control before composing.
#pragma once

#include <QString>
#include <Qt>

class QWidget;

// Press and release of `key` with the text the desktop gives it; a shortcut
// that the key stands for runs instead, as on the desktop.
void PressKey(QWidget& target, int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {});
// Ctrl + a letter: its text is the control character (Ctrl+C 3, Ctrl+V 22).
void PressCtrl(QWidget& target, char letter);
// Each character as its own key press (the key of a letter or digit, else unknown).
void TypeText(QWidget& target, const QString& text);
void CommitText(QWidget& target, const QString& text);
// Focuses `control` and asks, as the input method does, whether it may compose there.
bool InputMethodAccepted(QWidget& control);
