// Every way a submission can end: each shows one truthful box, closes the connection,
// and leaves the window ready for the next Send with the message kept.

#include "../support/ScriptedSmtpServer.h"
#include "../support/SendingWindow.h"
#include "../support/SubmissionTranscript.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>

Q_DECLARE_METATYPE(Ending)

class tst_SubmissionEndings : public QObject
{
    Q_OBJECT

private slots:
    // Each refusal gives the focus back to the field to mend, if it is one.
    void refusedBeforeConnecting_data()
    {
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("attachment");
        QTest::addColumn<Ending>("refusal");
        QTest::addColumn<QString>("focus");
        using enum Ending::Kind;
        const auto unsendable = [](const QStringList &named) { return Ending{.kind = UnsendableCharacters, .characters = named}; };
        QTest::newRow("no subscriber type") << QByteArray() << u"1234567"_qs << u"Привет"_qs << QString()
                                            << Ending{NoSubscriberType} << QString();
        for (const QString &number : {u""_qs, u"123456"_qs, u"12345 7"_qs, u"06712345"_qs, u"123٤567"_qs})
            QTest::addRow("number \"%s\"", qPrintable(number))
                << QByteArray("Option1") << number << u"Привет"_qs << QString()
                << Ending{.kind = NumberNotSevenDigits, .number = number} << u"Text1"_qs;
        for (const QString &text : {u""_qs, u" "_qs, u"\n \t \n"_qs})
            QTest::addRow("text of %d spaces and line breaks", int(text.size()))
                << QByteArray("Option2") << u"1234567"_qs << text << QString() << Ending{EmptyText} << u"txtMessage"_qs;
        QTest::newRow("emoji outside Windows-1251") << QByteArray("Option1") << u"1234567"_qs << u"Привет 😀"_qs
                                                    << QString() << unsendable({u"😀"_qs}) << QString();
        QTest::newRow("NUL in the text") << QByteArray("Option1") << u"1234567"_qs << u"При\0вет"_qs << QString()
                                         << unsendable({u"U+0000"_qs}) << QString();
        QTest::newRow("byte-order mark and bidi override") << QByteArray("Option1") << u"1234567"_qs
                                                           << u"\uFEFFПри\u202Eвет"_qs << QString()
                                                           << unsendable({u"U+FEFF"_qs, u"U+202E"_qs}) << QString();
        QTest::newRow("Ukrainian apostrophe, which looks like ’")
            << QByteArray("Option1") << u"1234567"_qs << u"Мʼята"_qs << QString()
            << Ending{.kind = UnsendableCharacters, .characters = {u"ʼ (U+02BC)"_qs}, .lookAlikes = {{u"ʼ (U+02BC)"_qs, u"’"_qs}}}
            << QString();
        QTest::newRow("missing attachment")
            << QByteArray("Option1") << u"1234567"_qs << u"Привет"_qs << u"/nonexistent/x.txt"_qs
            << Ending{.kind = AttachmentUnreadable, .path = u"/nonexistent/x.txt"_qs,
                      .attachmentFailure = MUUEncode::EncodeFailure::Missing}
            << QString();
    }
    void refusedBeforeConnecting()
    {
        QFETCH(QByteArray, option);
        QFETCH(QString, number);
        QFETCH(QString, text);
        QFETCH(QString, attachment);
        QFETCH(Ending, refusal);
        QFETCH(QString, focus);
        ScriptedSmtpServer server({kGoodServer});
        SendingWindow sending(server.port());
        sending.compose(option.isEmpty() ? nullptr : option.constData(), number, text);
        if (!attachment.isEmpty())
            sending.control<QListWidget>("lstAttachments")->addItem(attachment);

        sending.send();
        QCOMPARE(sending.boxes.shown, QList<Box>{boxFor(refusal, kReplyTimeout)});
        QCOMPARE(sending.boxes.shown[0].icon, MsgBoxIcon::Exclamation);
        QCOMPARE(sending.boxes.shown[0].title, u"Tallimo"_qs);
        QVERIFY(sending.isIdleWith(text));
        QCOMPARE(sending.window.focusWidget() ? sending.window.focusWidget()->objectName() : QString(), focus);
        for (const char *field : {"txtHost", "txtSender", "txtRecipient"})
            QVERIFY(sending.control<QLineEdit>(field)->text().isEmpty());
        QTest::qWait(100);
        QCOMPARE(server.transcripts.size(), 0);
    }

    // Send writes the hidden fields before connecting; New empties recipient and subject
    // only, while the message on its way keeps what Send took.
    void hiddenFieldsAfterSendAndNew()
    {
        ScriptedSmtpServer server({kGoodServer});
        SendingWindow sending(server.port());
        sending.compose();
        sending.send();
        sending.control<QLineEdit>("txtSubject")->setText(u"stale"_qs);
        QCOMPARE(sending.control<QLineEdit>("txtHost")->text(), u"127.0.0.1"_qs);
        QCOMPARE(sending.control<QLineEdit>("txtSender")->text(), u"0000000@sms.kyivstar.net"_qs);
        QCOMPARE(sending.control<QLineEdit>("txtRecipient")->text(), u"380671234567@sms.kyivstar.net"_qs);
        sending.control<QPushButton>("cmdNew")->click();
        for (const char *emptied : {"txtRecipient", "txtSubject"})
            QVERIFY(sending.control<QLineEdit>(emptied)->text().isEmpty());
        QCOMPARE(sending.control<QLineEdit>("txtSender")->text(), u"0000000@sms.kyivstar.net"_qs);
        QCOMPARE(sending.control<QLineEdit>("Text1")->text(), u"1234567"_qs);
        QVERIFY(sending.control<QRadioButton>("Option1")->isChecked());
        QTRY_COMPARE(sending.boxes.shown, QList<Box>{sentBox()});
        QCOMPARE(server.transcripts.value(0), submissionTranscript(6));
        QVERIFY(sending.isIdleWith(QString()));
    }

    void hangingUpAfterTheMessageIsTakenIsStillASuccess()
    {
        ScriptedSmtpServer server({kGoodServer.first(6) + QList<QByteArray>{"<close>"}});
        SendingWindow sending(server.port());
        sending.compose();
        sending.send();
        QTRY_COMPARE(sending.boxes.shown, QList<Box>{sentBox()});
        QCOMPARE(server.transcripts.value(0), submissionTranscript(6));
        QVERIFY(sending.isIdleWith(u"Текст"_qs));
    }

    void refusalQuotesTheServerAndRetryStartsAfresh()
    {
        ScriptedSmtpServer server(
            {kGoodServer.first(3) + QList<QByteArray>{"550-5.1.1 no such subscriber\r\n550 5.1.1 try again\r\n"},
             kGoodServer});
        SendingWindow sending(server.port());
        sending.compose();

        sending.send();
        const Box refused = refusedBox(SmtpStep::RcptTo, "550-5.1.1 no such subscriber\r\n550 5.1.1 try again\r\n");
        QTRY_COMPARE(sending.boxes.shown, QList<Box>{refused});
        QVERIFY(sending.isIdleWith(u"Текст"_qs));

        sending.send();
        QTRY_COMPARE(sending.boxes.shown, (QList<Box>{refused, sentBox()}));
        QCOMPARE(server.transcripts, (QList<QByteArray>{submissionTranscript(3, true), submissionTranscript(6)}));
        QTRY_COMPARE(server.closedByClient, 2);
    }

    // A Return held on the box goes on repeating once the box has closed: no repeat
    // presses a button. After a success the focus is on New, so even a new Return does not
    // send the message again; after anything else it is a retry.
    void aKeyHeldOnTheBoxPressesNothing_data()
    {
        QTest::addColumn<QList<QByteArray>>("script");
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QString>("focus");
        QTest::newRow("sent") << kGoodServer << QByteArray("Option1") << u"cmdNew"_qs;
        QTest::newRow("refused") << QList<QByteArray>{"220 hi\r\n", "554 no\r\n"} << QByteArray("Option1")
                                 << u"cmdSend"_qs;
        QTest::newRow("hung up") << QList<QByteArray>{"<close>"} << QByteArray("Option1") << u"cmdSend"_qs;
        QTest::newRow("refused before connecting") << kGoodServer << QByteArray() << u"cmdSend"_qs;
    }
    void aKeyHeldOnTheBoxPressesNothing()
    {
        QFETCH(QList<QByteArray>, script);
        QFETCH(QByteArray, option);
        QFETCH(QString, focus);
        ScriptedSmtpServer server({script, script});
        SendingWindow sending(server.port());
        sending.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&sending.window));
        sending.compose(option.isEmpty() ? nullptr : option.constData());
        sending.control("cmdSend")->setFocus();
        QTest::keyClick(sending.control("cmdSend"), Qt::Key_Return);
        QTRY_COMPARE(sending.boxes.shown.size(), 1);
        QTRY_COMPARE(server.closedByClient, int(server.transcripts.size())); // its QUIT, if any, has come
        const QList<QByteArray> seen = server.transcripts;

        // X repeats as a release and a press of one time; Qt flags them only when it sees
        // both at once.
        for (int repeat = 1; repeat <= 20; ++repeat) {
            const bool flagged = repeat % 2;
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, u"\r"_qs, flagged);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_qs, flagged);
            release.setTimestamp(1000 + repeat * 40);
            press.setTimestamp(1000 + repeat * 40);
            QApplication::sendEvent(QApplication::focusWidget(), &release);
            QApplication::sendEvent(QApplication::focusWidget(), &press);
        }
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, u"\r"_qs);
        QApplication::sendEvent(QApplication::focusWidget(), &release);
        QTest::qWait(200);
        QCOMPARE(sending.boxes.shown.size(), 1);
        QCOMPARE(server.transcripts, seen);
        QVERIFY(sending.isIdleWith(u"Текст"_qs));
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // a new press
        if (focus == u"cmdNew")
            QVERIFY(sending.isIdleWith(QString()));
        else
            QTRY_COMPARE(sending.boxes.shown.size(), 2);
        QCOMPARE(server.transcripts.size(), seen.size() + (focus == u"cmdNew" || option.isEmpty() ? 0 : 1));
    }

    // Whatever the socket still reports once a submission has ended is no news.
    void eventsAfterTheEndingShowNothing()
    {
        ScriptedSmtpServer server({QList<QByteArray>{"220 hi\r\n", "554 no\r\n"}});
        SendingWindow sending(server.port());
        sending.compose();
        sending.send();
        QTRY_COMPARE(sending.boxes.shown.size(), 1);
        auto *socket = sending.window.findChild<SocketControl *>();
        emit socket->DataArrival();
        emit socket->Error({10054, u"reset"_qs});
        emit socket->ReplyOverdue();
        QCOMPARE(sending.boxes.shown.size(), 1);
        QCOMPARE(sending.boxes.shown[0], refusedBox(SmtpStep::Helo, "554 no\r\n"));
        QVERIFY(sending.isIdleWith(u"Текст"_qs));
    }
};

QTEST_MAIN(tst_SubmissionEndings)
#include "tst_submission_endings.moc"
