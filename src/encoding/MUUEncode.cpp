#include "encoding/MUUEncode.h"

#include "encoding/UUBlockWriter.h"
#include "encoding/Windows1251.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <cerrno>
#include <thread>

namespace MUUEncode {
namespace {

// Large enough to read at disk speed, a whole number of data lines so that every
// read but the last feeds the writer complete lines.
constexpr qint64 kReadBytes = kChunkBytes * 1456;

// From this size on the file is encoded in two halves at once: each half is bound by
// memory (the kernel's page copies and zeroing) more than by the processor, so a
// second core nearly halves the time; below it a thread costs more than it saves.
constexpr qint64 kTwoHalvesBytes = 8 * 1024 * 1024;

// Fills buffer from the file at offset, in as many reads as it takes. The cause when
// the file ends first or cannot be read, nothing when all was read.
QString readAt(int fd, qint64 offset, QByteArray &buffer)
{
    for (qsizetype done = 0; done < buffer.size();) {
        const ssize_t got = ::pread(fd, buffer.data() + done, size_t(buffer.size() - done), offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return qt_error_string(errno);
        if (got == 0)
            return u"файл стал короче, пока его читали"_qs;
        done += got;
    }
    return {};
}

// Reads count bytes of the file from offset on and encodes them into their place.
QString encodeRange(int fd, qint64 offset, qint64 count, UUBlockWriter &writer)
{
    QByteArray buffer;
    for (qint64 end = offset + count; offset < end; offset += buffer.size()) {
        buffer.resize(std::min(end - offset, kReadBytes));
        if (QString cause = readAt(fd, offset, buffer); !cause.isEmpty())
            return cause;
        writer.write(offset, buffer);
    }
    return {};
}

} // namespace

EncodeError::EncodeError(const QString &path, const QString &cause)
    : std::runtime_error((path + u": "_qs + cause).toStdString())
    , path_(path)
    , cause_(cause)
{
}

QByteArray UUEncodeFile(const QString &path)
{
    // A pipe or a device would block the window or never end: only files are sent.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw EncodeError(path, u"это не обычный файл"_qs);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EncodeError(path, file.errorString());

    // The name travels in the message's code page, converted here once.
    const std::optional<QByteArray> name = toWindows1251(headerName(path));
    if (!name)
        throw EncodeError(path, u"имя файла содержит символы, которых нет в Windows-1251"_qs);

    // The plan is fixed by the size at opening; bytes appended later are not sent.
    const qint64 size = file.size();
    UUBlockWriter writer(*name, size);
    // Where the second half starts, on a line boundary; the file's end when there is none.
    const qint64 split = size >= kTwoHalvesBytes && std::thread::hardware_concurrency() > 1
        ? size / 2 / kChunkBytes * kChunkBytes
        : size;
    const int fd = file.handle();
    QString secondCause;
    std::jthread second;
    if (split < size)
        second = std::jthread([&] { secondCause = encodeRange(fd, split, size - split, writer); });
    QString cause = encodeRange(fd, 0, split, writer);
    if (second.joinable())
        second.join();
    if (cause.isEmpty())
        cause = secondCause;
    if (!cause.isEmpty())
        throw EncodeError(path, cause);
    return writer.finish();
}

} // namespace MUUEncode
