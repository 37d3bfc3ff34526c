#include "encoding/MUUEncode.h"

#include "encoding/UUBlockWriter.h"
#include "encoding/Windows1251.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <cerrno>
#include <exception>
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

// Fills buffer from the file at offset, in as many reads as it takes. Throws
// EncodeError when the file ends first or cannot be read.
void readAt(const QString &path, int fd, qint64 offset, QByteArray &buffer)
{
    for (qsizetype done = 0; done < buffer.size();) {
        const ssize_t got = ::pread(fd, buffer.data() + done, size_t(buffer.size() - done), offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw EncodeError(path, EncodeFailure::Unreadable, qt_error_string(errno));
        if (got == 0)
            throw EncodeError(path, EncodeFailure::ShrankWhileRead);
        done += got;
    }
}

// Reads count bytes of the file from offset on and encodes them into their place.
void encodeRange(const QString &path, int fd, qint64 offset, qint64 count, UUBlockWriter &writer)
{
    QByteArray buffer;
    for (qint64 end = offset + count; offset < end; offset += buffer.size()) {
        buffer.resize(std::min(end - offset, kReadBytes));
        readAt(path, fd, offset, buffer);
        writer.write(offset, buffer);
    }
}

EncodeFailure openFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return EncodeFailure::Missing;
    case EACCES:
    case EPERM:
        return EncodeFailure::NoPermission;
    default:
        return EncodeFailure::Unreadable;
    }
}

} // namespace

EncodeError::EncodeError(const QString &path, EncodeFailure failure, const QString &systemWords)
    : std::runtime_error(path.toStdString())
    , path_(path)
    , failure_(failure)
    , systemWords_(systemWords)
{
}

QByteArray UUEncodeFile(const QString &path)
{
    // A pipe or a device would block the window or never end: only files are sent.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw EncodeError(path, EncodeFailure::NotAFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) // QFile leaves open()'s errno as it was
        throw EncodeError(path, openFailure(errno), file.errorString());

    // The name travels in the message's code page, converted here once.
    const std::optional<QByteArray> name = toWindows1251(headerName(path));
    if (!name)
        throw EncodeError(path, EncodeFailure::NameOutsideWindows1251);

    // The plan is fixed by the size at opening; bytes appended later are not sent.
    const qint64 size = file.size();
    UUBlockWriter writer(*name, size);
    // Where the second half starts, on a line boundary; the file's end when there is none.
    const qint64 split = size >= kTwoHalvesBytes && std::thread::hardware_concurrency() > 1
        ? size / 2 / kChunkBytes * kChunkBytes
        : size;
    const int fd = file.handle();
    std::exception_ptr secondFailure;
    std::jthread second;
    if (split < size)
        second = std::jthread([&] {
            try {
                encodeRange(path, fd, split, size - split, writer);
            } catch (const EncodeError &) {
                secondFailure = std::current_exception();
            }
        });
    encodeRange(path, fd, 0, split, writer); // a failure here joins the second half first
    if (second.joinable())
        second.join();
    if (secondFailure)
        std::rethrow_exception(secondFailure);
    return writer.finish();
}

} // namespace MUUEncode
