#include "encoding/UUBlockWriter.h"

#include "platform/HugePages.h"

#include <QtGlobal>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace MUUEncode {
namespace {

constexpr QStringView kHeaderStart = u"begin 664 ";
constexpr QStringView kTrailer = u"`\nend\n";

// A 6-bit value as its character: 32 + v, with the grave accent standing for 0.
constexpr char16_t encoded(unsigned v)
{
    return v == 0 ? u'`' : char16_t(32 + v);
}

// Twelve bits as their two characters, the first in the low half (as they lie in
// memory on little-endian machines): one lookup per half of a 3-byte group.
struct PairTable
{
    std::array<std::uint32_t, 4096> pairs{};
    constexpr PairTable()
    {
        for (unsigned v = 0; v < 4096; ++v) {
            const std::uint32_t first = encoded(v >> 6), second = encoded(v & 0x3f);
            pairs[v] = std::endian::native == std::endian::little ? first | second << 16 : first << 16 | second;
        }
    }
};
constexpr PairTable kPairs;

inline char16_t *putGroup(char16_t *out, unsigned b0, unsigned b1, unsigned b2)
{
    const unsigned bits = b0 << 16 | b1 << 8 | b2;
    std::memcpy(out, &kPairs.pairs[bits >> 12], 4);
    std::memcpy(out + 2, &kPairs.pairs[bits & 0xfff], 4);
    return out + 4;
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
    for (qsizetype at = 0; at < bytes.size(); at += kChunkBytes)
        appendLine(data + at, std::min(kChunkBytes, bytes.size() - at));
}

void UUBlockWriter::appendLine(const unsigned char *chunk, qsizetype count)
{
    char16_t *out = out_;
    *out++ = encoded(unsigned(count));
    const qsizetype whole = count - count % 3;
    for (qsizetype at = 0; at < whole; at += 3)
        out = putGroup(out, chunk[at], chunk[at + 1], chunk[at + 2]);
    if (whole < count) // a short last group is filled with spaces, encoded like data
        out = putGroup(out, chunk[whole], whole + 1 < count ? chunk[whole + 1] : 0x20, 0x20);
    *out++ = u'\n';
    out_ = out;
}

QString UUBlockWriter::finish()
{
    std::copy(kTrailer.utf16(), kTrailer.utf16() + kTrailer.size(), out_);
    out_ += kTrailer.size();
    Q_ASSERT(out_ == reinterpret_cast<const char16_t *>(block_.constData()) + block_.size());
    return std::move(block_);
}

} // namespace MUUEncode
