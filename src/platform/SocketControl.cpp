#include "platform/SocketControl.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QSocketNotifier>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// The numbers of the Windows socket errors users and operators know them by.
int windowsSocketError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return socketErrorNumber(SocketError::ConnectionRefused);
    case QAbstractSocket::RemoteHostClosedError:
        return socketErrorNumber(SocketError::ConnectionReset);
    case QAbstractSocket::SocketTimeoutError:
        return socketErrorNumber(SocketError::TimedOut);
    case QAbstractSocket::HostNotFoundError:
        return socketErrorNumber(SocketError::HostNotFound);
    case QAbstractSocket::NetworkError: // Qt reports host and network unreachable alike
        return socketErrorNumber(SocketError::HostUnreachable);
    case QAbstractSocket::SocketAccessError:
        return socketErrorNumber(SocketError::AccessDenied);
    case QAbstractSocket::SocketResourceError:
        return socketErrorNumber(SocketError::NoBuffers);
    case QAbstractSocket::AddressInUseError:
        return socketErrorNumber(SocketError::AddressInUse);
    case QAbstractSocket::SocketAddressNotAvailableError:
        return socketErrorNumber(SocketError::AddressNotAvailable);
    default:
        return 10000 + int(error); // nothing closer exists; the description tells
    }
}

struct ConnectFailure
{
    int number;
    const char *description; // in Qt's own words, so that Qt's translation speaks them
};

// The same for what connect() reports while a connection is made.
ConnectFailure connectFailure(int error)
{
    switch (error) {
    case ECONNREFUSED:
        return {socketErrorNumber(SocketError::ConnectionRefused), "Connection refused"};
    case ECONNRESET:
        return {socketErrorNumber(SocketError::ConnectionReset), "The remote host closed the connection"};
    case ETIMEDOUT:
        return {socketErrorNumber(SocketError::TimedOut), "Connection timed out"};
    case EHOSTUNREACH:
        return {socketErrorNumber(SocketError::HostUnreachable), "Host unreachable"};
    case EACCES: // a "prohibit" route
    case EPERM:
        return {socketErrorNumber(SocketError::AccessDenied), "Permission denied"};
    case EADDRNOTAVAIL:
        return {socketErrorNumber(SocketError::AddressNotAvailable), "The address is not available"};
    case ENETUNREACH:
    case EINVAL: // a "blackhole" route
    default:
        return {socketErrorNumber(SocketError::NetworkUnreachable), "Network unreachable"};
    }
}

// Qt's own words, as Qt's translation for the user's language has them.
QString qtWords(const char *context, const char *words)
{
    return QCoreApplication::translate(context, words);
}

QString described(const ConnectFailure &failure)
{
    return qtWords("QNativeSocketEngine", failure.description);
}

// A network of IPv6 alone gives an IPv4 address no route, though it works. Unique local
// addresses (fc00::/7) reach no further than the home network.
bool hasGlobalIPv6()
{
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    return std::any_of(addresses.begin(), addresses.end(), [](const QHostAddress &address) {
        return address.protocol() == QAbstractSocket::IPv6Protocol && address.isGlobal()
            && (address.toIPv6Address()[0] & 0xFE) != 0xFC;
    });
}

} // namespace

SocketControl::SocketControl(QObject *parent)
    : QObject(parent)
    , socket_(new QTcpSocket(this))
{
    socket_->setObjectName(u"Winsock1"_qs);
    replyTimer_.setSingleShot(true);
    replyTimer_.setTimerType(Qt::PreciseTimer); // a coarse one may fire 5 % early

    connect(socket_, &QTcpSocket::readyRead, this, &SocketControl::DataArrival);
    connect(socket_, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        failLater({windowsSocketError(error), socket_->errorString()});
    });
    connect(&replyTimer_, &QTimer::timeout, this, &SocketControl::replyDeadlineReached);
}

SocketControl::~SocketControl()
{
    drop();
}

// Qt's own connecting calls connect() again to learn how the first call went; on a
// connection reset by then, that second call opens a new connection. So the connection
// is made here, once, and handed to the socket when it stands.
void SocketControl::Connect(const QString &remoteHost, quint16 remotePort)
{
    drop();
    const QHostAddress address(remoteHost);
    sockaddr_storage peer{};
    socklen_t peerSize = 0;
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        auto *in = reinterpret_cast<sockaddr_in *>(&peer);
        in->sin_family = AF_INET;
        in->sin_port = htons(remotePort);
        in->sin_addr.s_addr = htonl(address.toIPv4Address());
        peerSize = sizeof *in;
    } else if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(&peer);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(remotePort);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&in6->sin6_addr, &bytes, sizeof bytes);
        peerSize = sizeof *in6;
    } else {
        return failLater({socketErrorNumber(SocketError::HostNotFound), qtWords("QHostInfoAgent", "Host not found")});
    }

    connecting_ = ::socket(peer.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (connecting_ < 0)
        return failLater({socketErrorNumber(SocketError::NoBuffers), qtWords("QNativeSocketEngine", "Out of resources")});
    if (::connect(connecting_, reinterpret_cast<sockaddr *>(&peer), peerSize) == 0 || errno == EINPROGRESS) {
        connectedOrFailed_ = new QSocketNotifier(connecting_, QSocketNotifier::Write, this);
        connect(connectedOrFailed_, &QSocketNotifier::activated, this, &SocketControl::finishConnecting);
        return;
    }
    failConnecting(errno);
}

void SocketControl::finishConnecting()
{
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(connecting_, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        error = errno;
    if (error != 0)
        return failConnecting(error);
    const int descriptor = std::exchange(connecting_, -1);
    delete std::exchange(connectedOrFailed_, nullptr);
    socket_->setSocketDescriptor(descriptor);
    // Commands are small and each waits for its reply: never hold one back.
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
}

void SocketControl::SendData(const QByteArray &data)
{
    if (socket_->state() == QAbstractSocket::ConnectedState)
        socket_->write(data);
}

QByteArray SocketControl::GetData()
{
    return socket_->readAll();
}

void SocketControl::Close()
{
    replyTimer_.stop();
    if (socket_->state() == QAbstractSocket::ConnectedState) {
        ++connection_;
        socket_->flush(); // a socket handed a descriptor drops unsent bytes on closing
        socket_->disconnectFromHost();
    } else {
        drop();
    }
}

void SocketControl::awaitReply(std::chrono::milliseconds within)
{
    replyDeadline_.setRemainingTime(within, Qt::PreciseTimer);
    replyTimer_.start(within);
}

void SocketControl::replyDeadlineReached()
{
    if (!replyDeadline_.hasExpired())
        return replyTimer_.start(std::chrono::ceil<std::chrono::milliseconds>(replyDeadline_.remainingTimeAsDuration()));
    // A reply that came whole in time is taken, even if its bytes are still unread.
    const quint64 connection = connection_;
    const QDeadlineTimer deadline = replyDeadline_;
    if (socket_->state() == QAbstractSocket::ConnectedState)
        socket_->waitForReadyRead(0); // reads what is there, and says so through DataArrival
    if (connection == connection_ && deadline == replyDeadline_)
        emit ReplyOverdue();
}

// Forgets the connection: whatever it still had to say is no longer heard.
void SocketControl::drop()
{
    ++connection_;
    replyTimer_.stop();
    delete std::exchange(connectedOrFailed_, nullptr);
    if (connecting_ >= 0)
        ::close(std::exchange(connecting_, -1));
    socket_->abort();
}

void SocketControl::failConnecting(int error)
{
    int family = 0;
    socklen_t size = sizeof family;
    const bool ipv4 = ::getsockopt(connecting_, SOL_SOCKET, SO_DOMAIN, &family, &size) == 0 && family == AF_INET;
    const ConnectFailure failure = connectFailure(error);
    drop();
    failLater({failure.number, described(failure), ipv4 && error == ENETUNREACH && hasGlobalIPv6()});
}

void SocketControl::failLater(const SocketFailure &failure)
{
    QMetaObject::invokeMethod(
        this,
        [this, failure, connection = connection_] {
            if (connection == connection_)
                emit Error(failure);
        },
        Qt::QueuedConnection);
}
