// The SMTP dialogue without sockets: fed server replies and the connection's events,
// it must answer each complete reply with exactly one step and end truthfully. Every
// case runs twice: the server's bytes whole, and split byte by byte.

#include "../support/SubmissionTranscript.h"

#include "submission/Gateway.h"
#include "submission/SmtpDialogue.h"

#include <QTest>

using namespace std::chrono_literals;
using Kind = Ending::Kind;
using Step = SmtpDialogue::Step;

namespace {

constexpr SmtpDialogue::Timeouts kTimeouts{kReplyTimeout, kQuitGrace}; // what the program uses

Submission contractHi()
{
    return {"0000000@sms.kyivstar.net", "380671234567@sms.kyivstar.net", "", "Hi", ""};
}

struct Run
{
    QByteArray sent;
    std::optional<Ending> ending;
    QList<std::chrono::milliseconds> deadlines; // each one armed, in order
    Step step = Step::Greeting;
};

// Feeds each event in turn, "<lost>" and "<deadline>" standing for the connection's
// loss and a deadline passing, anything else for bytes from the server; stops at the
// ending as the window does.
Run run(const Submission &submission, const QList<QByteArray> &events, bool byteByByte)
{
    SmtpDialogue dialogue(submission, kTimeouts);
    Run result;
    const auto take = [&](const SmtpDialogue::Reaction &reaction) {
        result.sent += reaction.toSend;
        if (reaction.awaitReplyWithin)
            result.deadlines += *reaction.awaitReplyWithin;
        if (reaction.ending)
            result.ending = reaction.ending;
    };
    take(dialogue.start());
    for (const QByteArray &event : events) {
        if (result.ending)
            break;
        if (event == "<lost>") {
            take(dialogue.connectionLost({10054, u"reset"_qs}));
            continue;
        }
        if (event == "<deadline>") {
            take(dialogue.deadlinePassed());
            continue;
        }
        const qsizetype piece = byteByByte ? 1 : std::max<qsizetype>(1, event.size());
        for (qsizetype at = 0; at < event.size() && !result.ending; at += piece)
            take(dialogue.receive(QByteArrayView(event).sliced(at, std::min(piece, event.size() - at))));
    }
    result.step = dialogue.step();
    return result;
}

const QList<QByteArray> kHappyServer = {"220 relay ESMTP\r\n", "250 hello\r\n", "250 sender ok\r\n",
                                         "250 recipient ok\r\n", "354 go ahead\r\n", "250 queued\r\n",
                                         "221 bye\r\n"};

// What the client sends in answer to the first n replies of kHappyServer.
QByteArray transcript(int n)
{
    return submissionTranscript(n, false, "Hi");
}

} // namespace

Q_DECLARE_METATYPE(Ending::Kind)
Q_DECLARE_METATYPE(SmtpDialogue::Step)

class tst_SmtpDialogue : public QObject
{
    Q_OBJECT

private slots:
    // Every ending: the server's events, then what the client sent, how it ended, the
    // step it stopped at.
    void endings_data()
    {
        QTest::addColumn<QList<QByteArray>>("events");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<Step>("step");
        QTest::addColumn<bool>("byteByByte");
        // A reply's bytes that came with the one before it were there before its command:
        // whole and byte by byte then differ.
        const auto add = [](const QString &name, const QList<QByteArray> &events, const QByteArray &sent, Kind kind,
                            const QByteArray &reply, Step step, QList<bool> splits = {false, true}) {
            for (bool byteByByte : splits)
                QTest::addRow("%s, %s", qPrintable(name), byteByByte ? "byte by byte" : "whole")
                    << events << sent << kind << reply << step << byteByByte;
        };
        add(u"the whole dialogue"_qs, kHappyServer, transcript(6), Kind::Sent, {}, Step::Quit);
        QList<QByteArray> multiLine = kHappyServer;
        multiLine[0] = "220-relay.example ESMTP\r\n220-no UCE\r\n220 ready\r\n";
        multiLine[4] = "354-go\r\n354 ahead\r\n";
        add(u"multi-line replies are one step each"_qs, multiLine, transcript(6), Kind::Sent, {}, Step::Quit);
        const QList<QByteArray> early = {"220 hi\r\n250 hello\r\n", "250 a\r\n250 b\r\n354 go\r\n", "250 queued\r\n",
                                         "221 bye\r\n"};
        add(u"a reply read with the one before it is out of turn"_qs, early, transcript(1) + "QUIT\r\n", Kind::Refused,
            "250 hello\r\n", Step::Helo, {false});
        add(u"replies each after its command"_qs, early, transcript(6), Kind::Sent, {}, Step::Quit, {true});
        add(u"every reply before the first command"_qs, {kHappyServer.join()}, transcript(1) + "QUIT\r\n",
            Kind::Refused, "250 hello\r\n", Step::Helo, {false});
        add(u"a reply's first byte before its command"_qs, {"220 hi\r\n2", "50 hello\r\n"}, transcript(1) + "QUIT\r\n",
            Kind::Refused, "250 hello\r\n", Step::Helo, {false});
        add(u"out of turn after the message was taken"_qs, kHappyServer.first(5) + QList<QByteArray>{"250 ok\r\n221 bye\r\n"},
            transcript(6), Kind::Sent, {}, Step::Quit);
        add(u"any accepted code advances"_qs, {"354 odd\r\n", "220 odd\r\n", "250 ok\r\n", "<deadline>"},
            transcript(3) + "QUIT\r\n", Kind::TimedOut, {}, Step::RcptTo);

        for (int step = 0; step <= 5; ++step) {
            const QList<QByteArray> before = kHappyServer.first(step);
            for (const auto &[refusal, kind] : {std::pair{QByteArray("554 5.7.1 no\r\n"), Kind::Refused},
                                                std::pair{QByteArray("421 closing\r\n"), Kind::Deferred}})
                add(u"%1 at step %2"_qs.arg(QString::fromLatin1(refusal.first(3))).arg(step),
                    before + QList<QByteArray>{refusal, "250 never read\r\n"}, transcript(step) + "QUIT\r\n", kind,
                    refusal, Step(step));
            add(u"connection lost at step %1"_qs.arg(step), before + QList<QByteArray>{"<lost>"}, transcript(step),
                Kind::ConnectionFailed, {}, Step(step));
            add(u"deadline at step %1"_qs.arg(step), before + QList<QByteArray>{"<deadline>"},
                transcript(step) + "QUIT\r\n", Kind::TimedOut, {}, Step(step));
        }
        for (const QByteArray notTaken : {"354 go on\r\n", "220 hello again\r\n", "251 forwarded\r\n",
                                          "250-queued\r\n554 rejected\r\n", "2500 not a code\r\n", "250\tok\r\n"})
            add(u"%1 to the final dot is no acceptance"_qs.arg(QString::fromLatin1(notTaken).trimmed().replace(u"\r\n"_qs, u" / "_qs)),
                kHappyServer.first(5) + QList<QByteArray>{notTaken}, transcript(5) + "QUIT\r\n", Kind::Refused,
                notTaken, Step::Message);
        add(u"250 to DATA: the text is not sent"_qs, kHappyServer.first(4) + QList<QByteArray>{"250 ok\r\n"},
            transcript(4) + "QUIT\r\n", Kind::Refused, "250 ok\r\n", Step::Data);
        QList<QByteArray> forwarding = kHappyServer;
        forwarding[3] = "251 user not local; will forward\r\n";
        add(u"251 to RCPT TO goes on"_qs, forwarding, transcript(6), Kind::Sent, {}, Step::Quit);
        add(u"short text at the greeting"_qs, {"22\r\n"}, "QUIT\r\n", Kind::Refused, "22\r\n", Step::Greeting);
        add(u"multi-line refusal quoted whole"_qs, kHappyServer.first(2) + QList<QByteArray>{"550-no such\r\n550 bye\r\n"},
            transcript(2) + "QUIT\r\n", Kind::Refused, "550-no such\r\n550 bye\r\n", Step::MailFrom);

        // After the message is taken, whatever comes ends it as sent.
        for (const QByteArray after : {"221 bye\r\n", "250 ok\r\n", "2\r\n", "554 odd\r\n", "<lost>", "<deadline>"})
            add(u"%1 after the message was taken"_qs.arg(QString::fromLatin1(after).trimmed()),
                kHappyServer.first(6) + QList<QByteArray>{after}, transcript(6), Kind::Sent, {}, Step::Quit);

        // The cap holds however TCP splits the bytes: over it is never an acceptance.
        const QByteArray atCap = "250 " + QByteArray(kMaxReplyBytes - 6, 'x') + "\r\n";
        add(u"a reply of exactly the cap is a reply"_qs, kHappyServer.first(1) + QList<QByteArray>{atCap, "<lost>"},
            transcript(2), Kind::ConnectionFailed, {}, Step::MailFrom);
        const QByteArray oneOver = "250 x" + atCap.sliced(4);
        add(u"a reply one byte over the cap"_qs, kHappyServer.first(1) + QList<QByteArray>{oneOver},
            transcript(1) + "QUIT\r\n", Kind::ReplyTooLong, oneOver.first(kMaxReplyBytes), Step::Helo);
        const QByteArray overCap = "250 " + QByteArray(kMaxReplyBytes, 'x') + "\r\n";
        add(u"a complete reply over the cap"_qs, kHappyServer.first(1) + QList<QByteArray>{overCap},
            transcript(1) + "QUIT\r\n", Kind::ReplyTooLong, overCap.first(kMaxReplyBytes), Step::Helo);
        add(u"a line over the cap without an end"_qs, kHappyServer.first(1) + QList<QByteArray>{overCap.first(kMaxReplyBytes + 1)},
            transcript(1) + "QUIT\r\n", Kind::ReplyTooLong, overCap.first(kMaxReplyBytes), Step::Helo);
        QByteArray endless;
        while (endless.size() <= kMaxReplyBytes)
            endless += "220-and more\r\n";
        add(u"continuation lines past the cap"_qs, {endless + "220 done\r\n"}, "QUIT\r\n", Kind::ReplyTooLong,
            endless.first(kMaxReplyBytes), Step::Greeting);
    }
    void endings()
    {
        QFETCH(QList<QByteArray>, events);
        QFETCH(QByteArray, sent);
        QFETCH(Kind, kind);
        QFETCH(QByteArray, reply);
        QFETCH(Step, step);
        QFETCH(bool, byteByByte);
        const Run result = run(contractHi(), events, byteByByte);
        QCOMPARE(result.sent, sent);
        QVERIFY(result.ending);
        QCOMPARE(result.ending->kind, kind);
        QCOMPARE(result.ending->reply, reply);
        QCOMPARE(result.ending->socketError, kind == Kind::ConnectionFailed ? 10054 : 0);
        QCOMPARE(result.step, step);
    }

    // The whole reply within 60 s of its command, QUIT's within a 2 s grace.
    void deadlinesAreArmedPerCommand()
    {
        const Run result = run(contractHi(), kHappyServer, false);
        QCOMPARE(result.deadlines, (QList<std::chrono::milliseconds>{60s, 60s, 60s, 60s, 60s, 60s, 2s}));
    }

    void eventsAfterTheEndingAreIgnored()
    {
        SmtpDialogue dialogue(contractHi(), kTimeouts);
        QVERIFY(dialogue.receive("554 no\r\n").ending);
        for (const auto &after : {dialogue.receive("220 hi\r\n"), dialogue.connectionLost({}), dialogue.deadlinePassed()}) {
            QVERIFY(after.toSend.isEmpty());
            QVERIFY(!after.ending);
            QVERIFY(!after.awaitReplyWithin);
        }
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
        for (bool byteByByte : {false, true})
            QCOMPARE(run(submission, kHappyServer, byteByByte).sent,
                     transcript(4) + "Subject:\r\n\r\n" + data + ".\r\nQUIT\r\n");
    }

    void fieldsNeverChangeTheShapeOfACommand()
    {
        Submission submission{"  0000000@x \r\n", "1@x\r\nRSET", "s\r\nBcc: a@b", "t", ""};
        QCOMPARE(run(submission, kHappyServer, false).sent,
                 QByteArray("HELO 0000000\r\nMAIL FROM:<0000000@x>\r\nRCPT TO:<1@xRSET>\r\nDATA\r\n"
                            "Subject:sBcc: a@b\r\n\r\nt\r\n\r\n\r\n.\r\nQUIT\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_SmtpDialogue)
#include "tst_smtpdialogue.moc"
