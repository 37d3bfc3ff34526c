#include "encoding/UUBlockWriter.h"

#include "encoding/HugePages.h"

#include <algorithm>

namespace MUUEncode {
namespace {

constexpr QByteArrayView kHeaderStart = "begin 664 ";
constexpr QByteArrayView kTrailer = "`\nend\n";

// A string of size bytes, not yet written, with capacity for kRoomAfterBlock more.
QByteArray uninitializedBlock(qsizetype size)
{
    QByteArray block;
    block.reserve(size + kRoomAfterBlock);
    block.resize(size);
    return block;
}

} // namespace

qsizetype blockSize(qsizetype nameLength, qint64 dataSize)
{
    const qint64 fullLines = dataSize / kChunkBytes;
    const qint64 rest = dataSize % kChunkBytes;
    return kHeaderStart.size() + nameLength + 1 + fullLines * kFullLineCharacters
        + (rest ? lineCharacters(rest) : 0) + kTrailer.size();
}

QStringView headerName(QStringView path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.sliced(slash + 1);
}

UUBlockWriter::UUBlockWriter(QByteArrayView name, qint64 dataSize)
    : block_(uninitializedBlock(blockSize(name.size(), dataSize)))
    , data_(block_.data())
{
    adviseHugePages(data_, std::size_t(block_.size()));
    for (QByteArrayView part : {kHeaderStart, name})
        data_ = std::copy(part.begin(), part.end(), data_);
    *data_++ = '\n';
}

void UUBlockWriter::write(qint64 at, QByteArrayView bytes)
{
    Q_ASSERT(at % kChunkBytes == 0);
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype lines = bytes.size() / kChunkBytes, rest = bytes.size() % kChunkBytes;
    char *out = encodeFullLines(data, lines, data_ + at / kChunkBytes * kFullLineCharacters);
    if (rest)
        encodeLine(data + lines * kChunkBytes, rest, out);
}

QByteArray UUBlockWriter::finish()
{
    std::copy(kTrailer.begin(), kTrailer.end(), block_.end() - kTrailer.size());
    return std::move(block_);
}

} // namespace MUUEncode
