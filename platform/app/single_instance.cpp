#include "platform/app/single_instance.h"

#include "platform/app/prompts.h"
#include "platform/text/sjis.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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
// the folder now goes). A symlink, a folder or another user's file stays;
// with `only`, so does any file but the one that nobody answered at.
void RemoveLeftover(const QByteArray& path, ino_t only = 0)
{
    struct stat st;
    if (lstat(path.constData(), &st) == 0 && st.st_uid == getuid()
        && (S_ISSOCK(st.st_mode) || S_ISREG(st.st_mode)) && (only == 0 || st.st_ino == only))
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
bool PeerIsThisUser(qintptr socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(static_cast<int>(socket), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
           && peer.uid == getuid();
}

// Readers make and take away their sockets in the folder one at a time, so
// that none takes another's for left over while it is being made or cleared.
// A reader stopped while it holds the lock is waited for two seconds at most.
class FolderLock {
public:
    explicit FolderLock(const QByteArray& folder)
        : fd_(open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        for (int waited = 0; fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) != 0 && waited < 2000; waited += 10)
            usleep(10000);
    }
    ~FolderLock()
    {
        if (fd_ >= 0)
            ::close(fd_); // and the lock with it
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

enum class Answerer { Nobody, TheUser, Other };

// Only a socket of the user's (not a symlink) with a process of the user's
// listening is the user's reader. Anything else is not knocked on, or its
// answer does not count: it may be another user's, put in while the folder
// was open to others. `knocked` is the file knocked on.
Answerer KnockAt(const QString& path, ino_t* knocked = nullptr)
{
    struct stat st;
    if (lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISSOCK(st.st_mode)
        || st.st_uid != getuid())
        return Answerer::Nobody;
    if (knocked)
        *knocked = st.st_ino;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(1000))
        return Answerer::Nobody;
    const bool user = PeerIsThisUser(socket.socketDescriptor());
    socket.disconnectFromServer();
    return user ? Answerer::TheUser : Answerer::Other;
}

} // namespace

bool KnockRunningInstance(std::string_view cp932Title)
{
    // A folder of the user's that the user opened to others is closed first:
    // left open, the start that follows would take the running one's place.
    if (!CloseOwnFolder(QFile::encodeName(SocketFolder(cp932Title))))
        return false;
    return KnockAt(SocketPath(cp932Title)) == Answerer::TheUser;
}

InstanceServer::InstanceServer(std::string_view cp932Title, QWidget* window) : window_(window)
{
    const QString folder = SocketFolder(cp932Title);
    const QString socket = SocketPath(cp932Title);
    int folderError = 0, error = 0;
    // A reader that ends meanwhile takes the folder with it: it is made again.
    for (int tries = 0; tries < 3; ++tries) {
        error = folderError = MakeOwnFolder(QFile::encodeName(folder));
        if (folderError != 0)
            break;
        const FolderLock lock(QFile::encodeName(folder));
        error = listen(QFile::encodeName(socket));
        if (error == EEXIST) {
            // Only a socket that nobody answers at is left over. A reader of
            // the user's started in the same moment keeps its socket and this
            // one runs beside it, as two starts in one moment may; another's
            // is in the way.
            ino_t knocked = 0;
            const Answerer answerer = KnockAt(socket, &knocked);
            if (answerer == Answerer::TheUser)
                return;
            if (answerer == Answerer::Nobody) {
                RemoveLeftover(QFile::encodeName(socket), knocked);
                error = listen(QFile::encodeName(socket));
            }
        }
        if (error != ENOENT)
            break;
    }
    const bool ownFolder = folderError == 0;
    if (error != 0) {
        const QString path = ownFolder ? socket : folder;
        const QString why = error == EEXIST
                                ? QStringLiteral("is in the way and cannot be removed")
                                : QStringLiteral("cannot be made (%1)").arg(qt_error_string(error));
        ShowMessage(sjis::fromQString(
            QStringLiteral("The single-instance check is off: %1 %2, so another start of %3 will "
                           "run beside this one.")
                .arg(path, why, sjis::toQString(cp932Title))));
    }
}

InstanceServer::~InstanceServer()
{
    if (listener_ < 0)
        return;
    // Its own socket goes, and the folder with it if nothing else is in it. A
    // socket another start put in its place (after this one's was swept away)
    // stays. It goes while this one still listens, so that no start takes it
    // for left over and puts its own there meanwhile.
    const QByteArray folder = path_.left(path_.lastIndexOf('/'));
    const FolderLock lock(folder);
    struct stat st;
    if (lstat(path_.constData(), &st) == 0 && st.st_dev == device_ && st.st_ino == inode_
        && unlink(path_.constData()) == 0)
        rmdir(folder.constData());
    delete notifier_;
    ::close(listener_);
}

// 0 once it listens at `path`; else the error (EEXIST: something is there).
// The socket is its own rather than a QLocalServer's, which on closing would
// remove whatever sits at the name by then. It listens under a name of its
// own first and then takes `path` in one step, so that a knock never meets
// it bound but not yet listening, and it never takes another's place.
int InstanceServer::listen(const QByteArray& path)
{
    const QByteArray own = path + '.' + QByteArray::number(getpid());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (own.size() >= qsizetype(sizeof address.sun_path))
        return ENAMETOOLONG;
    std::memcpy(address.sun_path, own.constData(), own.size());
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0)
        return errno;
    unlink(own.constData()); // left by a run that had this process number
    struct stat st;
    const bool taken = bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
                       && ::listen(listener, SOMAXCONN) == 0 && lstat(own.constData(), &st) == 0
                       && link(own.constData(), path.constData()) == 0;
    const int error = errno;
    unlink(own.constData());
    if (!taken) {
        ::close(listener);
        return error;
    }
    listener_ = listener;
    path_ = path;
    device_ = st.st_dev;
    inode_ = st.st_ino;
    notifier_ = new QSocketNotifier(listener, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &InstanceServer::answerKnock);
    return 0;
}

bool InstanceServer::Listening() const
{
    return listener_ >= 0;
}

void InstanceServer::answerKnock()
{
    bool fromThisUser = false;
    for (int knock; (knock = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; ::close(knock))
        fromThisUser = fromThisUser || PeerIsThisUser(knock);
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        // A knock that cannot be taken now (no descriptor free) is tried
        // again in a while, not at once and for ever.
        notifier_->setEnabled(false);
        QTimer::singleShot(1000, this, [this] { notifier_->setEnabled(true); });
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
