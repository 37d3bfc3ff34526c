// Measurements the benchmark script asks for, one per run; each prints one number per
// repetition (seconds), or the figure named.
//   encode FILE REPS          UUEncodeFile over FILE
//   memcpy BYTES REPS         copying BYTES, the memory-bandwidth floor
//   fresh-fill BYTES REPS     filling a new string of the size of BYTES' block
//   encode-rss FILE           peak RSS (KiB) and the block's size in memory (KiB)
//   prepare FILE REPS         prepareSend of a short text with FILE attached
//   prepare-rss FILE          peak RSS (KiB) of that and its attachment block's size (KiB)
//   submit PORT REPS          Send to 127.0.0.1:PORT until the success box

#include "encoding/MUUEncode.h"
#include "encoding/UUBlockWriter.h"
#include "encoding/HugePages.h"
#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"
#include "platform/MessageTextBox.h"
#include "submission/SendCommand.h"
#include "window/frmSendMail.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "PeakRss.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

void print(double value)
{
    std::printf("%.9f\n", value);
}

int encode(const QString &path, int reps)
{
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QByteArray block = MUUEncode::UUEncodeFile(path);
        print(timer.nsecsElapsed() / 1e9);
        if (block.isEmpty())
            return 1;
    }
    return 0;
}

int copy(qsizetype bytes, int reps)
{
    std::vector<char> from(bytes, 'x'), to(bytes, 'y');
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer timer;
        timer.start();
        std::memcpy(to.data(), from.data(), bytes);
        print(timer.nsecsElapsed() / 1e9);
        from[i % bytes] = to[(i * 7) % bytes]; // keeps the copy from being optimised away
    }
    return 0;
}

// Filling a fresh block of the block's size: the page faults and the kernel's zeroing
// that every new block pays, whatever encodes into it.
int freshFill(qsizetype bytes, int reps)
{
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer timer;
        timer.start();
        QByteArray block(bytes, Qt::Uninitialized);
        adviseHugePages(block.data(), std::size_t(bytes));
        std::memset(block.data(), 'M', std::size_t(bytes)); // libc's fastest stores
        print(timer.nsecsElapsed() / 1e9);
    }
    return 0;
}

int encodeRss(const QString &path)
{
    const QByteArray block = MUUEncode::UUEncodeFile(path);
    std::printf("%ld\n%lld\n", peakRssKiB(), static_cast<long long>(block.size()) / 1024);
    return 0;
}

// Send with one attachment, as the window hands it over.
QByteArray preparedAttachment(const QString &path)
{
    SendRequest request;
    request.type = SubscriberType::Contract;
    request.phoneNumber = u"1234567"_qs;
    request.messageText = u"Привет! Встречаемся в 18:00 у метро."_qs;
    request.attachmentPaths = {path};
    const auto prepared = prepareSend(request);
    const auto *send = std::get_if<PreparedSend>(&prepared);
    return send ? send->submission.attachmentBlock : QByteArray();
}

int prepare(const QString &path, int reps)
{
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QByteArray block = preparedAttachment(path);
        print(timer.nsecsElapsed() / 1e9);
        if (block.isEmpty())
            return 1;
    }
    return 0;
}

int prepareRss(const QString &path)
{
    const QByteArray block = preparedAttachment(path);
    std::printf("%ld\n%lld\n", peakRssKiB(), static_cast<long long>(block.size()) / 1024);
    return block.isEmpty();
}

class TimedMessageBox final : public MessageBox
{
public:
    void MsgBox(const QString &prompt, MsgBoxIcon, const QString &) override
    {
        lastPrompt = prompt;
        loop.quit();
    }
    QEventLoop loop;
    QString lastPrompt;
};

class NoDialog final : public FileOpenDialog
{
public:
    QString ShowOpen() override { return {}; }
};

int submit(quint16 port, int reps)
{
    TimedMessageBox box;
    NoDialog dialog;
    frmSendMail window(box, dialog, Relay{u"127.0.0.1"_qs, port, kReplyTimeout});
    window.findChild<QRadioButton *>(u"Option1"_qs)->setChecked(true);
    window.findChild<QLineEdit *>(u"Text1"_qs)->setText(u"1234567"_qs);
    window.findChild<MessageTextBox *>(u"txtMessage"_qs)->setPlainText(u"Привет! Встречаемся в 18:00 у метро."_qs);
    auto *send = window.findChild<QPushButton *>(u"cmdSend"_qs);
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer timer;
        timer.start();
        send->click();
        box.loop.exec();
        print(timer.nsecsElapsed() / 1e9);
        if (box.lastPrompt != u"Ваше сообщение отправлено!"_qs) {
            std::fprintf(stderr, "not sent: %s\n", qPrintable(box.lastPrompt));
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args += QString::fromLocal8Bit(argv[i]);
    const QString what = args.value(1);
    // The encoder needs no application object: its memory figure stays its own.
    if (what == u"encode" && args.size() == 4)
        return encode(args[2], args[3].toInt());
    if (what == u"memcpy" && args.size() == 4)
        return copy(args[2].toLongLong(), args[3].toInt());
    if (what == u"fresh-fill" && args.size() == 4)
        return freshFill(MUUEncode::blockSize(10, args[2].toLongLong()), args[3].toInt());
    if (what == u"encode-rss" && args.size() == 3)
        return encodeRss(args[2]);
    if (what == u"prepare" && args.size() == 4)
        return prepare(args[2], args[3].toInt());
    if (what == u"prepare-rss" && args.size() == 3)
        return prepareRss(args[2]);
    if (what == u"submit" && args.size() == 4) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return submit(quint16(args[2].toUInt()), args[3].toInt());
    }
    std::fputs("usage: see the head of tallimo_bench.cpp\n", stderr);
    return 2;
}
