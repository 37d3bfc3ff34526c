#include "encoding/UUBlockWriter.h"

#include "platform/HugePages.h"

#include <algorithm>

namespace MUUEncode {
namespace {

constexpr QStringView kHeaderStart = u"begin 664 ";
constexpr QStringView kTrailer = u"`\nend\n";

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

UUBlockWriter::UUBlockWriter(QStringView name, qint64 dataSize)
    : block_(blockSize(name.size(), dataSize), Qt::Uninitialized)
    , out_(reinterpret_cast<char16_t *>(block_.data()))
{
    adviseHugePages(out_, std::size_t(block_.size()) * sizeof(char16_t));
    for (QStringView part : {kHeaderStart, name}) {
        std::copy(part.utf16(), part.utf16() + part.size(), out_);
        out_ += part.size();
    }
    *out_++ = u'\n';
}

void UUBlockWriter::append(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype lines = bytes.size() / kChunkBytes, rest = bytes.size() % kChunkBytes;
    out_ = encodeFullLines(data, lines, out_);
    if (rest)
        out_ = encodeLine(data + lines * kChunkBytes, rest, out_);
}

QString UUBlockWriter::finish()
{
    std::copy(kTrailer.utf16(), kTrailer.utf16() + kTrailer.size(), out_);
    out_ += kTrailer.size();
    Q_ASSERT(out_ == reinterpret_cast<const char16_t *>(block_.constData()) + block_.size());
    return std::move(block_);
}

} // namespace MUUEncode
