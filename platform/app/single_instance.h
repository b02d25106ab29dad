// One running instance per application title and desktop: a local socket in
// a folder named after the title, the user and the display, which only the
// user can enter. A new start knocks; the running instance restores (if
// minimised) and raises its main window for a knock of the same user only.
#pragma once

#include <QObject>
#include <QPointer>

#include <string_view>

class QLocalServer;
class QWidget;

namespace platform {

// True when an instance with this title runs on this desktop; it has been
// asked to come to the front.
bool KnockRunningInstance(std::string_view cp932Title);

// Listens for knocks while it lives and brings `window` to the front for
// each (while the window is not shown yet, the box it waits behind). Create
// it once the window carries the title. When something at the folder's or the
// socket's path cannot be cleared away (a symlink, another user's), the user
// is told that the check is off.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    InstanceServer(std::string_view cp932Title, QWidget* window);
    ~InstanceServer() override;
    bool Listening() const;

private:
    void answerKnock();
    QLocalServer* server_;
    QPointer<QWidget> window_;
};

} // namespace platform
