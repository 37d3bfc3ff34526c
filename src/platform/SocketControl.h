#pragma once
// The TCP client the SMTP dialogue talks through: connect, send, take what arrived,
// close, and one deadline for the reply awaited. A failure of the connection, the server
// closing it included, comes out of Error with the number a Windows socket would give
// it, so the user sees the same numbers on every system.

#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <chrono>

inline constexpr int kTimedOutSocketError = 10060; // WSAETIMEDOUT

class SocketControl : public QObject
{
    Q_OBJECT

public:
    explicit SocketControl(QObject *parent = nullptr);

    void Connect(const QString &remoteHost, quint16 remotePort);
    void SendData(const QByteArray &data);
    [[nodiscard]] QByteArray GetData();
    // Sends what is still queued, then closes; a new Connect drops it at once.
    void Close();

    // ReplyOverdue comes unless a new deadline or Close comes first. Bytes arriving do
    // not move it: a server trickling its reply must not hold the window for ever.
    void awaitReply(std::chrono::milliseconds within);

signals:
    void DataArrival();
    void Error(int number, const QString &description);
    void ReplyOverdue();

private:
    QTcpSocket *const socket_;
    QTimer replyDeadline_;
};
