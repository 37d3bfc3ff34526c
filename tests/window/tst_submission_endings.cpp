// Every way a submission can end: each shows one truthful box, closes the connection,
// and leaves the window ready for the next Send with the message kept.

#include "../support/ScriptedSmtpServer.h"
#include "../support/TestPlatform.h"
#include "../support/WindowControls.h"

#include "platform/MessageTextBox.h"
#include "window/frmSendMail.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

class tst_SubmissionEndings : public QObject
{
    Q_OBJECT

private:
    RecordingMessageBox boxes_;
    ScriptedFileDialog fileDialog_;

    static void compose(QWidget &window, bool chooseType, const QString &text)
    {
        control<QRadioButton>(window, "Option1")->setChecked(chooseType);
        control<QLineEdit>(window, "Text1")->setText(u"1234567"_qs);
        control<MessageTextBox>(window, "txtMessage")->setPlainText(text);
    }

    static void verifyIdle(QWidget &window, const QString &text)
    {
        QVERIFY(!control(window, "cmdSend")->isHidden());
        QVERIFY(control<QLabel>(window, "Label10")->text().isEmpty());
        QCOMPARE(control<MessageTextBox>(window, "txtMessage")->toPlainText(), text);
    }


private slots:
    void init() { boxes_.shown.clear(); }

    void refusedBeforeConnecting_data()
    {
        QTest::addColumn<bool>("chooseType");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("attachment");
        QTest::addColumn<QString>("promptPart");
        QTest::newRow("no subscriber type") << false << u"Привет"_qs << QString() << u"тип абонента"_qs;
        QTest::newRow("emoji outside Windows-1251") << true << u"Привет 😀"_qs << QString() << u"😀"_qs;
        QTest::newRow("missing attachment") << true << u"Привет"_qs << u"/nonexistent/x.txt"_qs
                                            << u"/nonexistent/x.txt"_qs;
    }
    void refusedBeforeConnecting()
    {
        QFETCH(bool, chooseType);
        QFETCH(QString, text);
        QFETCH(QString, attachment);
        QFETCH(QString, promptPart);
        ScriptedSmtpServer server(kGoodServer);
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        compose(window, chooseType, text);
        if (!attachment.isEmpty())
            control<QListWidget>(window, "lstAttachments")->addItem(attachment);

        control<QPushButton>(window, "cmdSend")->click();
        QCOMPARE(boxes_.shown.size(), 1);
        QVERIFY2(boxes_.shown[0].prompt.contains(promptPart), qPrintable(boxes_.shown[0].prompt));
        QCOMPARE(boxes_.shown[0].icon, MsgBoxIcon::Exclamation);
        QCOMPARE(boxes_.shown[0].title, u"Tallimo"_qs);
        verifyIdle(window, text);
        QVERIFY(control<QLineEdit>(window, "txtHost")->text().isEmpty());
        QTest::qWait(100);
        QCOMPARE(server.connections, 0);
    }

    void hangingUpAfterQuitIsStillASuccess()
    {
        QList<QByteArray> script = kGoodServer.first(6);
        script += "<close>";
        ScriptedSmtpServer server(script);
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        compose(window, true, u"Текст"_qs);
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 1);
        QCOMPARE(boxes_.shown[0].prompt, u"Ваше сообщение отправлено!"_qs);
        verifyIdle(window, u"Текст"_qs);
    }

    void refusalQuotesTheServerAndRetryStartsAfresh()
    {
        QList<QByteArray> script = kGoodServer.first(3);
        script += "550-5.1.1 no such subscriber\r\n550 5.1.1 try again\r\n";
        script += kGoodServer; // the retry's own connection gets a fresh dialogue
        ScriptedSmtpServer server(script);
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        compose(window, true, u"Текст"_qs);

        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 1);
        QCOMPARE(boxes_.shown[0].prompt, u"Ошибка: 550-5.1.1 no such subscriber\r\n550 5.1.1 try again\r\n"_qs);
        QCOMPARE(boxes_.shown[0].icon, MsgBoxIcon::Information);
        verifyIdle(window, u"Текст"_qs);

        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 2);
        QCOMPARE(boxes_.shown[1].prompt, u"Ваше сообщение отправлено!"_qs);
        QCOMPARE(server.connections, 2);
        QCOMPARE(server.received.count("HELO 0000000\r\n"), 2);
        QCOMPARE(server.received.count("\r\n.\r\n"), 1);
    }

    void socketErrorWhileTheBoxIsOpenIsNotShownTwice()
    {
        ScriptedSmtpServer server({"220 hi\r\n", "554 no\r\n", "<close>"});
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port(), kReplyTimeout});
        compose(window, true, u"x"_qs);
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 1);
        QTest::qWait(200);
        QCOMPARE(boxes_.shown.size(), 1);
    }
};

QTEST_MAIN(tst_SubmissionEndings)
#include "tst_submission_endings.moc"
