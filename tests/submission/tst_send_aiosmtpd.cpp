// Send through the real socket to a real, strict SMTP server (the gateway stand-in on
// aiosmtpd, on loopback): what the server received, and the box the user saw.

#include "../support/SendingWindow.h"

#include <QJsonArray>
#include <QTcpServer>

class tst_SendAiosmtpd : public QObject
{
    Q_OBJECT

private slots:
    // The text arrives byte for byte; the envelope follows the subscriber type.
    void messagesArriveIntact_data()
    {
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("arrives");
        QTest::addColumn<QString>("domain");
        const QString contract = QString::fromUtf16(kContractGatewayDomain);
        QString cyrillic;
        for (char16_t c = u'А'; c <= u'я'; ++c)
            cyrillic += QChar(c);
        cyrillic += u"ЁёҐґЄєІіЇїЎў"_qs;
        QTest::newRow("Ace&base subscriber") << QByteArray("Option2") << u"Привет, мир!\n.\nЁлки"_qs
                                             << u"Привет, мир!\r\n.\r\nЁлки"_qs
                                             << QString::fromUtf16(kAceBaseGatewayDomain);
        QTest::newRow("lines that are a dot or begin with two")
            << QByteArray("Option1") << u".\n..x\n."_qs << u".\r\n..x\r\n."_qs << contract;
        QTest::newRow("lone CR") << QByteArray("Option1") << u"a\rb"_qs << u"a\r\nb"_qs << contract;
        const QString half = QString(79, u'ж');
        QTest::newRow("exactly 160 with a line break")
            << QByteArray("Option1") << half + u'\n' + half << half + u"\r\n"_qs + half << contract;
        QTest::newRow("every Cyrillic letter of Windows-1251") << QByteArray("Option1") << cyrillic << cyrillic << contract;
        QTest::newRow("text that looks like an address") << QByteArray("Option1") << u"<a@b> 1\tx"_qs
                                                         << u"<a@b> 1\tx"_qs << contract;
    }
    void messagesArriveIntact()
    {
        QFETCH(QByteArray, option);
        QFETCH(QString, text);
        QFETCH(QString, arrives);
        QFETCH(QString, domain);
        RecordingSmtpServer server;
        SendingWindow sending(server.port());
        sending.compose(option, u"1234567"_qs, text);
        sending.send();
        QTRY_COMPARE_WITH_TIMEOUT(sending.boxes.shown, QList<Box>{sentBox()}, 10000);
        QVERIFY(sending.isIdleWith(sending.message()->toPlainText()));
        QTRY_COMPARE(server.messages().size(), 1);
        const QJsonObject expected{{u"helo"_qs, u"0000000"_qs},
                                   {u"mail_from"_qs, u"0000000@"_qs + domain},
                                   {u"rcpt_tos"_qs, QJsonArray{u"380671234567@"_qs + domain}},
                                   {u"data"_qs, u"Subject:\r\n\r\n"_qs + arrives + u"\r\n\r\n\r\n"_qs}};
        QCOMPARE(server.messages().first(), expected);
    }

    // Seven digits that name no subscriber are the gateway's to refuse, at RCPT TO; the
    // same text then goes to the right number.
    void theGatewayJudgesTheNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("reply");
        QTest::newRow("unknown subscriber") << u"1230000"_qs << u"550 5.1.1 No such subscriber\r\n"_qs;
    }
    void theGatewayJudgesTheNumber()
    {
        QFETCH(QString, number);
        QFETCH(QString, reply);
        RecordingSmtpServer server;
        SendingWindow sending(server.port());
        sending.compose("Option1", number, u"Тест"_qs);
        sending.send();
        const Box refused = refusedBox(SmtpStep::RcptTo, reply.toLatin1());
        QTRY_COMPARE_WITH_TIMEOUT(sending.boxes.shown, QList<Box>{refused}, 10000);
        QVERIFY(sending.isIdleWith(u"Тест"_qs));

        sending.control<QLineEdit>("Text1")->setText(u"1231234"_qs);
        sending.send();
        QTRY_COMPARE_WITH_TIMEOUT(sending.boxes.shown, (QList<Box>{refused, sentBox()}), 10000);
        QTRY_COMPARE(server.messages().size(), 1);
        QCOMPARE(server.messages().first()["data"].toString(), u"Subject:\r\n\r\nТест\r\n\r\n\r\n"_qs);
    }

    void connectionRefusedShowsSocketError()
    {
        QTcpServer placeholder; // takes a free port, then frees it: nobody listens there
        QVERIFY(placeholder.listen(QHostAddress::LocalHost));
        const quint16 port = placeholder.serverPort();
        placeholder.close();

        SendingWindow sending(port);
        sending.compose();
        sending.send();
        QTRY_COMPARE_WITH_TIMEOUT(sending.boxes.shown.size(), 1, 10000);
        QCOMPARE(sending.boxes.shown[0], socketErrorBox(SmtpStep::Greeting, socketErrorNumber(SocketError::ConnectionRefused), u"Connection refused"_qs));
        QVERIFY(sending.isIdleWith(u"Текст"_qs));
    }
};

QTEST_MAIN(tst_SendAiosmtpd)
#include "tst_send_aiosmtpd.moc"
