#include "platform/app/single_instance.h"

#include "platform/text/sjis.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include <unistd.h>

namespace platform {
namespace {

// Per user, so that two users on one machine do not meet.
QString SocketName(std::string_view cp932Title)
{
    return sjis::toQString(cp932Title) + QStringLiteral(".") + QString::number(getuid());
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
    // Nobody answered the knock, so a socket file left behind is stale.
    if (!server_->listen(name) && server_->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(name);
        server_->listen(name);
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
    if (window_->isMinimized())
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace platform
