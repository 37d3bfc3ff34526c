#include "encoding/UUBlockWriter.h"

#include <QtGlobal>

namespace MUUEncode {
namespace {

constexpr QStringView kHeaderStart = u"begin 664 ";
constexpr QStringView kTrailer = u"`\nend\n";

// A 6-bit value as its character: 32 + v, with the grave accent standing for 0.
constexpr char16_t encoded(unsigned v)
{
    return v == 0 ? u'`' : char16_t(32 + v);
}

qsizetype lineSize(qsizetype count)
{
    return 1 + 4 * ((count + 2) / 3) + 1;
}

} // namespace

qsizetype blockSize(qsizetype nameLength, qint64 dataSize)
{
    const qint64 fullLines = dataSize / kChunkBytes;
    const qint64 rest = dataSize % kChunkBytes;
    return kHeaderStart.size() + nameLength + 1 + fullLines * lineSize(kChunkBytes)
        + (rest ? lineSize(rest) : 0) + kTrailer.size();
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
    for (QStringView part : {kHeaderStart, name}) {
        std::copy(part.utf16(), part.utf16() + part.size(), out_);
        out_ += part.size();
    }
    *out_++ = u'\n';
}

void UUBlockWriter::append(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype at = 0; at < bytes.size(); at += kChunkBytes)
        appendLine(data + at, std::min(kChunkBytes, bytes.size() - at));
}

void UUBlockWriter::appendLine(const unsigned char *chunk, qsizetype count)
{
    *out_++ = encoded(unsigned(count));
    for (qsizetype at = 0; at < count; at += 3) {
        // A short last group is filled with spaces, encoded like data.
        const unsigned b0 = chunk[at];
        const unsigned b1 = at + 1 < count ? chunk[at + 1] : 0x20;
        const unsigned b2 = at + 2 < count ? chunk[at + 2] : 0x20;
        *out_++ = encoded(b0 >> 2);
        *out_++ = encoded(((b0 & 0x03) << 4) | (b1 >> 4));
        *out_++ = encoded(((b1 & 0x0f) << 2) | (b2 >> 6));
        *out_++ = encoded(b2 & 0x3f);
    }
    *out_++ = u'\n';
}

QString UUBlockWriter::finish()
{
    std::copy(kTrailer.utf16(), kTrailer.utf16() + kTrailer.size(), out_);
    out_ += kTrailer.size();
    Q_ASSERT(out_ == reinterpret_cast<const char16_t *>(block_.constData()) + block_.size());
    return std::move(block_);
}

} // namespace MUUEncode
