// What Send makes of the compose fields, what it refuses before anything happens, and
// how a pasted number is read.

#include "submission/Gateway.h"
#include "submission/PhoneNumber.h"
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

    static std::optional<Ending> refusal(const SendRequest &r)
    {
        const auto prepared = prepareSend(r);
        const auto *refused = std::get_if<Ending>(&prepared);
        return refused ? std::optional(*refused) : std::nullopt;
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

    // The seven digits of a number as people copy it, or why there are none: never a cut.
    void pastedNumbersAreReadWhole_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QVariant>("read"); // the digits, or the NumberProblem
        for (const QString &form :
             {u"+380 67 123 45 67"_qs, u"+380671234567"_qs, u"380671234567"_qs, u"80671234567"_qs, u"0671234567"_qs,
              u"067 123 45 67"_qs, u"067-123-45-67"_qs, u"(067) 123-45-67"_qs, u"123-45-67"_qs, u"123 45 67"_qs,
              u"671234567"_qs, u"8 (067) 123.45.67"_qs, u"\u202A+380\u00A067\u00A0123\u2011" "45\u2013" "67\u202C\r\n"_qs,
              u"\uFEFF\u200E123\u200B4567\u200F\t"_qs, u" tel:+380-67-123-45-67 \n"_qs, u"[067] 123/45/67"_qs})
            QTest::addRow("%s", qPrintable(form)) << form << QVariant(u"1234567"_qs);
        for (const QString &other : {u"+380 50 123 45 67"_qs, u"0681234567"_qs, u"+7 495 123 45 67"_qs, u"+1234567"_qs,
                                     u"380501234567"_qs, u"501234567"_qs})
            QTest::addRow("%s", qPrintable(other)) << other << QVariant::fromValue(NumberProblem::OtherOperator);
        for (const QString &none : {u""_qs, u"+"_qs, u"123456"_qs, u"12345678"_qs, u"067 123 45 6"_qs, u"067 123 45 678"_qs,
                                    u"38067123456"_qs, u"Иван 067 123 45 67"_qs, u"067 123 45 67 +"_qs, u"0671234567 ext. 2"_qs,
                                    u"١٢٣٤٥٦٧"_qs, u"067 123 45 67, 067 765 43 21"_qs})
            QTest::addRow("%s", qPrintable(none)) << none << QVariant::fromValue(NumberProblem::NotASubscriberNumber);
    }
    void pastedNumbersAreReadWhole()
    {
        QFETCH(QString, pasted);
        QFETCH(QVariant, read);
        QCOMPARE(std::visit([](auto got) { return QVariant::fromValue(got); }, readPhoneNumber(pasted)), read);
    }

    void textGoesOutAsWindows1251()
    {
        const auto prepared =
            std::get<PreparedSend>(prepareSend(request(SubscriberType::Contract, u"1234567"_qs, u"Щё\r\nІ\tї"_qs)));
        QCOMPARE(prepared.submission.messageText, QByteArray("\xD9\xB8\r\n\xB2\t\xBF")); // tabs and line breaks too
    }

    void refusedBeforeAnythingHappens()
    {
        QCOMPARE(refusal(request(SubscriberType::None, u"1234567"_qs, u"x"_qs))->kind, Ending::Kind::NoSubscriberType);
        for (const QString &number : {u""_qs, u"123456"_qs, u"12345678"_qs, u" 1234567"_qs, u"123 456"_qs, u"1\r\nRSET"_qs,
                                      u"١٢٣٤٥٦٧"_qs, u"１２３４５６７"_qs})
            QCOMPARE(refusal(request(SubscriberType::Contract, number, u"x"_qs))->kind, Ending::Kind::NumberNotSevenDigits);
        for (const QString &text : {u""_qs, u" "_qs, u"\r\n\t \r\n"_qs, u"\u00A0\u2003"_qs})
            QCOMPARE(refusal(request(SubscriberType::AceBase, u"1234567"_qs, text))->kind, Ending::Kind::EmptyText);

        SendRequest missing = request(SubscriberType::Contract, u"1234567"_qs, u"x"_qs);
        missing.attachmentPaths = {u"/nonexistent/report.txt"_qs};
        const auto unreadable = refusal(missing);
        QCOMPARE(unreadable->kind, Ending::Kind::AttachmentUnreadable);
        QCOMPARE(unreadable->path, u"/nonexistent/report.txt"_qs);

        QTemporaryDir dir;
        QFile snowman(dir.filePath(u"☃.txt"_qs));
        QVERIFY(snowman.open(QIODevice::WriteOnly));
        SendRequest named = request(SubscriberType::Contract, u"1234567"_qs, u"x"_qs);
        named.attachmentPaths = {snowman.fileName()};
        const auto unnamable = refusal(named);
        QCOMPARE(unnamable->kind, Ending::Kind::AttachmentUnreadable);
        QCOMPARE(unnamable->path, snowman.fileName());
        QCOMPARE(unnamable->attachmentFailure, MUUEncode::EncodeFailure::NameOutsideWindows1251);
    }

    // Each refused character is named so that it can be seen, once, in order of first use.
    void unsendableCharactersAreNamed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("outside Windows-1251") << u"Hi 😀 € 😀 ☃"_qs << QStringList{u"😀"_qs, u"☃"_qs};
        QTest::newRow("NUL in the text") << u"a\0b"_qs << QStringList{u"U+0000"_qs};
        QTest::newRow("byte-order mark") << u"\uFEFFПривет"_qs << QStringList{u"U+FEFF"_qs};
        QTest::newRow("zero width space and bidi override") << u"a\u200Bb\u202Ec"_qs << QStringList{u"U+200B"_qs, u"U+202E"_qs};
        QTest::newRow("right-to-left letter") << u"שלום"_qs
                                              << QStringList{u"U+05E9"_qs, u"U+05DC"_qs, u"U+05D5"_qs, u"U+05DD"_qs};
        QTest::newRow("once each, in order") << u"☃\x07☃"_qs << QStringList{u"☃"_qs, u"U+0007"_qs};
    }
    void unsendableCharactersAreNamed()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, named);
        const auto refused = refusal(request(SubscriberType::AceBase, u"1234567"_qs, text));
        QVERIFY(refused);
        QCOMPARE(refused->kind, Ending::Kind::UnsendableCharacters);
        QCOMPARE(refused->characters, named);
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
        QCOMPARE(refusal(r)->path, secret.fileName());
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
