#pragma once
// Writes one uuencoded block in the exact form receivers of our messages get:
// LF line ends, the grave accent for a zero value and a zero length, mode "664",
// 45-byte data lines, a short last chunk filled with 0x20 bytes, one zero-length
// line, then "end". The block's size is known from the name and the data size, so
// the writer fills bytes of exactly that size and never reallocates.

#include "encoding/UULines.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace MUUEncode {

// Room left after the block for the CRLF a message puts after each one, so that
// appending it never moves the block.
constexpr qsizetype kRoomAfterBlock = 2;

// Bytes in the block for a header name of nameLength bytes and dataSize bytes of data.
[[nodiscard]] qsizetype blockSize(qsizetype nameLength, qint64 dataSize);

// The name written after "begin 664 ": what follows the last '\' or '/' of the path.
[[nodiscard]] QStringView headerName(QStringView path);

class UUBlockWriter
{
public:
    // name: the header name as it goes in the block, in the message's code page.
    UUBlockWriter(QByteArrayView name, qint64 dataSize);

    // Encodes bytes, the data from byte at on, into their place in the block. at must
    // be a multiple of kChunkBytes, and so must the number of bytes unless they end the
    // data. Parts may come in any order and from different threads as long as they do
    // not overlap; together they must cover the data exactly once.
    void write(qint64 at, QByteArrayView bytes);

    // The finished block, with capacity for kRoomAfterBlock more bytes; the writer is
    // spent afterwards.
    [[nodiscard]] QByteArray finish();

private:
    QByteArray block_;
    char *data_; // where the first data line starts
};

} // namespace MUUEncode
