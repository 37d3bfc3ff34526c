// Reply framing: what a server sends is cut into whole replies, however TCP splits it.
// Every case runs twice: all bytes in one read, and one byte per read.

#include "submission/ReplyReader.h"

#include <QTest>

namespace {

QList<QByteArray> replies(const QByteArray &wire, bool byteByByte)
{
    ReplyReader reader;
    QList<QByteArray> out;
    const qsizetype step = byteByByte ? 1 : wire.size();
    for (qsizetype at = 0; at < wire.size(); at += step) {
        reader.feed(QByteArrayView(wire).sliced(at, std::min(step, wire.size() - at)));
        while (auto reply = reader.next())
            out += reply->text;
    }
    return out;
}

} // namespace

class tst_ReplyReader : public QObject
{
    Q_OBJECT

private slots:
    void framing_data()
    {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QList<QByteArray>>("expected");
        QTest::addColumn<bool>("byteByByte");
        const QList<std::tuple<const char *, QByteArray, QList<QByteArray>>> cases = {
            {"one reply", "220 ready\r\n", {"220 ready\r\n"}},
            {"LF without CR", "250 ok\n", {"250 ok\n"}},
            {"220- continuation, then 220 final", "220-hello\r\n220-more\r\n220 ready\r\n",
             {"220-hello\r\n220-more\r\n220 ready\r\n"}},
            {"two replies in one read", "250 a\r\n354 b\r\n", {"250 a\r\n", "354 b\r\n"}},
            {"incomplete reply waits", "250 ok\r\n221 by", {"250 ok\r\n"}},
            {"continuation not yet ended waits", "250-a\r\n250-b\r\n", {}},
            {"short line ends a reply", "25\r\n", {"25\r\n"}},
            {"bare code ends a reply", "221\n", {"221\n"}},
        };
        for (const auto &[name, wire, expected] : cases) {
            QTest::addRow("%s, one read", name) << wire << expected << false;
            QTest::addRow("%s, byte by byte", name) << wire << expected << true;
        }
    }
    void framing()
    {
        QFETCH(QByteArray, wire);
        QFETCH(QList<QByteArray>, expected);
        QFETCH(bool, byteByByte);
        QCOMPARE(replies(wire, byteByByte), expected);
    }

    void overlongLineIsCutAndMarked()
    {
        ReplyReader reader;
        reader.feed(QByteArray(kMaxReplyBytes, 'x'));
        QVERIFY(!reader.next());
        reader.feed("y");
        const auto reply = reader.next();
        QVERIFY(reply);
        QVERIFY(reply->oversized);
        QCOMPARE(reply->text.size(), kMaxReplyBytes);
    }

    void endlessContinuationStaysBounded()
    {
        ReplyReader reader;
        int cut = 0;
        for (int i = 0; i < 20000; ++i) {
            reader.feed("250-and more and more\r\n");
            while (auto reply = reader.next()) {
                QVERIFY(reply->text.size() <= kMaxReplyBytes);
                cut += reply->oversized;
            }
        }
        QVERIFY(cut > 0);
    }
};

QTEST_GUILESS_MAIN(tst_ReplyReader)
#include "tst_replyreader.moc"
