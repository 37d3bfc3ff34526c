// Send through the real socket to a real SMTP server (aiosmtpd on loopback), checking
// what the server received and which box the user saw.

#include "../support/TestPlatform.h"
#include "../support/WindowControls.h"

#include "platform/MessageTextBox.h"
#include "submission/Gateway.h"
#include "window/frmSendMail.h"

#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>

class tst_SendAiosmtpd : public QObject
{
    Q_OBJECT

private:
    RecordingMessageBox boxes_;
    ScriptedFileDialog fileDialog_;

    static void compose(QWidget &window, const char *option, const QString &number, const QString &text)
    {
        control<QRadioButton>(window, option)->setChecked(true);
        control<QLineEdit>(window, "Text1")->setText(number);
        control<MessageTextBox>(window, "txtMessage")->setPlainText(text);
    }

private slots:
    void init() { boxes_.shown.clear(); }

    void cyrillicMessageReachesTheServer_data()
    {
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QString>("domain");
        QTest::newRow("contract subscriber") << QByteArray("Option1") << QString::fromUtf16(kContractGatewayDomain);
        QTest::newRow("Ace&base subscriber") << QByteArray("Option2") << QString::fromUtf16(kAceBaseGatewayDomain);
    }
    void cyrillicMessageReachesTheServer()
    {
        QFETCH(QByteArray, option);
        QFETCH(QString, domain);
        RecordingSmtpServer server;
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        window.show();
        compose(window, option, u"1234567"_qs, u"Привет, мир!\n.\nЁлки"_qs);

        control<QPushButton>(window, "cmdSend")->click();
        QVERIFY(control<QPushButton>(window, "cmdSend")->isHidden());
        QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown.size(), 1, 10000);

        QCOMPARE(boxes_.shown[0].prompt, u"Ваше сообщение отправлено!"_qs);
        QCOMPARE(boxes_.shown[0].icon, MsgBoxIcon::Information);
        QTRY_COMPARE(server.messages().size(), 1);
        const QJsonObject message = server.messages().first();
        QCOMPARE(message["helo"].toString(), u"0000000"_qs);
        QCOMPARE(message["mail_from"].toString(), u"0000000@"_qs + domain);
        QCOMPARE(message["rcpt_tos"].toArray().first().toString(), u"380671234567@"_qs + domain);
        QCOMPARE(message["data"].toString(), u"Subject:\r\n\r\nПривет, мир!\r\n.\r\nЁлки\r\n\r\n\r\n"_qs);
        QVERIFY(control<QPushButton>(window, "cmdSend")->isVisible());
        QCOMPARE(control<QLabel>(window, "Label10")->text(), QString());
    }

    void awkwardTextsArriveIntact_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("arrives");
        QString cyrillic;
        for (char16_t c = u'А'; c <= u'я'; ++c)
            cyrillic += QChar(c);
        cyrillic += u"ЁёҐґЄєІіЇїЎў"_qs;
        QTest::newRow("lines that are a dot or begin with two") << u".\n..x\n."_qs << u".\r\n..x\r\n."_qs;
        QTest::newRow("lone CR") << u"a\rb"_qs << u"a\r\nb"_qs;
        const QString half = QString(79, u'ж');
        QTest::newRow("exactly 160 with a line break") << half + u'\n' + half << half + u"\r\n"_qs + half;
        QTest::newRow("every Cyrillic letter of Windows-1251") << cyrillic << cyrillic;
        QTest::newRow("text that looks like an address") << u"<a@b> 1"_qs << u"<a@b> 1"_qs;
    }
    void awkwardTextsArriveIntact()
    {
        QFETCH(QString, text);
        QFETCH(QString, arrives);
        RecordingSmtpServer server;
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        compose(window, "Option2", u"1234567"_qs, text);
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown.size(), 1, 10000);
        QCOMPARE(boxes_.shown[0].prompt, u"Ваше сообщение отправлено!"_qs);
        QTRY_COMPARE(server.messages().size(), 1);
        QCOMPARE(server.messages().first()["data"].toString(), u"Subject:\r\n\r\n"_qs + arrives + u"\r\n\r\n\r\n"_qs);
    }

    void oddNumberGoesAsTypedAndTheServerJudgesIt()
    {
        RecordingSmtpServer server;
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        compose(window, "Option1", u"12 4<@>"_qs, u"x"_qs);
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown.size(), 1, 10000);
        QVERIFY2(boxes_.shown[0].prompt.startsWith(u"Ошибка: 501"_qs), qPrintable(boxes_.shown[0].prompt));
        QVERIFY(!control<QPushButton>(window, "cmdSend")->isHidden());
    }

    void refusalThenRetry()
    {
        RecordingSmtpServer server;
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        window.show();
        compose(window, "Option1", u"1230000"_qs, u"Тест"_qs);
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown.size(), 1, 10000);
        QCOMPARE(boxes_.shown[0].prompt, u"Ошибка: 550 5.1.1 No such subscriber\r\n"_qs);
        QCOMPARE(boxes_.shown[0].title,
                 u"Сообщение не отправлено, проверьте: правильность ввода номера, тип абонента, подключение к Internet..."_qs);
        QVERIFY(control<QPushButton>(window, "cmdSend")->isVisible());
        QCOMPARE(control<MessageTextBox>(window, "txtMessage")->toPlainText(), u"Тест"_qs);

        control<QLineEdit>(window, "Text1")->setText(u"1231234"_qs);
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown.size(), 2, 10000);
        QCOMPARE(boxes_.shown[1].prompt, u"Ваше сообщение отправлено!"_qs);
        QTRY_COMPARE(server.messages().size(), 1);
        QCOMPARE(server.messages().first()["data"].toString(), u"Subject:\r\n\r\nТест\r\n\r\n\r\n"_qs);
    }

    void connectionRefusedShowsSocketError()
    {
        QTcpServer placeholder; // takes a free port, then frees it: nobody listens there
        QVERIFY(placeholder.listen(QHostAddress::LocalHost));
        const quint16 port = placeholder.serverPort();
        placeholder.close();

        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, port, kReplyTimeout});
        compose(window, "Option1", u"1234567"_qs, u"x"_qs);
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown.size(), 1, 10000);
        QVERIFY(boxes_.shown[0].prompt.startsWith(u"Winsock Error number 10061\r\n"_qs));
        QCOMPARE(boxes_.shown[0].title, u"Winsock Error"_qs);
        QCOMPARE(boxes_.shown[0].icon, MsgBoxIcon::Exclamation);
        QVERIFY(!control<QPushButton>(window, "cmdSend")->isHidden());
    }
};

QTEST_MAIN(tst_SendAiosmtpd)
#include "tst_send_aiosmtpd.moc"
