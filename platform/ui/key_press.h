// The class library's key-press event: every character a key or the input
// method produces, one at a time, as the one-byte character the program's
// handlers test: Enter 13, Backspace 8, Escape 27, control characters as
// their codes (Ctrl+C 3, Ctrl+V 22), ASCII and half-width kana as their CP932
// byte, any other character as the lead byte of its CP932 form ('?' when
// CP932 has none). Keys that make no character (arrows, Delete, Tab) do not
// reach the handler. The handler may change the character or set it to 0 to
// swallow it.
#pragma once

#include <functional>

class QInputMethodEvent;
class QKeyEvent;

namespace ui {

using KeyPressHandler = std::function<void(char& key)>;

// Runs `handler` on the characters of `event`, then hands `deliver` what the
// control is to handle: the event itself, an event with the characters the
// handler let through or changed, or nothing when it swallowed them all.
void DeliverKeyPress(const KeyPressHandler& handler, QKeyEvent& event,
                     const std::function<void(QKeyEvent*)>& deliver);

// The same for text the input method commits.
void DeliverInputMethod(const KeyPressHandler& handler, QInputMethodEvent& event,
                        const std::function<void(QInputMethodEvent*)>& deliver);

// Enter or the keypad's Enter with no modifier: the key that presses a
// focused button.
bool IsEnterPress(const QKeyEvent& event);

} // namespace ui
