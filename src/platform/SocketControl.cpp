#include "platform/SocketControl.h"

namespace {

// The numbers of the Windows socket errors users and operators know them by.
int windowsSocketError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return 10061;
    case QAbstractSocket::RemoteHostClosedError:
        return 10054;
    case QAbstractSocket::SocketTimeoutError:
        return kTimedOutSocketError;
    case QAbstractSocket::HostNotFoundError:
        return 11001;
    case QAbstractSocket::NetworkError: // Qt reports host and network unreachable alike
        return 10065;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::AddressInUseError:
        return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return 10049;
    default:
        return 10000 + int(error); // nothing closer exists; the description tells
    }
}

} // namespace

SocketControl::SocketControl(QObject *parent)
    : QObject(parent)
    , socket_(new QTcpSocket(this))
{
    socket_->setObjectName(u"Winsock1"_qs);
    replyDeadline_.setSingleShot(true);

    connect(socket_, &QTcpSocket::connected, this, [this] {
        // Commands are small and each waits for its reply: never hold one back. Only a
        // socket that exists takes the option.
        socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    });
    connect(socket_, &QTcpSocket::readyRead, this, &SocketControl::DataArrival);
    connect(socket_, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        emit Error(windowsSocketError(error), socket_->errorString());
    });
    connect(&replyDeadline_, &QTimer::timeout, this, &SocketControl::ReplyOverdue);
}

void SocketControl::Connect(const QString &remoteHost, quint16 remotePort)
{
    socket_->abort();
    socket_->connectToHost(remoteHost, remotePort);
}

void SocketControl::SendData(const QByteArray &data)
{
    socket_->write(data);
}

QByteArray SocketControl::GetData()
{
    return socket_->readAll();
}

void SocketControl::Close()
{
    replyDeadline_.stop();
    if (socket_->state() == QAbstractSocket::ConnectedState)
        socket_->disconnectFromHost();
    else
        socket_->abort();
}

void SocketControl::awaitReply(std::chrono::milliseconds within)
{
    replyDeadline_.start(within);
}
