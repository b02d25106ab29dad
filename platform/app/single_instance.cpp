#include "platform/app/single_instance.h"

#include "platform/app/prompts.h"
#include "platform/text/sjis.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

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
// is not this one's business.
QString SocketName(std::string_view cp932Title)
{
    return sjis::toQString(cp932Title) + QStringLiteral(".") + QString::number(getuid())
           + QStringLiteral(".") + DesktopName();
}

// Nobody answered the knock, so what sits at the socket's path is left
// over: a stale socket or file, or an empty folder. Anything else stays.
void ClearPath(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir().rmdir(path);
    else
        QFile::remove(path);
}

} // namespace

bool KnockRunningInstance(std::string_view cp932Title)
{
    QLocalSocket socket;
    socket.connectToServer(SocketName(cp932Title));
    if (!socket.waitForConnected(1000))
        return false;
    socket.disconnectFromServer();
    return true;
}

InstanceServer::InstanceServer(std::string_view cp932Title, QWidget* window)
    : server_(new QLocalServer(this)), window_(window)
{
    const QString name = SocketName(cp932Title);
    const QString path = QDir(QDir::tempPath()).absoluteFilePath(name);
    if (!server_->listen(name) && server_->serverError() == QAbstractSocket::AddressInUseError) {
        ClearPath(path);
        server_->listen(name);
    }
    if (!server_->isListening()) {
        const QString why = QFileInfo::exists(path) ? QStringLiteral("is in the way and cannot be removed")
                                                    : QStringLiteral("cannot be made (%1)").arg(server_->errorString());
        ShowMessage(sjis::fromQString(
            QStringLiteral("The single-instance check is off: %1 %2, so another start of %3 will "
                           "run beside this one.")
                .arg(path, why, sjis::toQString(cp932Title))));
    }
    connect(server_, &QLocalServer::newConnection, this, &InstanceServer::answerKnock);
}

bool InstanceServer::Listening() const
{
    return server_->isListening();
}

void InstanceServer::answerKnock()
{
    while (QLocalSocket* socket = server_->nextPendingConnection())
        socket->deleteLater();
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
