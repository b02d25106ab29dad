// The class library's key-press event: the key as one character (Enter 13,
// Backspace 8, Escape 27, printable ASCII as itself). The handler may change
// the character or set it to 0 to swallow the key.
#pragma once

#include <functional>
#include <memory>

class QKeyEvent;

namespace ui {

using KeyPressHandler = std::function<void(char& key)>;

// Runs `handler` on `event`. False: handle the event as it is. True: the
// handler swallowed the key (`replacement` empty) or turned it into another
// character (`replacement` holds the key event to handle instead).
bool FilterKeyPress(const KeyPressHandler& handler, const QKeyEvent& event,
                    std::unique_ptr<QKeyEvent>& replacement);

} // namespace ui
