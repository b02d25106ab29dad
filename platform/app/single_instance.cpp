#include "platform/app/single_instance.h"

#include "platform/app/prompts.h"
#include "platform/text/sjis.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include <cerrno>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// The display the program shows on: the X display without its screen
// (":0.0" and ":0" are one desktop), the Wayland socket, else the platform.
QString DesktopName()
{
    const QString platform = QGuiApplication::platformName();
    QString name;
    if (platform == QStringLiteral("xcb")) {
        name = qEnvironmentVariable("DISPLAY");
        const qsizetype colon = name.lastIndexOf(QLatin1Char(':'));
        const qsizetype dot = name.indexOf(QLatin1Char('.'), colon);
        if (colon >= 0 && dot > colon)
            name.truncate(dot);
        if (name.startsWith(QStringLiteral("unix:")))
            name.remove(0, 4);
    } else if (platform == QStringLiteral("wayland")) {
        name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    }
    if (name.isEmpty())
        name = platform;
    for (QChar& c : name)
        if (!c.isLetterOrNumber() && c != QLatin1Char(':') && c != QLatin1Char('.')
            && c != QLatin1Char('-'))
            c = QLatin1Char('_');
    return name;
}

// Per user and desktop: a reader on another display, or another user's,
// is not this one's business. Only the user can enter the folder, whatever
// the umask, so nobody else can take the socket's place or knock.
QString SocketFolder(std::string_view cp932Title)
{
    return QDir(QDir::tempPath())
        .absoluteFilePath(sjis::toQString(cp932Title) + QStringLiteral(".") + QString::number(getuid())
                          + QStringLiteral(".") + DesktopName());
}

QString SocketPath(std::string_view cp932Title)
{
    return SocketFolder(cp932Title) + QStringLiteral("/socket");
}

// Nobody answered the knock, so a socket or file of this user's at `path`
// is left over (by a crashed run, or by a build that kept its socket where
// the folder now goes). A symlink, a folder or another user's file stays.
void RemoveLeftover(const QByteArray& path)
{
    struct stat st;
    if (lstat(path.constData(), &st) == 0 && st.st_uid == getuid()
        && (S_ISSOCK(st.st_mode) || S_ISREG(st.st_mode)))
        unlink(path.constData());
}

// Only this user's reader listens in a folder of the user's that nobody else
// can enter; others' rights to one that they could enter are taken away.
bool CloseOwnFolder(const QByteArray& folder)
{
    struct stat st;
    if (lstat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        return false;
    return (st.st_mode & 077) == 0 || chmod(folder.constData(), 0700) == 0;
}

// 0 once the folder is this user's and closed to others; else the error
// that keeps it from being so (EEXIST: something else is in the way).
int MakeOwnFolder(const QByteArray& folder)
{
    RemoveLeftover(folder);
    if (mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return errno;
    return CloseOwnFolder(folder) ? 0 : EEXIST;
}

// A process of another user that reaches the socket all the same (root, or
// someone who could enter the folder) does not bring the window up.
bool PeerIsThisUser(const QLocalSocket& socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
           && peer.uid == getuid();
}

} // namespace

bool KnockRunningInstance(std::string_view cp932Title)
{
    // A folder of the user's that the user opened to others is closed first:
    // left open, the start that follows would take the running one's place.
    if (!CloseOwnFolder(QFile::encodeName(SocketFolder(cp932Title))))
        return false;
    QLocalSocket socket;
    socket.connectToServer(SocketPath(cp932Title));
    if (!socket.waitForConnected(1000))
        return false;
    socket.disconnectFromServer();
    return true;
}

InstanceServer::InstanceServer(std::string_view cp932Title, QWidget* window)
    : server_(new QLocalServer(this)), window_(window)
{
    const QString folder = SocketFolder(cp932Title);
    const QString socket = SocketPath(cp932Title);
    const int folderError = MakeOwnFolder(QFile::encodeName(folder));
    const bool ownFolder = folderError == 0;
    const auto inUse = [this] { return server_->serverError() == QAbstractSocket::AddressInUseError; };
    if (ownFolder && !server_->listen(socket) && inUse()) {
        RemoveLeftover(QFile::encodeName(socket));
        server_->listen(socket);
    }
    if (!server_->isListening()) {
        const QString path = ownFolder ? socket : folder;
        const QString why = (ownFolder ? inUse() : folderError == EEXIST)
                                ? QStringLiteral("is in the way and cannot be removed")
                                : QStringLiteral("cannot be made (%1)")
                                      .arg(ownFolder ? server_->errorString() : qt_error_string(folderError));
        ShowMessage(sjis::fromQString(
            QStringLiteral("The single-instance check is off: %1 %2, so another start of %3 will "
                           "run beside this one.")
                .arg(path, why, sjis::toQString(cp932Title))));
    }
    connect(server_, &QLocalServer::newConnection, this, &InstanceServer::answerKnock);
}

InstanceServer::~InstanceServer()
{
    // The folder goes with the socket, unless another start beside this one
    // still has its own socket in it.
    if (server_->isListening()) {
        const QString socket = server_->fullServerName();
        server_->close();
        QDir().rmdir(QFileInfo(socket).path());
    }
}

bool InstanceServer::Listening() const
{
    return server_->isListening();
}

void InstanceServer::answerKnock()
{
    bool fromThisUser = false;
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        fromThisUser = fromThisUser || PeerIsThisUser(*socket);
        socket->deleteLater();
    }
    if (!fromThisUser)
        return;
    // Before the window is shown, start-up waits behind a box: that comes
    // to the front; the window shows when start-up ends.
    QWidget* front = window_ && window_->isVisible() ? window_.data() : QApplication::activeModalWidget();
    if (!front)
        return;
    if (front->isMinimized())
        front->setWindowState(front->windowState() & ~Qt::WindowMinimized);
    front->show();
    front->raise();
    front->activateWindow();
}

} // namespace platform
