// Every way a submission can end: each shows one truthful box, closes the connection,
// and leaves the window ready for the next Send with the message kept.

#include "../support/ScriptedSmtpServer.h"
#include "../support/SubmissionTranscript.h"
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

    static void compose(QWidget &window, bool chooseType, const QString &number, const QString &text)
    {
        control<QRadioButton>(window, "Option1")->setChecked(chooseType);
        control<QLineEdit>(window, "Text1")->setText(number);
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
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("attachment");
        QTest::addColumn<QString>("prompt");
        const auto unsendable = [](const QString &named) {
            return u"Эти символы нельзя отправить в SMS: "_qs + named
                + u"\nУберите их и нажмите «Послать» ещё раз."_qs;
        };
        QTest::newRow("no subscriber type") << false << u"1234567"_qs << u"Привет"_qs << QString()
                                            << u"Выберите тип абонента: контрактный или Ace&base."_qs;
        QTest::newRow("emoji outside Windows-1251") << true << u"1234567"_qs << u"Привет 😀"_qs << QString()
                                                    << unsendable(u"😀"_qs);
        QTest::newRow("NUL in the text") << true << u"1234567"_qs << u"При\0вет"_qs << QString()
                                         << unsendable(u"U+0000"_qs);
        QTest::newRow("control character in the number") << true << u"123\x7f""567"_qs << u"Привет"_qs << QString()
                                                          << unsendable(u"U+007F"_qs);
        QTest::newRow("byte-order mark and bidi override") << true << u"1234567"_qs << u"\uFEFFПри\u202Eвет"_qs
                                                           << QString() << unsendable(u"U+FEFF U+202E"_qs);
        QTest::newRow("missing attachment")
            << true << u"1234567"_qs << u"Привет"_qs << u"/nonexistent/x.txt"_qs
            << u"Не удалось вложить файл «/nonexistent/x.txt»: No such file or directory."_qs;
    }
    void refusedBeforeConnecting()
    {
        QFETCH(bool, chooseType);
        QFETCH(QString, number);
        QFETCH(QString, text);
        QFETCH(QString, attachment);
        QFETCH(QString, prompt);
        ScriptedSmtpServer server({kGoodServer});
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port()});
        compose(window, chooseType, number, text);
        if (!attachment.isEmpty())
            control<QListWidget>(window, "lstAttachments")->addItem(attachment);

        control<QPushButton>(window, "cmdSend")->click();
        QCOMPARE(boxes_.shown.size(), 1);
        QCOMPARE(boxes_.shown[0].prompt, prompt);
        QCOMPARE(boxes_.shown[0].icon, MsgBoxIcon::Exclamation);
        QCOMPARE(boxes_.shown[0].title, u"Tallimo"_qs);
        verifyIdle(window, text);
        for (const char *field : {"txtHost", "txtSender", "txtRecipient"})
            QVERIFY(control<QLineEdit>(window, field)->text().isEmpty());
        QTest::qWait(100);
        QCOMPARE(server.transcripts.size(), 0);
    }

    // Send writes the hidden fields before connecting; New empties recipient and subject
    // only, while the message on its way keeps what Send took.
    void hiddenFieldsAfterSendAndNew()
    {
        ScriptedSmtpServer server({kGoodServer});
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port()});
        compose(window, true, u"1234567"_qs, u"Текст"_qs);
        control<QPushButton>(window, "cmdSend")->click();
        control<QLineEdit>(window, "txtSubject")->setText(u"stale"_qs);
        QCOMPARE(control<QLineEdit>(window, "txtHost")->text(), u"127.0.0.1"_qs);
        QCOMPARE(control<QLineEdit>(window, "txtSender")->text(), u"0000000@sms.kyivstar.net"_qs);
        QCOMPARE(control<QLineEdit>(window, "txtRecipient")->text(), u"380671234567@sms.kyivstar.net"_qs);
        control<QPushButton>(window, "cmdNew")->click();
        for (const char *emptied : {"txtRecipient", "txtSubject"})
            QVERIFY(control<QLineEdit>(window, emptied)->text().isEmpty());
        QCOMPARE(control<QLineEdit>(window, "txtSender")->text(), u"0000000@sms.kyivstar.net"_qs);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), u"1234567"_qs);
        QVERIFY(control<QRadioButton>(window, "Option1")->isChecked());
        QTRY_COMPARE(boxes_.shown.size(), 1);
        QCOMPARE(server.transcripts.value(0), submissionTranscript(6));
        verifyIdle(window, QString());
    }

    void hangingUpAfterTheMessageIsTakenIsStillASuccess()
    {
        ScriptedSmtpServer server({kGoodServer.first(6) + QList<QByteArray>{"<close>"}});
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port()});
        compose(window, true, u"1234567"_qs, u"Текст"_qs);
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 1);
        QCOMPARE(boxes_.shown[0].prompt, u"Ваше сообщение отправлено!"_qs);
        QCOMPARE(boxes_.shown[0].title, QString());
        QCOMPARE(boxes_.shown[0].icon, MsgBoxIcon::Information);
        QCOMPARE(server.transcripts.value(0), submissionTranscript(6));
        verifyIdle(window, u"Текст"_qs);
    }

    void refusalQuotesTheServerAndRetryStartsAfresh()
    {
        ScriptedSmtpServer server(
            {kGoodServer.first(3) + QList<QByteArray>{"550-5.1.1 no such subscriber\r\n550 5.1.1 try again\r\n"},
             kGoodServer});
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port()});
        compose(window, true, u"1234567"_qs, u"Текст"_qs);

        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 1);
        QCOMPARE(boxes_.shown[0].prompt, u"Ошибка: 550-5.1.1 no such subscriber\r\n550 5.1.1 try again\r\n"_qs);
        QCOMPARE(boxes_.shown[0].icon, MsgBoxIcon::Information);
        verifyIdle(window, u"Текст"_qs);

        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 2);
        QCOMPARE(boxes_.shown[1].prompt, u"Ваше сообщение отправлено!"_qs);
        QCOMPARE(server.transcripts, (QList<QByteArray>{submissionTranscript(3, true), submissionTranscript(6)}));
        QTRY_COMPARE(server.closedByClient, 2);
    }

    // Whatever the socket still reports once a submission has ended is no news.
    void eventsAfterTheEndingShowNothing()
    {
        ScriptedSmtpServer server({QList<QByteArray>{"220 hi\r\n", "554 no\r\n"}});
        frmSendMail window(boxes_, fileDialog_, Relay{u"127.0.0.1"_qs, server.port()});
        compose(window, true, u"1234567"_qs, u"x"_qs);
        control<QPushButton>(window, "cmdSend")->click();
        QTRY_COMPARE(boxes_.shown.size(), 1);
        auto *socket = window.findChild<SocketControl *>();
        emit socket->DataArrival();
        emit socket->Error(10054, u"reset"_qs);
        emit socket->ReplyOverdue();
        QCOMPARE(boxes_.shown.size(), 1);
        QCOMPARE(boxes_.shown[0].prompt, u"Ошибка: 554 no\r\n"_qs);
        verifyIdle(window, u"x"_qs);
    }
};

QTEST_MAIN(tst_SubmissionEndings)
#include "tst_submission_endings.moc"
