#pragma once
// An SMTP server on loopback that answers from a script, for the endings a real
// server rarely shows. Each connection has a script of its own: the greeting, then one
// reply for each command line (and for the whole message, up to "."). Instead of a
// reply a script may say "<close>" (hang up), "<reset>" (abort with a TCP RST) or
// "<silence>" (send nothing this time), and a reply may end in "<close>" or "<reset>"
// to hang up right after it; running out of replies leaves the client waiting. Like OpenSMTPD it is strict about the envelope: a MAIL FROM or RCPT TO
// without angle brackets is refused whatever the script says.
// With bytewise set, every reply goes out one byte per segment, pause apart.

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
    explicit ScriptedSmtpServer(QList<QList<QByteArray>> scripts)
        : scripts_(std::move(scripts))
    {
        if (!server_.listen(QHostAddress::LocalHost))
            qFatal("cannot listen on loopback");
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            client_ = server_.nextPendingConnection();
            script_ = scripts_.value(transcripts.size());
            transcripts += QByteArray();
            pending_.clear();
            inData_ = false;
            connect(client_, &QTcpSocket::readyRead, this, &ScriptedSmtpServer::onReadyRead);
            connect(client_, &QTcpSocket::disconnected, this, [this] { ++closedByClient; });
            answer();
        });
    }

    [[nodiscard]] quint16 port() const { return server_.serverPort(); }

    QList<QByteArray> transcripts; // what the client sent, one entry per connection
    int closedByClient = 0;        // connections the client closed (or that closed after our hang-up)
    std::function<void(const QByteArray &)> onCommand; // sees each command line as it arrives
    bool bytewise = false;
    int bytePause = 1; // ms between the bytes of a bytewise reply

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
            transcripts.last() += unit;
            if (inData_) {
                inData_ = false;
            } else {
                if (onCommand)
                    onCommand(unit);
                inData_ = unit.startsWith("DATA") && script_.value(0).startsWith("354");
                if ((unit.startsWith("MAIL FROM:") && !unit.startsWith("MAIL FROM:<"))
                    || (unit.startsWith("RCPT TO:") && !unit.startsWith("RCPT TO:<"))) {
                    if (!script_.isEmpty())
                        script_.removeFirst();
                    client_->write(unit.startsWith("MAIL") ? "553 5.1.0 Sender address syntax error\r\n"
                                                           : "501 5.1.3 Bad recipient address syntax\r\n");
                    continue;
                }
            }
            answer();
        }
    }

    void answer()
    {
        if (script_.isEmpty())
            return;
        QByteArray reply = script_.takeFirst();
        if (reply == "<silence>")
            return;
        if (reply.endsWith("<close>") || reply.endsWith("<reset>")) {
            client_->write(reply.chopped(7));
            client_->flush();
            if (reply.endsWith("<reset>")) {
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
            QTimer::singleShot(int(at) * bytePause, client_, [client = client_, byte = reply.mid(at, 1)] {
                client->write(byte);
                client->flush();
            });
        }
    }

    QTcpServer server_;
    QTcpSocket *client_ = nullptr;
    QList<QList<QByteArray>> scripts_;
    QList<QByteArray> script_; // of the connection being served
    QByteArray pending_;
    bool inData_ = false;
};
