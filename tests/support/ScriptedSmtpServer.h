#pragma once
// An SMTP server on loopback that answers from a script, for the endings a real
// server rarely shows: it greets, then answers each command line (and the whole
// message, up to ".") with the next scripted reply. Instead of a reply the script may
// say "<close>" (hang up), "<reset>" (abort with a TCP RST) or "<silence>" (send
// nothing this time); running out of replies leaves the client waiting. A new
// connection is greeted with the next entry, so one script can serve a retry.
// With bytewise set, every reply goes out one byte per segment.

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

#include <functional>

// A server that takes the message: greeting, HELO, MAIL, RCPT, DATA, the message, QUIT.
inline const QList<QByteArray> kGoodServer = {"220 hi\r\n",  "250 a\r\n",      "250 b\r\n",  "250 c\r\n",
                                               "354 d\r\n", "250 queued\r\n", "221 bye\r\n"};

class ScriptedSmtpServer : public QObject
{
public:
    explicit ScriptedSmtpServer(QList<QByteArray> script, bool greet = true)
        : script_(std::move(script))
        , greet_(greet)
    {
        if (!server_.listen(QHostAddress::LocalHost))
            qFatal("cannot listen on loopback");
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            client_ = server_.nextPendingConnection();
            ++connections;
            pending_.clear();
            inData_ = false;
            connect(client_, &QTcpSocket::readyRead, this, &ScriptedSmtpServer::onReadyRead);
            if (greet_)
                answer();
        });
    }

    [[nodiscard]] quint16 port() const { return server_.serverPort(); }

    QByteArray received;                               // everything the client sent
    int connections = 0;
    std::function<void(const QByteArray &)> onCommand; // sees each command line as it arrives
    bool bytewise = false;

private:
    void onReadyRead()
    {
        pending_ += client_->readAll();
        while (client_) {
            const QByteArray terminator = inData_ ? "\r\n.\r\n" : "\r\n";
            const qsizetype at = pending_.indexOf(terminator);
            if (at < 0)
                return;
            const QByteArray unit = pending_.first(at + terminator.size());
            pending_.remove(0, unit.size());
            received += unit;
            if (inData_) {
                inData_ = false;
            } else {
                if (onCommand)
                    onCommand(unit);
                inData_ = unit.startsWith("DATA");
            }
            answer();
        }
    }

    void answer()
    {
        if (script_.isEmpty())
            return;
        const QByteArray reply = script_.takeFirst();
        if (reply == "<silence>")
            return;
        if (reply == "<close>" || reply == "<reset>") {
            if (reply == "<reset>") {
                const linger immediately{1, 0};
                setsockopt(int(client_->socketDescriptor()), SOL_SOCKET, SO_LINGER, &immediately, sizeof immediately);
            }
            client_->close();
            client_ = nullptr;
            return;
        }
        if (!bytewise) {
            client_->write(reply);
            return;
        }
        for (qsizetype at = 0; at < reply.size(); ++at) {
            QTimer::singleShot(int(at), client_, [client = client_, byte = reply.mid(at, 1)] {
                client->write(byte);
                client->flush();
            });
        }
    }

    QTcpServer server_;
    QTcpSocket *client_ = nullptr;
    QList<QByteArray> script_;
    const bool greet_;
    QByteArray pending_;
    bool inData_ = false;
};
