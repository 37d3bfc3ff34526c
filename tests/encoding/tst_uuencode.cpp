// The uuencoder: the exact bytes receivers get, the block size, failures, and GNU
// uudecode as the judge of whether the block decodes back to the file.

#include "encoding/MUUEncode.h"
#include "encoding/UUBlockWriter.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

using MUUEncode::kChunkBytes;
using MUUEncode::kFullLineCharacters;
using MUUEncode::UUEncodeFile;

class tst_UUEncode : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QByteArray uudecode(const QByteArray &block)
    {
        const QString out = dir_.filePath(u"decoded"_qs);
        QFile::remove(out);
        QProcess uudecode;
        uudecode.start(u"uudecode"_qs, {u"-o"_qs, out});
        uudecode.write(block);
        uudecode.closeWriteChannel();
        if (!uudecode.waitForFinished(60000) || uudecode.exitCode() != 0)
            return "uudecode failed: " + uudecode.readAllStandardError();
        QFile decoded(out);
        return decoded.open(QIODevice::ReadOnly) ? decoded.readAll() : QByteArray("no output");
    }

private slots:
    void exactBlocks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("abc: one group") << u"a.txt"_qs << QByteArray("abc")
                                        << QByteArray("begin 664 a.txt\n#86)C\n`\nend\n");
        QTest::newRow("abcd: second group filled with spaces")
            << u"a.txt"_qs << QByteArray("abcd") << QByteArray("begin 664 a.txt\n$86)C9\"`@\n`\nend\n");
        QTest::newRow("one byte") << u"a"_qs << QByteArray("a") << QByteArray("begin 664 a\n!82`@\n`\nend\n");
        QTest::newRow("zero bytes become grave accents")
            << u"z"_qs << QByteArray(3, '\0') << QByteArray("begin 664 z\n#````\n`\nend\n");
        QTest::newRow("empty file: header, zero-length line, end")
            << u"e"_qs << QByteArray() << QByteArray("begin 664 e\n`\nend\n");
        QTest::newRow("name keeps its spaces") << u"my file.txt"_qs << QByteArray()
                                               << QByteArray("begin 664 my file.txt\n`\nend\n");
        QTest::newRow("Cyrillic name in Windows-1251")
            << u"отчёт"_qs << QByteArray() << QByteArray("begin 664 \xEE\xF2\xF7\xB8\xF2\n`\nend\n");
    }
    void exactBlocks()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, block);
        QCOMPARE(UUEncodeFile(write(name, content)), block);
    }

    void lineShapes()
    {
        const QList<QByteArray> at45 = UUEncodeFile(write(u"f45"_qs, QByteArray(45, 'x'))).split('\n');
        QCOMPARE(at45.size(), 5); // header, data, zero-length, end, and the empty rest
        QVERIFY(at45[1].startsWith('M'));
        QCOMPARE(at45[1].size(), 61);

        const QList<QByteArray> at46 = UUEncodeFile(write(u"f46"_qs, QByteArray(46, 'x'))).split('\n');
        QCOMPARE(at46[1].size(), 61);
        QCOMPARE(at46[2].size(), 5);
        QVERIFY(at46[2].startsWith('!'));

        const QByteArray at90 = UUEncodeFile(write(u"f90"_qs, QByteArray(90, 'x')));
        QCOMPARE(at90.count("\nM"), 2);
    }

    // Whole lines go sixteen characters at a time where the processor can; they must be
    // the characters a line-by-line encoding gives, for every byte value in every place.
    void wholeLinesMatchLineByLine()
    {
        QByteArray data(kChunkBytes * 2000, Qt::Uninitialized);
        QRandomGenerator generator(45);
        for (char &byte : data)
            byte = char(generator.bounded(256));
        for (int value = 0; value < 256; ++value) // each value at every offset of a line
            data[value * (kChunkBytes + 1)] = char(value);
        data.replace(0, kChunkBytes, QByteArray(kChunkBytes, '\0'));
        const auto *bytes = reinterpret_cast<const unsigned char *>(data.constData());
        const qsizetype lines = data.size() / kChunkBytes;

        std::vector<char> together(lines * kFullLineCharacters), oneByOne(lines * kFullLineCharacters);
        // Where each stopped, as an offset: QCOMPARE would read a char * as a C string.
        QCOMPARE(MUUEncode::encodeFullLines(bytes, lines, together.data()) - together.data(), qsizetype(together.size()));
        char *out = oneByOne.data();
        for (qsizetype line = 0; line < lines; ++line)
            out = MUUEncode::encodeLine(bytes + line * kChunkBytes, kChunkBytes, out);
        QCOMPARE(out - oneByOne.data(), qsizetype(oneByOne.size()));
        QVERIFY(together == oneByOne);
    }

    void headerNameIsTheLastPathPart_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("no separator") << u"a.txt"_qs << u"a.txt"_qs;
        QTest::newRow("backslash") << u"C:\\Мои документы\\a.txt"_qs << u"a.txt"_qs;
        QTest::newRow("forward slash: folders stay private") << u"/home/user/a.txt"_qs << u"a.txt"_qs;
        QTest::newRow("mixed") << u"/tmp/x\\y/z.bin"_qs << u"z.bin"_qs;
    }
    void headerNameIsTheLastPathPart()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(MUUEncode::headerName(path).toString(), name);
    }

    void sizeFormulaAndRoundTrip_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {0, 1, 2, 3, 44, 45, 46, 89, 90, 91, 3 * 1024 * 1024 + 7, 9 * 1024 * 1024 + 7})
            QTest::newRow(qPrintable(QString::number(size) + u" bytes"_qs)) << size;
    }
    void sizeFormulaAndRoundTrip()
    {
        QFETCH(int, size);
        QByteArray content(size, Qt::Uninitialized);
        for (char &byte : content)
            byte = char(QRandomGenerator::global()->bounded(256));
        const QString name = u"random.bin"_qs;
        const QByteArray block = UUEncodeFile(write(name, content));

        const int full = size / 45, rest = size % 45;
        QCOMPARE(block.size(), 11 + name.size() + 62 * full + (rest ? 2 + 4 * ((rest + 2) / 3) : 0) + 6);
        QCOMPARE(block.size(), MUUEncode::blockSize(name.size(), size));
        const QByteArray data = block.sliced(block.indexOf('\n') + 1);
        QVERIFY2(!data.contains(' '), "a data line holds a space");
        QVERIFY(!block.contains('\r'));
        QCOMPARE(uudecode(block), content);
    }

    void failuresCarryPathAndCause_data()
    {
        using enum MUUEncode::EncodeFailure;
        QTest::addColumn<QString>("path");
        QTest::addColumn<MUUEncode::EncodeFailure>("failure");
        QTest::newRow("no such file") << dir_.filePath(u"missing"_qs) << Missing;
        QTest::newRow("a folder on the path is a file") << write(u"plain"_qs, "x") + u"/inside"_qs << Missing;
        QTest::newRow("a directory") << dir_.path() << NotAFile;
        QTest::newRow("a device that never ends") << u"/dev/zero"_qs << NotAFile;
        const QString fifo = dir_.filePath(u"fifo"_qs);
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QTest::newRow("a pipe nobody writes to") << fifo << NotAFile;
        QTest::newRow("a name Windows-1251 cannot carry") << write(u"снеговик ☃.txt"_qs, "x") << NameOutsideWindows1251;
        // sysfs says 4096 bytes and holds a few: the block must not be padded out.
        QTest::newRow("a file shorter than its size") << u"/sys/devices/system/cpu/online"_qs << ShrankWhileRead;
        if (geteuid() != 0) { // root reads anything
            const QString locked = write(u"locked"_qs, "x");
            QFile::setPermissions(locked, QFile::WriteOwner);
            QTest::newRow("no permission to read") << locked << NoPermission;
        }
    }
    // A code, for the window to put into words; the system's own words only where no
    // code says it.
    void failuresCarryPathAndCause()
    {
        QFETCH(QString, path);
        QFETCH(MUUEncode::EncodeFailure, failure);
        try {
            (void)UUEncodeFile(path);
            QFAIL("no failure");
        } catch (const MUUEncode::EncodeError &error) {
            QCOMPARE(error.path(), path);
            QCOMPARE(error.failure(), failure);
        }
    }
};

QTEST_GUILESS_MAIN(tst_UUEncode)
#include "tst_uuencode.moc"
