// The SMTP dialogue without sockets: fed server replies, it must answer each complete
// reply with exactly one step and end truthfully. Each case runs with the replies whole
// and split byte by byte.

#include "submission/SmtpDialogue.h"

#include <QTest>

namespace {

Submission contractHi()
{
    return {"0000000@sms.kyivstar.net", "380671234567@sms.kyivstar.net", "", "Hi", ""};
}

struct Run
{
    QByteArray sent;
    std::optional<SmtpDialogue::Ending> ending;
    QByteArray refusal;
    int step = 0;
};

// Feeds each server chunk in turn; stops at the ending as the window does.
Run run(const Submission &submission, const QList<QByteArray> &chunks, bool byteByByte = false)
{
    SmtpDialogue dialogue(submission);
    Run result;
    for (const QByteArray &chunk : chunks) {
        const qsizetype step = byteByByte ? 1 : std::max<qsizetype>(1, chunk.size());
        for (qsizetype at = 0; at < chunk.size() && !result.ending; at += step) {
            auto reaction = dialogue.receive(QByteArrayView(chunk).sliced(at, std::min(step, chunk.size() - at)));
            result.sent += reaction.toSend;
            result.ending = reaction.ending;
            result.refusal = reaction.refusal;
        }
    }
    result.step = dialogue.step();
    return result;
}

const QList<QByteArray> kHappyServer = {"220 relay ESMTP\r\n", "250 hello\r\n", "250 sender ok\r\n",
                                         "250 recipient ok\r\n", "354 go ahead\r\n", "250 queued\r\n",
                                         "221 bye\r\n"};

const QByteArray kHappyTranscript = "HELO 0000000\r\n"
                                    "MAIL FROM:0000000@sms.kyivstar.net\r\n"
                                    "RCPT TO:380671234567@sms.kyivstar.net\r\n"
                                    "DATA\r\n"
                                    "Subject:\r\n\r\nHi\r\n\r\n\r\n.\r\n"
                                    "QUIT\r\n";

} // namespace

class tst_SmtpDialogue : public QObject
{
    Q_OBJECT

private slots:
    void wholeDialogue_data()
    {
        QTest::addColumn<bool>("byteByByte");
        QTest::newRow("replies whole") << false;
        QTest::newRow("replies byte by byte") << true;
    }
    void wholeDialogue()
    {
        QFETCH(bool, byteByByte);
        const Run result = run(contractHi(), kHappyServer, byteByByte);
        QCOMPARE(result.sent, kHappyTranscript);
        QCOMPARE(result.ending, SmtpDialogue::Ending::Sent);
        QCOMPARE(result.step, 6);
    }

    void multiLineGreetingIsOneStep()
    {
        QList<QByteArray> server = kHappyServer;
        server[0] = "220-relay.example ESMTP\r\n220-no UCE\r\n220 ready\r\n";
        QCOMPARE(run(contractHi(), {server[0]}).sent, QByteArray("HELO 0000000\r\n"));
        QCOMPARE(run(contractHi(), server, true).sent, kHappyTranscript);
    }

    void twoRepliesInOneReadAreHandledInTurn()
    {
        const Run result = run(contractHi(), {"220 hi\r\n250 hello\r\n", "250 a\r\n250 b\r\n354 go\r\n",
                                              "250 queued\r\n221 bye\r\n"});
        QCOMPARE(result.sent, kHappyTranscript);
        QCOMPARE(result.ending, SmtpDialogue::Ending::Sent);
    }

    void anyAcceptedCodeAdvances()
    {
        const Run result = run(contractHi(), {"354 odd\r\n", "220 odd\r\n", "250 ok\r\n"});
        QCOMPARE(result.step, 3);
        QVERIFY(!result.ending);
    }

    void refusalAtEachStep_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QByteArray>("reply");
        for (int step = 0; step <= 5; ++step) {
            QTest::addRow("554 at step %d", step) << step << QByteArray("554 5.7.1 no\r\n");
            QTest::addRow("421 at step %d", step) << step << QByteArray("421 closing\r\n");
        }
        QTest::newRow("short text at greeting") << 0 << QByteArray("22\r\n");
        QTest::newRow("multi-line refusal quoted whole") << 2 << QByteArray("550-no such user\r\n550 bye\r\n");
        QTest::newRow("oversized 250 line") << 1 << QByteArray("250 ") + QByteArray(kMaxReplyBytes, 'x');
    }
    void refusalAtEachStep()
    {
        QFETCH(int, step);
        QFETCH(QByteArray, reply);
        QList<QByteArray> server = kHappyServer.first(step);
        server += reply;
        server += "250 never read\r\n";
        const Run result = run(contractHi(), server);
        QCOMPARE(result.ending, SmtpDialogue::Ending::Refused);
        QCOMPARE(result.refusal, reply.first(std::min(reply.size(), kMaxReplyBytes)));
        QCOMPARE(result.step, step);
        QVERIFY(kHappyTranscript.startsWith(result.sent));
    }

    void anyReplyAfterQuitIsSuccess_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("221") << QByteArray("221 bye\r\n");
        QTest::newRow("250 after QUIT") << QByteArray("250 ok\r\n");
        QTest::newRow("short text") << QByteArray("2\r\n");
    }
    void anyReplyAfterQuitIsSuccess()
    {
        QFETCH(QByteArray, reply);
        QList<QByteArray> server = kHappyServer.first(6);
        server += reply;
        QCOMPARE(run(contractHi(), server).ending, SmtpDialogue::Ending::Sent);
    }

    void bytesAfterTheEndingAreIgnored()
    {
        SmtpDialogue dialogue(contractHi());
        QVERIFY(dialogue.receive("554 no\r\n").ending);
        const auto after = dialogue.receive("220 hi\r\n");
        QVERIFY(after.toSend.isEmpty());
        QVERIFY(!after.ending);
    }

    void messageBody_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("attachments");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("two lines and an attachment")
            << QByteArray("a\r\nb") << QByteArray("begin 664 x\n#86)C\n`\nend\n\r\n")
            << QByteArray("a\r\nb\r\n\r\nbegin 664 x\r\n#86)C\r\n`\r\nend\r\n\r\n\r\n");
        QTest::newRow("dot lines are doubled") << QByteArray(".\r\n..x\r\n. y") << QByteArray()
                                               << QByteArray("..\r\n...x\r\n.. y\r\n\r\n\r\n");
        QTest::newRow("lone CR and LF become CRLF")
            << QByteArray("a\rb\nc") << QByteArray() << QByteArray("a\r\nb\r\nc\r\n\r\n\r\n");
        QTest::newRow("uuencoded line starting with a dot")
            << QByteArray() << QByteArray("begin 664 x\n.86)C\n`\nend\n\r\n")
            << QByteArray("\r\n\r\nbegin 664 x\r\n..86)C\r\n`\r\nend\r\n\r\n\r\n");
        const QByteArray cyrillic = QByteArray(160, '\xEF'); // 160 times "п" in Windows-1251
        QTest::newRow("160 Cyrillic characters") << cyrillic << QByteArray() << cyrillic + "\r\n\r\n\r\n";
    }
    void messageBody()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, attachments);
        QFETCH(QByteArray, data);
        Submission submission = contractHi();
        submission.messageText = text;
        submission.attachmentBlock = attachments;
        const Run result = run(submission, kHappyServer.first(5));
        QCOMPARE(result.sent.sliced(result.sent.indexOf("Subject:")), "Subject:\r\n\r\n" + data + ".\r\n");
    }

    void fieldsNeverChangeTheShapeOfACommand()
    {
        Submission submission{"  0000000@x \r\n", "1@x\r\nRSET", "s\r\nBcc: a@b", "t", ""};
        const QByteArray sent = run(submission, kHappyServer.first(5)).sent;
        QCOMPARE(sent.first(sent.indexOf("\r\n\r\n")),
                 QByteArray("HELO 0000000\r\nMAIL FROM:0000000@x\r\nRCPT TO:1@xRSET\r\nDATA\r\n"
                            "Subject:sBcc: a@b"));
    }
};

QTEST_GUILESS_MAIN(tst_SmtpDialogue)
#include "tst_smtpdialogue.moc"
