// Arbitrary bytes through the uuencoder three ways: as a real file through UUEncodeFile,
// handed to the block writer in arbitrary whole lines and the last part first, as the
// halves of a large file may come, and in whole lines through the plain line encoder
// beside the vector one. Each block must have the size the formula gives, room for the
// CRLF after it, only the characters the format allows, and decode back to exactly the
// input; the two line encoders must write the same characters and stay in their buffers.
// Files past the size from which the encoder reads two halves at once take a fifth of a
// second each here, and their threads make coverage vary from run to run: the encoder's
// own tests send one.

#include "encoding/MUUEncode.h"
#include "encoding/UUBlockWriter.h"
#include "encoding/UULines.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The checker's own branches would only mislead the fuzzer, and tracing them is most of
// the time an input takes.
[[clang::no_sanitize("coverage")]] int value(char c)
{
    check(c >= 0x21 && c <= 0x60); // no spaces, nothing outside the alphabet
    return (c - 32) & 63;
}

[[clang::no_sanitize("coverage")]] QByteArray decode(QByteArrayView block)
{
    constexpr QByteArrayView header = "begin 664 f\n", trailer = "`\nend\n";
    check(block.startsWith(header) && block.endsWith(trailer));
    block = block.sliced(header.size(), block.size() - header.size() - trailer.size());
    QByteArray data;
    data.reserve(block.size() * 3 / 4);
    while (!block.isEmpty()) {
        const qsizetype end = block.indexOf('\n');
        check(end > 0);
        const char *line = block.data();
        block = block.sliced(end + 1);
        const int count = value(line[0]);
        check(count > 0 && count <= 45 && end == 1 + 4 * ((count + 2) / 3));
        for (qsizetype at = 1, decoded = 0; at < end; at += 4) {
            const int a = value(line[at]), b = value(line[at + 1]), c = value(line[at + 2]), d = value(line[at + 3]);
            for (const char byte : {char(a << 2 | b >> 4), char((b & 15) << 4 | c >> 2), char((c & 3) << 6 | d)})
                if (decoded++ < count)
                    data += byte;
                else
                    check(byte == ' ');
        }
    }
    return data;
}

void checkBlock(const QByteArray &block, QByteArrayView bytes)
{
    check(block.size() == MUUEncode::blockSize(1, bytes.size())
          && block.capacity() >= block.size() + MUUEncode::kRoomAfterBlock);
    check(decode(block) == bytes);
}

// The bytes as a file: UUEncodeFile reads it in pieces of its own choosing.
void checkFile(QByteArrayView bytes)
{
    static const QTemporaryDir dir;
    static const QString path = dir.filePath(u"f"_qs);
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes.data(), bytes.size()) == bytes.size());
    file.close();
    checkBlock(MUUEncode::UUEncodeFile(path), bytes);
}

// Handed over in pieces of one to five lines, sizes from seed, the last piece first.
void checkPieces(QByteArrayView bytes, unsigned seed)
{
    MUUEncode::UUBlockWriter writer("f", bytes.size());
    std::vector<qsizetype> starts;
    for (qsizetype at = 0; at < bytes.size();) {
        starts.push_back(at);
        seed = seed * 1103515245u + 12345u;
        at += MUUEncode::kChunkBytes * (1 + (seed >> 16) % 5);
    }
    for (qsizetype end = bytes.size(); !starts.empty(); starts.pop_back()) {
        writer.write(starts.back(), bytes.sliced(starts.back(), end - starts.back()));
        end = starts.back();
    }
    checkBlock(writer.finish(), bytes);
}

// Elements that end where a page no one may touch begins: a vector load or store past
// them faults, where AddressSanitizer, checking an unaligned 16-byte access, may not see it.
template <typename T>
class Guarded
{
public:
    explicit Guarded(qsizetype count)
    {
        const qsizetype page = sysconf(_SC_PAGESIZE), bytes = count * qsizetype(sizeof(T));
        length_ = (bytes + page - 1) / page * page + page;
        base_ = static_cast<char *>(mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        check(base_ != MAP_FAILED && mprotect(base_ + length_ - page, page, PROT_NONE) == 0);
        data_ = reinterpret_cast<T *>(base_ + length_ - page - bytes);
    }
    Guarded(const Guarded &) = delete;
    Guarded &operator=(const Guarded &) = delete;
    ~Guarded() { munmap(base_, length_); }

    [[nodiscard]] T *data() const { return data_; }

private:
    qsizetype length_;
    char *base_;
    T *data_;
};

// The whole lines of the bytes, through both encoders.
void checkLineEncoders(QByteArrayView bytes)
{
    const qsizetype lines = bytes.size() / MUUEncode::kChunkBytes, characters = lines * MUUEncode::kFullLineCharacters;
    const Guarded<unsigned char> data(lines * MUUEncode::kChunkBytes); // its start of any alignment
    std::memcpy(data.data(), bytes.data(), lines * MUUEncode::kChunkBytes);
    const Guarded<char> plain(characters), vector(characters);
    char *out = plain.data();
    for (qsizetype line = 0; line < lines; ++line)
        out = MUUEncode::encodeLine(data.data() + line * MUUEncode::kChunkBytes, MUUEncode::kChunkBytes, out);
    check(out == plain.data() + characters);
    check(MUUEncode::encodeFullLines(data.data(), lines, vector.data()) == vector.data() + characters);
    check(std::equal(plain.data(), plain.data() + characters, vector.data()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const unsigned seed = size ? data[0] : 0;
    checkFile(bytes);
    checkPieces(bytes, seed);
    checkLineEncoders(bytes);
    return 0;
}
