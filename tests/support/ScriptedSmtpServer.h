#pragma once
// An SMTP server on loopback that answers from a script, for the endings a real
// server rarely shows: it greets, then answers each command line (and the whole
// message, up to ".") with the next scripted reply. A reply "<close>" closes the
// connection instead; running out of replies leaves the client waiting.

#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

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
            connect(client_, &QTcpSocket::readyRead, this, &ScriptedSmtpServer::onReadyRead);
            if (greet_)
                answer();
        });
    }

    [[nodiscard]] quint16 port() const { return server_.serverPort(); }

    QByteArray received;                               // everything the client sent
    int connections = 0;
    std::function<void(const QByteArray &)> onCommand; // sees each command line as it arrives

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
        if (reply == "<close>") {
            client_->close();
            client_ = nullptr;
            return;
        }
        client_->write(reply);
    }

    QTcpServer server_;
    QTcpSocket *client_ = nullptr;
    QList<QByteArray> script_;
    const bool greet_;
    QByteArray pending_;
    bool inData_ = false;
};
