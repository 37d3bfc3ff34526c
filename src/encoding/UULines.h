#pragma once
// The data lines of a uuencoded block: the length character, the groups of four
// characters, LF. Characters are written as bytes straight into the block.

#include <QtGlobal>

namespace MUUEncode {

constexpr qsizetype kChunkBytes = 45; // bytes per data line, as every uudecode expects

// Characters of a line of count bytes: the length character, four per group begun, LF.
constexpr qsizetype lineCharacters(qsizetype count)
{
    return 1 + 4 * ((count + 2) / 3) + 1;
}
constexpr qsizetype kFullLineCharacters = lineCharacters(kChunkBytes);

// One line of count bytes (1 to kChunkBytes); a short last group is filled with 0x20
// bytes, encoded like data. Returns the position after the LF.
char *encodeLine(const unsigned char *chunk, qsizetype count, char *out);

// lines whole lines of kChunkBytes bytes each, sixteen characters at a time where the
// processor can; the same characters as encodeLine line by line.
char *encodeFullLines(const unsigned char *data, qsizetype lines, char *out);

} // namespace MUUEncode
