#include "encoding/UULines.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define TALLIMO_VECTOR_LINES 1
#endif

namespace MUUEncode {
namespace {

// A 6-bit value as its character: 32 + v, with the grave accent standing for 0.
constexpr char encoded(unsigned v)
{
    return v == 0 ? '`' : char(32 + v);
}

// Twelve bits as their two characters, the first at the lower address: one lookup per
// half of a 3-byte group, from a table small enough to stay in the first-level cache.
struct PairTable
{
    std::array<std::uint16_t, 4096> pairs{};
    constexpr PairTable()
    {
        for (unsigned v = 0; v < 4096; ++v) {
            const unsigned first = std::uint8_t(encoded(v >> 6)), second = std::uint8_t(encoded(v & 0x3f));
            pairs[v] = std::uint16_t(std::endian::native == std::endian::little ? first | second << 8
                                                                                 : first << 8 | second);
        }
    }
};
constexpr PairTable kPairs;

inline char *putGroup(char *out, unsigned b0, unsigned b1, unsigned b2)
{
    const unsigned bits = b0 << 16 | b1 << 8 | b2;
    std::memcpy(out, &kPairs.pairs[bits >> 12], 2);
    std::memcpy(out + 2, &kPairs.pairs[bits & 0xfff], 2);
    return out + 4;
}

#ifdef TALLIMO_VECTOR_LINES
// Four groups from the 16 bytes loaded: shuffle puts each group's bytes where the two
// multiplies can shift its four 6-bit values into bytes of their own (the way vector
// base64 encoders do it), then each value v becomes ((v - 1) mod 64) + 33: 32 + v, and
// the grave accent for 0.
[[gnu::target("ssse3")]] inline void putFourGroups(char *out, __m128i bytes, __m128i shuffle)
{
    const __m128i in = _mm_shuffle_epi8(bytes, shuffle);
    const __m128i high = _mm_mulhi_epu16(_mm_and_si128(in, _mm_set1_epi32(0x0fc0fc00)), _mm_set1_epi32(0x04000040));
    const __m128i low = _mm_mullo_epi16(_mm_and_si128(in, _mm_set1_epi32(0x003f03f0)), _mm_set1_epi32(0x01000010));
    const __m128i values = _mm_or_si128(high, low);
    const __m128i below = _mm_and_si128(_mm_add_epi8(values, _mm_set1_epi8(63)), _mm_set1_epi8(63));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out), _mm_add_epi8(below, _mm_set1_epi8(33)));
}

// Every load stays inside its line: groups 0-11 come from bytes 0-35 in three loads, and
// the last three groups from a load of bytes 29-44 that redoes group 11 on the way.
[[gnu::target("ssse3")]] char *encodeFullLinesSsse3(const unsigned char *data, qsizetype lines, char *out)
{
    const __m128i fromStart = _mm_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10);
    const __m128i fromByte4 = _mm_add_epi8(fromStart, _mm_set1_epi8(4));
    const auto load = [](const unsigned char *at) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at)); };
    for (qsizetype line = 0; line < lines; ++line, data += kChunkBytes) {
        *out = encoded(unsigned(kChunkBytes));
        putFourGroups(out + 1, load(data), fromStart);
        putFourGroups(out + 17, load(data + 12), fromStart);
        putFourGroups(out + 33, load(data + 24), fromStart);
        putFourGroups(out + 45, load(data + 29), fromByte4);
        out[kFullLineCharacters - 1] = '\n';
        out += kFullLineCharacters;
    }
    return out;
}

bool haveSsse3()
{
    static const bool have = (__builtin_cpu_init(), __builtin_cpu_supports("ssse3"));
    return have;
}
#endif

} // namespace

char *encodeLine(const unsigned char *chunk, qsizetype count, char *out)
{
    *out++ = encoded(unsigned(count));
    const qsizetype whole = count - count % 3;
    for (qsizetype at = 0; at < whole; at += 3)
        out = putGroup(out, chunk[at], chunk[at + 1], chunk[at + 2]);
    if (whole < count)
        out = putGroup(out, chunk[whole], whole + 1 < count ? chunk[whole + 1] : 0x20, 0x20);
    *out++ = '\n';
    return out;
}

char *encodeFullLines(const unsigned char *data, qsizetype lines, char *out)
{
#ifdef TALLIMO_VECTOR_LINES
    if (haveSsse3())
        return encodeFullLinesSsse3(data, lines, out);
#endif
    for (qsizetype line = 0; line < lines; ++line)
        out = encodeLine(data + line * kChunkBytes, kChunkBytes, out);
    return out;
}

} // namespace MUUEncode
