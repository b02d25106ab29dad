// One running instance per application title and desktop: a local socket in
// a folder named after the title, the user and the display, which only the
// user can enter. A new start knocks; the running instance restores (if
// minimised) and raises its main window for a knock of the same user only.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <string_view>

#include <sys/types.h>

class QSocketNotifier;
class QWidget;

namespace platform {

// True when an instance of the user's with this title runs on this desktop;
// it has been asked to come to the front. What else answers does not count.
bool KnockRunningInstance(std::string_view cp932Title);

// Listens for knocks while it lives and brings `window` to the front for
// each (while the window is not shown yet, the box it waits behind). Create
// it once the window carries the title. When something at the folder's or the
// socket's path cannot be cleared away (a symlink, another user's), the user
// is told that the check is off. A reader of the user's that already listens
// there (started in the same moment) keeps its socket; this one runs beside it.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    InstanceServer(std::string_view cp932Title, QWidget* window);
    ~InstanceServer() override;
    bool Listening() const;

private:
    int listen(const QByteArray& path);
    void answerKnock();
    int listener_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    // The socket it made, by name and by file: whatever else comes to sit at
    // the name later is not its to remove.
    QByteArray path_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    QPointer<QWidget> window_;
};

} // namespace platform
