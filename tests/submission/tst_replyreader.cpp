// Reply framing: what a server sends is cut into whole replies, however TCP splits it,
// and a reply over the cap is cut there and marked, whole or in pieces alike. Every
// case runs twice: all bytes in one read, and one byte per read.

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
        while (auto reply = reader.next()) {
            if (reply->oversized) // the dialogue reads no further
                return out += reply->text + "<cut>";
            out += reply->text;
        }
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
        const QByteArray atCap = "250 " + QByteArray(kMaxReplyBytes - 6, 'x') + "\r\n";
        const QByteArray overCap = "250 " + QByteArray(kMaxReplyBytes, 'x') + "\r\n";
        const QByteArray endless = QByteArray("250-and more\r\n").repeated(6000);
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
            {"a reply of exactly the cap", atCap, {atCap}},
            {"a reply one byte over the cap", "2" + atCap, {("2" + atCap).first(kMaxReplyBytes) + "<cut>"}},
            {"a complete reply over the cap", overCap + "221 bye\r\n", {overCap.first(kMaxReplyBytes) + "<cut>"}},
            {"a line without an end over the cap", overCap.first(kMaxReplyBytes + 1),
             {overCap.first(kMaxReplyBytes) + "<cut>"}},
            {"continuation lines over the cap", endless, {endless.first(kMaxReplyBytes) + "<cut>"}},
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
};

QTEST_GUILESS_MAIN(tst_ReplyReader)
#include "tst_replyreader.moc"
