// What Send makes of the compose fields, and what it refuses before anything happens.

#include "submission/Gateway.h"
#include "submission/SendCommand.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class tst_SendCommand : public QObject
{
    Q_OBJECT

private:
    static SendRequest request(SubscriberType type, const QString &number, const QString &text)
    {
        SendRequest r;
        r.type = type;
        r.phoneNumber = number;
        r.messageText = text;
        return r;
    }

    static QString refusal(const SendRequest &r)
    {
        const auto prepared = prepareSend(r);
        const auto *refused = std::get_if<SendRefusal>(&prepared);
        return refused ? refused->prompt : QString();
    }

private slots:
    void addressesFollowTheSubscriberType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<QString>("sender");
        const QString contract = QString::fromUtf16(kContractGatewayDomain);
        const QString aceBase = QString::fromUtf16(kAceBaseGatewayDomain);
        QTest::newRow("contract") << int(SubscriberType::Contract) << u"1234567"_qs
                                  << u"380671234567@"_qs + contract << u"0000000@"_qs + contract;
        QTest::newRow("Ace&base") << int(SubscriberType::AceBase) << u"7654321"_qs
                                  << u"380677654321@"_qs + aceBase << u"0000000@"_qs + aceBase;
        QTest::newRow("number used as typed") << int(SubscriberType::Contract) << u" 12 4"_qs
                                              << u"38067 12 4@"_qs + contract << u"0000000@"_qs + contract;
    }
    void addressesFollowTheSubscriberType()
    {
        QFETCH(int, type);
        QFETCH(QString, number);
        QFETCH(QString, recipient);
        QFETCH(QString, sender);
        const auto prepared = std::get<PreparedSend>(prepareSend(request(SubscriberType(type), number, u"x"_qs)));
        QCOMPARE(prepared.recipient, recipient);
        QCOMPARE(prepared.sender, sender);
        QCOMPARE(prepared.submission.recipient, recipient.toLatin1());
    }

    void textGoesOutAsWindows1251()
    {
        const auto prepared =
            std::get<PreparedSend>(prepareSend(request(SubscriberType::Contract, u"1234567"_qs, u"Щё\r\nІї"_qs)));
        QCOMPARE(prepared.submission.messageText, QByteArray("\xD9\xB8\r\n\xB2\xBF"));
    }

    void refusedBeforeAnythingHappens()
    {
        QVERIFY(refusal(request(SubscriberType::None, u"1234567"_qs, u"x"_qs)).contains(u"тип абонента"_qs));
        QVERIFY(refusal(request(SubscriberType::AceBase, u"1234567"_qs, u"Hi 😀 €"_qs)).contains(u"😀"_qs));

        SendRequest missing = request(SubscriberType::Contract, u"1234567"_qs, u"x"_qs);
        missing.attachmentPaths = {u"/nonexistent/report.txt"_qs};
        QVERIFY(refusal(missing).contains(u"/nonexistent/report.txt"_qs));

        QTemporaryDir dir;
        QFile snowman(dir.filePath(u"☃.txt"_qs));
        QVERIFY(snowman.open(QIODevice::WriteOnly));
        SendRequest named = request(SubscriberType::Contract, u"1234567"_qs, u"x"_qs);
        named.attachmentPaths = {snowman.fileName()};
        QCOMPARE(refusal(named), u"Не удалось вложить файл «%1»: имя файла содержит символы, которых нет в Windows-1251."_qs
                                     .arg(snowman.fileName()));
    }

    void attachmentsAreReadAsTheyAreAtSend()
    {
        QTemporaryDir dir;
        QFile empty(dir.filePath(u"empty"_qs)), shrunk(dir.filePath(u"shrunk"_qs));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        QVERIFY(shrunk.open(QIODevice::WriteOnly));
        shrunk.write(QByteArray(1000, 'x'));
        shrunk.close();
        SendRequest r = request(SubscriberType::Contract, u"1234567"_qs, u"x"_qs);
        r.attachmentPaths = {empty.fileName(), shrunk.fileName()};
        QVERIFY(shrunk.resize(3)); // listed with 1000 bytes, 3 left when Send is pressed
        const auto prepared = std::get<PreparedSend>(prepareSend(r));
        QCOMPARE(prepared.submission.attachmentBlock,
                 QByteArray("begin 664 empty\n`\nend\n\r\nbegin 664 shrunk\n#>'AX\n`\nend\n\r\n"));
    }

    void unreadableAttachmentIsRefused()
    {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        QTemporaryDir dir;
        QFile secret(dir.filePath(u"secret"_qs));
        QVERIFY(secret.open(QIODevice::WriteOnly));
        secret.close();
        QVERIFY(secret.setPermissions({}));
        SendRequest r = request(SubscriberType::Contract, u"1234567"_qs, u"x"_qs);
        r.attachmentPaths = {secret.fileName()};
        QVERIFY(refusal(r).contains(secret.fileName()));
    }

    void everyAttachmentIsFollowedByCrlf()
    {
        QTemporaryDir dir;
        QStringList paths;
        for (const auto &[name, bytes] : {std::pair{"a.txt", "abc"}, std::pair{"b.txt", "abcd"}}) {
            QFile file(dir.filePath(QLatin1StringView(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            paths += file.fileName();
        }
        SendRequest r = request(SubscriberType::Contract, u"1234567"_qs, u"x"_qs);
        r.attachmentPaths = paths + paths.first(1); // the same file twice goes twice
        const auto prepared = std::get<PreparedSend>(prepareSend(r));
        const QByteArray a = "begin 664 a.txt\n#86)C\n`\nend\n\r\n";
        QCOMPARE(prepared.submission.attachmentBlock, a + "begin 664 b.txt\n$86)C9\"`@\n`\nend\n\r\n" + a);
    }
};

QTEST_GUILESS_MAIN(tst_SendCommand)
#include "tst_sendcommand.moc"
