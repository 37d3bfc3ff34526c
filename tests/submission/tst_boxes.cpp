// What each box advises follows what happened and where. The words are boxFor's alone,
// so this checks which endings share their advice and which must not.

#include "submission/Boxes.h"
#include "submission/Gateway.h"
#include "submission/SocketErrors.h"

#include <QTest>

using enum Ending::Kind;
using enum SmtpStep;

// The socket errors, from the table the window takes them from.
constexpr int kReset = socketErrorNumber(SocketError::ConnectionReset);
constexpr int kNoNetwork = socketErrorNumber(SocketError::NetworkUnreachable);
constexpr int kNoRoute = socketErrorNumber(SocketError::HostUnreachable);
constexpr int kForbidden = socketErrorNumber(SocketError::AccessDenied);
constexpr int kRefused = socketErrorNumber(SocketError::ConnectionRefused);
constexpr int kTimedOut = socketErrorNumber(SocketError::TimedOut);

class tst_Boxes : public QObject
{
    Q_OBJECT

private:
    static Box refused(SmtpStep step, Ending::Kind kind = Refused)
    {
        return boxFor({.kind = kind, .step = step, .reply = "554 no\r\n"}, kReplyTimeout);
    }
    static Box failed(SmtpStep step, int number = kReset, Ending::Kind kind = ConnectionFailed)
    {
        return boxFor({.kind = kind, .step = step, .socketError = number, .description = u"lost"_qs}, kReplyTimeout);
    }
    static QString advice(const Box &box) { return box.prompt.section(u"\n\n"_qs, 1); }

private slots:
    // Greeting, HELO and MAIL FROM turn away the connection or the sender, RCPT TO the
    // number, DATA and the final "." the text; a 4xx is a "later" wherever it comes.
    void refusalsAdviseByTheStepRefused()
    {
        for (SmtpStep step : {Greeting, Helo, MailFrom, RcptTo, Data, Message}) {
            QVERIFY(refused(step).prompt.startsWith(u"Ошибка: 554 no\n\n"));
            QCOMPARE(refused(step).title, refused(Greeting).title);
            QCOMPARE(advice(refused(step, Deferred)), advice(refused(Greeting, Deferred)));
            QVERIFY(advice(refused(step, Deferred)) != advice(refused(step)));
        }
        QCOMPARE(advice(refused(Helo)), advice(refused(Greeting)));
        QCOMPARE(advice(refused(MailFrom)), advice(refused(Greeting)));
        QCOMPARE(advice(refused(Message)), advice(refused(Data)));
        const QSet<QString> distinct{advice(refused(Greeting)), advice(refused(RcptTo)), advice(refused(Data))};
        QCOMPARE(distinct.size(), 3);
    }

    // No route anywhere before the final "."; no answer before the greeting; a break
    // in the middle; and after the ".", a message that may have arrived.
    void failuresAdviseByWhatAndWhere()
    {
        for (SmtpStep step : {Greeting, Helo, Data, Message})
            QVERIFY(failed(step).prompt.startsWith(u"Winsock Error number 10054\r\nlost\n\n"));
        QCOMPARE(advice(failed(Data, kNoNetwork)), advice(failed(Greeting, kNoRoute)));
        QCOMPARE(advice(failed(Greeting, kForbidden)), advice(failed(Greeting, kNoNetwork)));
        QCOMPARE(advice(failed(Greeting, kRefused)), advice(failed(Greeting, kTimedOut, TimedOut)));
        QCOMPARE(advice(failed(Helo)), advice(failed(Data, kTimedOut, TimedOut)));
        QCOMPARE(advice(failed(Message, kNoNetwork)), advice(failed(Message, kTimedOut, TimedOut)));
        QVERIFY(advice(failed(Message)).contains(u"могло дойти до абонента"));
        const QSet<QString> distinct{advice(failed(Greeting, kNoNetwork)), advice(failed(Greeting)), advice(failed(Data)),
                                     advice(failed(Message))};
        QCOMPARE(distinct.size(), 4);
    }

    // What would go in place of a look-alike follows the characters the box names; a
    // number that is not seven digits is quoted.
    void refusalsBeforeConnectingSayWhatToWrite()
    {
        const Box apostrophe = boxFor({.kind = UnsendableCharacters, .characters = {u"ʼ (U+02BC)"_qs},
                                       .lookAlikes = {{u"ʼ (U+02BC)"_qs, u"’"_qs}}}, kReplyTimeout);
        QVERIFY(apostrophe.prompt.contains(u": ʼ (U+02BC)\n"));
        const QString instead = apostrophe.prompt.section(u'\n', -1);
        QVERIFY(instead.contains(u"ʼ (U+02BC)") && instead.contains(u"’"));
        QVERIFY(boxFor({.kind = NumberNotSevenDigits, .number = u"06712345"_qs}, kReplyTimeout).prompt.contains(u"«06712345»"));
    }
};

QTEST_GUILESS_MAIN(tst_Boxes)
#include "tst_boxes.moc"
