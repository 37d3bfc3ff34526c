#pragma once
// The wire speaks Windows-1251, the code page the gateway expects for Cyrillic text.
// Conversion goes through glibc's iconv.

#include <QByteArray>
#include <QString>

#include <optional>

// The text as Windows-1251 bytes, or nothing when it holds a character the code page
// lacks (charactersOutsideWindows1251 names them).
[[nodiscard]] std::optional<QByteArray> toWindows1251(QStringView text);

// Received bytes as text; a byte with no character in the code page becomes U+FFFD.
[[nodiscard]] QString fromWindows1251(QByteArrayView bytes);

// Every distinct character of text that Windows-1251 cannot carry, in order of first use.
[[nodiscard]] QString charactersOutsideWindows1251(QStringView text);

// The character of Windows-1251 that one outside it is taken for, if any: the Ukrainian
// apostrophe U+02BC looks like the right quote mark ’ that the code page has.
[[nodiscard]] std::optional<char32_t> windows1251LookAlike(char32_t c);
