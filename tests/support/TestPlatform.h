#pragma once
// Stand-ins for what a user sees and picks, and a real SMTP server to talk to.

#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTest>

struct ShownBox
{
    QString prompt;
    MsgBoxIcon icon;
    QString title;

    friend bool operator==(const ShownBox &, const ShownBox &) = default;
};

namespace QTest {
template<>
inline char *toString(const ShownBox &box)
{
    return qstrdup(qPrintable(u"[%1 | %2 | %3]"_qs.arg(box.title, box.prompt.left(200)).arg(int(box.icon))));
}
} // namespace QTest

// The boxes a submission ends with, as the user reads them.
inline ShownBox sentBox()
{
    return {u"Ваше сообщение отправлено!"_qs, MsgBoxIcon::Information, {}};
}
inline ShownBox refusalBox(const QString &prompt)
{
    return {prompt, MsgBoxIcon::Information,
            u"Сообщение не отправлено, проверьте: правильность ввода номера, тип абонента, подключение к Internet..."_qs};
}
// The server's words without their line end, then the advice under them.
inline ShownBox refusedBox(QString reply, const QString &advice = u"Проверьте: правильность ввода номера, тип абонента, подключение к Internet."_qs)
{
    while (reply.endsWith(u'\n') || reply.endsWith(u'\r'))
        reply.chop(1);
    return refusalBox(u"Ошибка: "_qs + reply + u"\n\n"_qs + advice);
}
inline ShownBox deferredBox(const QString &reply)
{
    return refusedBox(reply, u"Сервер пока отложил сообщение. Нажмите «Послать» ещё раз немного позже — скорее всего, оно пройдёт."_qs);
}
inline ShownBox tooLongBox(const QString &start)
{
    return refusalBox(u"Ошибка: ответ сервера длиннее 64 КБ. Его начало:\r\n"_qs + start);
}
inline ShownBox socketErrorBox(int number, const QString &description)
{
    return {u"Winsock Error number %1\r\n%2"_qs.arg(number).arg(description), MsgBoxIcon::Exclamation,
            u"Winsock Error"_qs};
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
    QList<ShownBox> shown;
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
