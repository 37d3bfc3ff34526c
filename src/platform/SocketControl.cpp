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
        return 10060;
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

SocketControl::SocketControl(std::chrono::milliseconds replyTimeout, QObject *parent)
    : QObject(parent)
{
    replyTimer_.setSingleShot(true);
    replyTimer_.setInterval(replyTimeout);
    // Commands are small and each waits for its reply: never hold one back.
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);

    connect(&socket_, &QTcpSocket::readyRead, this, [this] {
        replyTimer_.start();
        emit DataArrival();
    });
    connect(&socket_, &QAbstractSocket::errorOccurred, this, &SocketControl::onErrorOccurred);
    connect(&replyTimer_, &QTimer::timeout, this, &SocketControl::onTimedOut);
}

void SocketControl::Connect(const QString &remoteHost, quint16 remotePort)
{
    socket_.abort();
    replyTimer_.start();
    socket_.connectToHost(remoteHost, remotePort);
}

void SocketControl::SendData(const QByteArray &data)
{
    replyTimer_.start();
    socket_.write(data);
}

QByteArray SocketControl::GetData()
{
    return socket_.readAll();
}

void SocketControl::Close()
{
    replyTimer_.stop();
    socket_.abort();
}

void SocketControl::onErrorOccurred(QAbstractSocket::SocketError error)
{
    fail(windowsSocketError(error), socket_.errorString());
}

void SocketControl::onTimedOut()
{
    fail(windowsSocketError(QAbstractSocket::SocketTimeoutError),
         u"Сервер не ответил за %1 мс"_qs.arg(replyTimer_.interval()));
}

void SocketControl::fail(int number, const QString &description)
{
    replyTimer_.stop();
    emit Error(number, description);
}
