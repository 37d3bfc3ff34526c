#pragma once
// The TCP client the SMTP dialogue talks through: connect, send, take what arrived,
// close, and one deadline for the reply awaited. A failure of the connection, the server
// closing it included, comes out of Error with the number a Windows socket would give
// it, so the user sees the same numbers on every system.
//
// Every event comes from the event loop, never from inside a call made to this class, so
// a handler that ends a submission is never re-entered by the socket. Events of a
// connection that has been closed, or replaced by a new Connect, are dropped.

#include "submission/Ending.h"
#include "submission/SocketErrors.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <chrono>

class QSocketNotifier;

class SocketControl : public QObject
{
    Q_OBJECT

public:
    explicit SocketControl(QObject *parent = nullptr);
    ~SocketControl() override;

    // remoteHost is an address, not a name. One Connect makes one attempt: a connection
    // refused or reset while it is made ends in Error, never in a second try.
    void Connect(const QString &remoteHost, quint16 remotePort);
    // Sent once connected; before that there is no one to send to.
    void SendData(const QByteArray &data);
    [[nodiscard]] QByteArray GetData();
    // Sends what is still queued, then closes.
    void Close();

    // ReplyOverdue comes unless a new deadline or Close comes first, never before its
    // time, and only once whatever had arrived by then has come out of DataArrival. Bytes
    // arriving do not move it: a server trickling its reply must not hold the window for
    // ever.
    void awaitReply(std::chrono::milliseconds within);

signals:
    void DataArrival();
    void Error(const SocketFailure &failure);
    void ReplyOverdue();

private:
    void finishConnecting();
    void drop();
    void failLater(const SocketFailure &failure);
    void failConnecting(int error);
    void replyDeadlineReached();

    QTcpSocket *const socket_;
    QTimer replyTimer_;
    QDeadlineTimer replyDeadline_;
    int connecting_ = -1;                   // the descriptor of a connection being made
    QSocketNotifier *connectedOrFailed_ = nullptr; // fires once it is made or has failed
    quint64 connection_ = 0;                // counts Connect and Close, to drop stale events
};
