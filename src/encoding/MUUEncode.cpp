#include "encoding/MUUEncode.h"

#include "encoding/UUBlockWriter.h"
#include "platform/Windows1251.h"

#include <QFile>
#include <QFileInfo>

namespace MUUEncode {
namespace {

// Large enough to read at disk speed, a whole number of data lines so that every
// read but the last feeds the writer complete lines.
constexpr qint64 kReadBytes = kChunkBytes * 1456;

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
    QByteArray buffer(std::min(size, kReadBytes), Qt::Uninitialized);
    for (qint64 left = size; left > 0;) {
        const qint64 wanted = std::min(left, kReadBytes);
        const qint64 got = file.read(buffer.data(), wanted);
        if (got < 0)
            throw EncodeError(path, file.errorString());
        if (got < wanted)
            throw EncodeError(path, u"файл стал короче, пока его читали"_qs);
        writer.append(QByteArrayView(buffer.constData(), got));
        left -= got;
    }
    return writer.finish();
}

} // namespace MUUEncode
