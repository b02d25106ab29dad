// The application object: its title, its hint (the hint of the control under
// the mouse, or of the highlighted menu item) with one handler, and the
// default error box around event delivery.
#pragma once

#include "platform/app/prompts.h"

#include <QApplication>

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

void SetApplicationTitle(std::string_view cp932);
std::string ApplicationTitle();

// The handler runs whenever the application's hint changes.
void SetHintHandler(std::function<void()> handler);
std::string ApplicationHint();

// Shows the message of an error that no handler caught.
void ShowUncaught(std::exception_ptr error);

// Runs `action`; an exception that escapes it ends it and its message shows
// in the default error box. False when that happened.
template <typename Action>
bool RunGuarded(Action&& action)
{
    try {
        action();
        return true;
    } catch (...) {
        ShowUncaught(std::current_exception());
        return false;
    }
}

// An exception that escapes an event handler ends that handler's action and
// is shown by the default error box; the program goes on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace platform
