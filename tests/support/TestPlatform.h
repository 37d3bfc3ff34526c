#pragma once
// Stand-ins for what a user sees and picks, and a real SMTP server to talk to.

#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"
#include "submission/Gateway.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTest>

namespace QTest {
template<>
inline char *toString(const Box &box)
{
    return qstrdup(qPrintable(u"[%1 | %2 | %3]"_qs.arg(box.title, box.prompt.left(300)).arg(int(box.icon))));
}
} // namespace QTest

// The boxes a submission ends with, in boxFor's words, as the window shows them.
inline Box sentBox()
{
    return boxFor({Ending::Kind::Sent}, kReplyTimeout);
}
inline Box refusedBox(SmtpStep step, const QByteArray &reply, Ending::Kind kind = Ending::Kind::Refused)
{
    return boxFor({.kind = kind, .step = step, .reply = reply}, kReplyTimeout);
}
inline Box socketErrorBox(SmtpStep step, int number, const QString &description)
{
    return boxFor({.kind = Ending::Kind::ConnectionFailed, .step = step, .socketError = number, .description = description},
                  kReplyTimeout);
}
inline Box timedOutBox(SmtpStep step, std::chrono::milliseconds replyTimeout)
{
    return boxFor({.kind = Ending::Kind::TimedOut, .step = step}, replyTimeout);
}

class RecordingMessageBox final : public MessageBox
{
public:
    void MsgBox(const QString &prompt, MsgBoxIcon icon, const QString &title) override
    {
        shown.append({prompt, icon, title});
        if (onShow)
            onShow();
    }
    QList<Box> shown;
    std::function<void()> onShow; // runs while the box would be open
};

class ScriptedFileDialog final : public FileOpenDialog
{
public:
    QString ShowOpen() override { return picks.isEmpty() ? QString() : picks.takeFirst(); }
    QStringList picks; // empty string: the user cancelled
};

// The gateway stand-in (aiosmtpd) on a free loopback port, reporting in JSON.
class RecordingSmtpServer
{
public:
    RecordingSmtpServer()
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(u"/usr/bin/python3"_qs, {QStringLiteral(GATEWAY_STANDIN), u"--json"_qs});
        // The line may arrive in pieces; and a server left running on a fatal error
        // would hold the test's output open until CTest's timeout.
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(20000)) {
                process_.kill();
                qFatal("the test SMTP server did not start");
            }
        }
        const QByteArray ready = process_.readLine().trimmed();
        port_ = quint16(ready.split(' ').value(1).toUInt());
        if (port_ == 0) {
            process_.kill();
            qFatal("the test SMTP server said: %s", ready.constData());
        }
    }
    ~RecordingSmtpServer()
    {
        process_.kill();
        process_.waitForFinished();
    }

    [[nodiscard]] quint16 port() const { return port_; }

    // The messages received so far, one JSON object each.
    QList<QJsonObject> messages()
    {
        process_.waitForReadyRead(10);
        while (process_.canReadLine())
            received_ += QJsonDocument::fromJson(process_.readLine()).object();
        return received_;
    }

private:
    QProcess process_;
    quint16 port_ = 0;
    QList<QJsonObject> received_;
};
