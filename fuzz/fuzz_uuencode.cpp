// Arbitrary bytes through the uuencoder, handed over in arbitrary whole lines and the
// last part first, as the halves of a large file may come: the block must have the size
// the formula gives, hold only the characters the format allows, and decode back to
// exactly the input.

#include "encoding/UUBlockWriter.h"

#include <QList>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

int value(char c)
{
    check(c >= 0x21 && c <= 0x60); // no spaces, nothing outside the alphabet
    return (c - 32) & 63;
}

QByteArray decode(const QByteArray &block)
{
    QList<QByteArray> lines = block.split('\n');
    check(lines.size() >= 4 && lines.takeFirst() == "begin 664 f");
    check(lines.takeLast().isEmpty() && lines.takeLast() == "end" && lines.takeLast() == "`");
    QByteArray data;
    for (const QByteArray &line : lines) {
        check(!line.isEmpty());
        const int count = value(line[0]);
        check(count > 0 && count <= 45 && line.size() == 1 + 4 * ((count + 2) / 3));
        QByteArray bytes;
        for (qsizetype at = 1; at < line.size(); at += 4) {
            const int a = value(line[at]), b = value(line[at + 1]), c = value(line[at + 2]), d = value(line[at + 3]);
            bytes += char(a << 2 | b >> 4);
            bytes += char((b & 15) << 4 | c >> 2);
            bytes += char((c & 3) << 6 | d);
        }
        for (qsizetype fill = count; fill < bytes.size(); ++fill)
            check(bytes[fill] == ' ');
        data += bytes.first(count);
    }
    return data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    MUUEncode::UUBlockWriter writer("f", bytes.size());
    unsigned seed = size ? data[0] : 0;
    std::vector<qsizetype> starts;
    for (qsizetype at = 0; at < bytes.size();) {
        starts.push_back(at);
        seed = seed * 1103515245u + 12345u;
        at += MUUEncode::kChunkBytes * (1 + (seed >> 16) % 5);
    }
    for (qsizetype end = bytes.size(); !starts.empty(); starts.pop_back()) { // the last part first
        writer.write(starts.back(), bytes.sliced(starts.back(), end - starts.back()));
        end = starts.back();
    }
    const QByteArray block = writer.finish();
    check(block.size() == MUUEncode::blockSize(1, bytes.size()));
    check(decode(block) == bytes);
    return 0;
}
