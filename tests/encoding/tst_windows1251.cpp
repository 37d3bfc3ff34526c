// Text on the wire is Windows-1251: Cyrillic must survive both ways, and what the code
// page lacks must be named before anything is sent.

#include "encoding/Windows1251.h"

#include <QTest>

class tst_Windows1251 : public QObject
{
    Q_OBJECT

private slots:
    void everyCyrillicLetterRoundTrips()
    {
        QString letters;
        for (char16_t c = u'А'; c <= u'я'; ++c)
            letters += QChar(c);
        letters += u"ЁёҐґЄєІіЇїЎў№"_qs;
        const QByteArray bytes = toWindows1251(letters).value();
        QCOMPARE(bytes.size(), letters.size());
        QCOMPARE(bytes.left(2), QByteArray("\xC0\xC1"));
        QCOMPARE(bytes.sliced(66, 8), QByteArray("\xA5\xB4\xAA\xBA\xB2\xB3\xAF\xBF")); // Ukrainian ҐґЄєІіЇї
        QCOMPARE(fromWindows1251(bytes), letters);
        QVERIFY(charactersOutsideWindows1251(letters).isEmpty());
    }

    void charactersOutsideAreNamedOnce()
    {
        QCOMPARE(charactersOutsideWindows1251(u"Привет 😀, €уро, ĀĀ 😀"_qs), u"😀Ā"_qs);
        QVERIFY(!toWindows1251(u"Привет 😀"_qs));
    }

    void undefinedByteBecomesReplacementCharacter()
    {
        QCOMPARE(fromWindows1251("550 \x98 x\0y"), u"550 \uFFFD x"_qs);
        QCOMPARE(fromWindows1251(QByteArray("a\0b", 3)), QString(u"a\0b"_qs.data(), 3));
    }
};

QTEST_GUILESS_MAIN(tst_Windows1251)
#include "tst_windows1251.moc"
