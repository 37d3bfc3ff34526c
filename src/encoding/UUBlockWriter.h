#pragma once
// Writes one uuencoded block in the exact form receivers of our messages get:
// LF line ends, the grave accent for a zero value and a zero length, mode "664",
// 45-byte data lines, a short last chunk filled with 0x20 bytes, one zero-length
// line, then "end". The block's size is known from the name and the data size, so
// the writer fills a string of exactly that size and never reallocates.

#include "encoding/UULines.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace MUUEncode {

// Characters in the block for a header name of nameLength characters and dataSize bytes.
[[nodiscard]] qsizetype blockSize(qsizetype nameLength, qint64 dataSize);

// The name written after "begin 664 ": what follows the last '\' or '/' of the path.
[[nodiscard]] QStringView headerName(QStringView path);

class UUBlockWriter
{
public:
    UUBlockWriter(QStringView name, qint64 dataSize);

    // Appends the next bytes of the data. Every call but the last must hand over a
    // multiple of kChunkBytes, and all calls together exactly dataSize bytes.
    void append(QByteArrayView bytes);

    // The finished block; the writer is spent afterwards.
    [[nodiscard]] QString finish();

private:
    QString block_;
    char16_t *out_;
};

} // namespace MUUEncode
