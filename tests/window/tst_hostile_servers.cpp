// Servers that misbehave, through the real socket: each case must show the one right
// box (success only for a message really taken), never crash or hang, bring the window
// back to idle, and a following Send to a well-behaved server must succeed.

#include "../support/ScriptedSmtpServer.h"
#include "../support/TestPlatform.h"
#include "../support/WindowControls.h"

#include "platform/MessageTextBox.h"
#include "window/frmSendMail.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace std::chrono_literals;

namespace {

enum class Box { Sent, Refused, SocketError };

} // namespace

Q_DECLARE_METATYPE(Box)

class tst_HostileServers : public QObject
{
    Q_OBJECT

private:
    RecordingMessageBox boxes_;
    ScriptedFileDialog fileDialog_;

    static Box kind(const ShownBox &box)
    {
        if (box.title == u"Winsock Error"_qs)
            return Box::SocketError;
        return box.prompt == u"Ваше сообщение отправлено!"_qs ? Box::Sent : Box::Refused;
    }

    static void compose(QWidget &window)
    {
        control<QRadioButton>(window, "Option1")->setChecked(true);
        control<QLineEdit>(window, "Text1")->setText(u"1234567"_qs);
        control<MessageTextBox>(window, "txtMessage")->setPlainText(u"Текст"_qs);
    }

private slots:
    void init() { boxes_.shown.clear(); }

    void misbehaviour_data()
    {
        QTest::addColumn<QList<QByteArray>>("hostile");
        QTest::addColumn<bool>("bytewise");
        QTest::addColumn<Box>("expected");
        for (int step = 0; step <= 5; ++step) {
            for (const char *refusal : {"451 4.3.0 try later\r\n", "554 5.7.1 rejected\r\n"})
                QTest::addRow("%.3s at step %d", refusal, step)
                    << kGoodServer.first(step) + QList<QByteArray>{refusal} << false << Box::Refused;
            QTest::addRow("hang-up at step %d", step)
                << kGoodServer.first(step) + QList<QByteArray>{"<close>"} << false << Box::SocketError;
        }
        QTest::newRow("reset mid-dialogue") << kGoodServer.first(3) + QList<QByteArray>{"<reset>"} << false
                                            << Box::SocketError;
        QTest::newRow("replies one byte at a time") << kGoodServer << true << Box::Sent;
        QTest::newRow("multi-line replies at every step")
            << QList<QByteArray>{"220-a\r\n220-b\r\n220 c\r\n", "250-a\r\n250 b\r\n", "250-a\r\n250 b\r\n",
                                 "250-a\r\n250 b\r\n", "354-a\r\n354 b\r\n", "250-a\r\n250 b\r\n",
                                 "221-a\r\n221 b\r\n"}
            << true << Box::Sent;
        QTest::newRow("greeting and HELO reply in one segment")
            << QList<QByteArray>{"220 hi\r\n250 hello\r\n", "250 a\r\n", "250 b\r\n", "354 c\r\n", "250 queued\r\n",
                                 "<silence>", "221 bye\r\n"}
            << false << Box::Sent;
        QTest::newRow("NUL bytes in accepted replies")
            << QList<QByteArray>{QByteArray("220 h\0i\r\n", 9), QByteArray("250 \0\r\n", 7), "250 b\r\n", "250 c\r\n",
                                 "354 d\r\n", "250 e\r\n", "221 f\r\n"}
            << false << Box::Sent;
        QTest::newRow("bytes that are not Windows-1251 text in a refusal")
            << QList<QByteArray>{"220 hi\r\n", QByteArray("550 \x98\xff\0 no\r\n", 12)} << false << Box::Refused;
        QTest::newRow("1 MiB line without an end") << QList<QByteArray>{"220 " + QByteArray(1 << 20, 'x')} << false
                                                   << Box::Refused;
        QByteArray endless;
        for (int i = 0; i < 100000; ++i)
            endless += "220-and more\r\n";
        QTest::newRow("endless continuation lines") << QList<QByteArray>{endless} << false << Box::Refused;
    }
    void misbehaviour()
    {
        QFETCH(QList<QByteArray>, hostile);
        QFETCH(bool, bytewise);
        QFETCH(Box, expected);
        ScriptedSmtpServer server(hostile + kGoodServer);
        server.bytewise = bytewise;
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        compose(window);

        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown.size(), 1, 20000);
        QCOMPARE(kind(boxes_.shown[0]), expected);
        if (expected == Box::Refused)
            QVERIFY(boxes_.shown[0].prompt.size() <= 8 + 64 * 1024);
        if (expected == Box::SocketError) // hung up or reset before the end: "connection reset"
            QVERIFY2(boxes_.shown[0].prompt.startsWith(u"Winsock Error number 10054\r\n"_qs),
                     qPrintable(boxes_.shown[0].prompt));
        QVERIFY(!control(window, "cmdSend")->isHidden());
        QVERIFY(control<QLabel>(window, "Label10")->text().isEmpty());
        QCOMPARE(control<MessageTextBox>(window, "txtMessage")->toPlainText(), u"Текст"_qs);

        if (expected == Box::Sent)
            return; // the script was the whole of a good dialogue
        server.bytewise = false;
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown.size(), 2, 20000);
        QCOMPARE(kind(boxes_.shown[1]), Box::Sent);
    }

    void silence_data()
    {
        QTest::addColumn<int>("step");
        QTest::newRow("greeting never comes") << 0;
        QTest::newRow("reply to DATA never comes") << 4;
    }
    void silence()
    {
        QFETCH(int, step);
        ScriptedSmtpServer server(kGoodServer.first(step) + QList<QByteArray>{"<silence>"} + kGoodServer);
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), 300ms});
        compose(window);
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 1);
        QVERIFY(boxes_.shown[0].prompt.startsWith(u"Winsock Error number 10060\r\n"_qs));
        QVERIFY(!control(window, "cmdSend")->isHidden());
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 2);
        QCOMPARE(kind(boxes_.shown[1]), Box::Sent);
    }

    void secondSendWhileTheFirstRunsIsIgnored()
    {
        ScriptedSmtpServer server(kGoodServer);
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        compose(window);
        server.onCommand = [&](const QByteArray &command) {
            if (command.startsWith("MAIL"))
                control<QPushButton>(window, "cmdSend")->click();
        };
        control<QPushButton>(window, "cmdSend")->click();
        QVERIFY(control(window, "cmdSend")->isHidden());
        QTRY_COMPARE(boxes_.shown.size(), 1);
        QCOMPARE(kind(boxes_.shown[0]), Box::Sent);
        QCOMPARE(server.connections, 1);
        QCOMPARE(server.received.count("HELO"), 1);
    }

    void pastedLineBreaksNeverReachACommand()
    {
        ScriptedSmtpServer server(kGoodServer);
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        compose(window);
        auto *number = control<QLineEdit>(window, "Text1");
        number->clear();
        QApplication::clipboard()->setText(u"1\r\nRSET\r\n<@>"_qs);
        number->paste();
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 1);
        const QByteArray commands = server.received.first(server.received.indexOf("DATA\r\n"));
        QCOMPARE(commands.count("\r\n"), 3); // HELO, MAIL FROM, RCPT TO: one line each
        QVERIFY(!commands.contains("\nRSET"));
        QVERIFY(commands.contains("RCPT TO:380671"));
    }
};

QTEST_MAIN(tst_HostileServers)
#include "tst_hostile_servers.moc"
