// One running instance per application title: a local socket named after
// the title. A new start knocks; the running instance restores (if
// minimised) and raises its main window.
#pragma once

#include <QObject>

#include <string_view>

class QLocalServer;
class QWidget;

namespace platform {

// True when an instance with this title runs; it has been asked to come to
// the front.
bool KnockRunningInstance(std::string_view cp932Title);

// Listens for knocks while it lives and brings `window` to the front for
// each. Create it once the window carries the title.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    InstanceServer(std::string_view cp932Title, QWidget* window);
    bool Listening() const;

private:
    void answerKnock();
    QLocalServer* server_;
    QWidget* window_;
};

} // namespace platform
