#pragma once
// The TCP client the SMTP dialogue talks through: connect, send, take what arrived,
// close. Every failure, a silent server and a connection the server closed included,
// comes out of Error with the number a Windows socket would give it, so the user sees
// the same numbers on every system.

#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <chrono>

class SocketControl : public QObject
{
    Q_OBJECT

public:
    explicit SocketControl(std::chrono::milliseconds replyTimeout, QObject *parent = nullptr);

    void Connect(const QString &remoteHost, quint16 remotePort);
    void SendData(const QByteArray &data);
    [[nodiscard]] QByteArray GetData();
    void Close();

signals:
    void DataArrival();
    void Error(int number, const QString &description);

private:
    void onErrorOccurred(QAbstractSocket::SocketError error);
    void onTimedOut();
    void fail(int number, const QString &description);

    QTcpSocket socket_;
    QTimer replyTimer_; // runs whenever a reply is awaited
};
