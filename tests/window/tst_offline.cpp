// A machine with no way to the relay: no route at all, or a route that refuses at once
// (a VPN's or firewall's unreachable, prohibit or blackhole). The socket fails before
// Connect returns; the box must come once, after which the window is ready for the next
// Send. Runs in a private network namespace of its own, so nothing leaves the machine.

#include "../support/SendingWindow.h"

#include <QTest>

#include <sched.h>

Q_DECLARE_METATYPE(Box)

class tst_Offline : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (unshare(CLONE_NEWNET) != 0)
            QSKIP("needs a private network namespace (run as root)");
        QCOMPARE(QProcess::execute(u"ip"_qs, {u"link"_qs, u"set"_qs, u"lo"_qs, u"up"_qs}), 0);
        for (const char *kind : {"unreachable", "prohibit", "blackhole"})
            QCOMPARE(QProcess::execute(u"ip"_qs, {u"route"_qs, u"add"_qs, QString::fromLatin1(kind),
                                                  u"192.0.2.%1"_qs.arg(kind[0] == 'u' ? 2 : kind[0] == 'p' ? 3 : 4)}),
                     0);
    }

    void failureInsideConnect_data()
    {
        QTest::addColumn<QString>("relay");
        QTest::addColumn<Box>("box");
        const auto failed = [](int number, const char *description) {
            return socketErrorBox(SmtpStep::Greeting, number, QString::fromLatin1(description));
        };
        constexpr int noNetwork = socketErrorNumber(SocketError::NetworkUnreachable);
        QTest::newRow("no route") << u"192.0.2.1"_qs << failed(noNetwork, "Network unreachable");
        QTest::newRow("unreachable route")
            << u"192.0.2.2"_qs << failed(socketErrorNumber(SocketError::HostUnreachable), "Host unreachable");
        QTest::newRow("prohibit route")
            << u"192.0.2.3"_qs << failed(socketErrorNumber(SocketError::AccessDenied), "Permission denied");
        QTest::newRow("blackhole route") << u"192.0.2.4"_qs << failed(noNetwork, "Network unreachable");
        // Last: the machine keeps its IPv6 from here on. A unique local address is no
        // network of IPv6.
        QTest::newRow("unique local IPv6 only") << u"192.0.2.1"_qs << failed(noNetwork, "Network unreachable");
        QTest::newRow("IPv6 only") << u"192.0.2.1"_qs
                                   << boxFor({.kind = Ending::Kind::ConnectionFailed, .socketError = noNetwork,
                                              .description = u"Network unreachable"_qs, .ipv6Only = true},
                                             kReplyTimeout);
    }
    void failureInsideConnect()
    {
        QFETCH(QString, relay);
        QFETCH(Box, box);
        const QByteArrayView row = QTest::currentDataTag();
        if (row.endsWith("IPv6 only")) {
            const QString address = row.startsWith("unique") ? u"fd00::1/128"_qs : u"2001:db8::1/128"_qs;
            QCOMPARE(QProcess::execute(u"ip"_qs, {u"-6"_qs, u"addr"_qs, u"add"_qs, address, u"dev"_qs, u"lo"_qs}), 0);
        }
        SendingWindow sending(Relay{.host = relay});
        sending.compose();
        for (int send = 1; send <= 2; ++send) { // OK, then Send again
            sending.send();
            QTRY_COMPARE(sending.boxes.shown.size(), send);
            QCOMPARE(sending.boxes.shown.last(), box);
            QVERIFY(sending.isIdleWith(u"Текст"_qs));
        }
        QTest::qWait(100);
        QCOMPARE(sending.boxes.shown.size(), 2);
    }
};

QTEST_MAIN(tst_Offline)
#include "tst_offline.moc"
