#include "encoding/Windows1251.h"

#include <QList>

#include <array>
#include <utility>

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

// Bytes of the character that starts with lead, in UTF-8 (or 1 for a single-byte code).
size_t sequenceLength(uchar lead)
{
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

class Iconv
{
public:
    Iconv(const char *to, const char *from)
        : cd_(iconv_open(to, from))
    {
        Q_ASSERT(cd_ != iconv_t(-1));
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;

    // Converts all of input; a character with no counterpart is either skipped and
    // replaced by replacement, or, when replacement is empty, ends the conversion.
    std::optional<QByteArray> convert(QByteArrayView input, QByteArrayView replacement)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        QByteArray output(input.size() * 4 + 4, Qt::Uninitialized);
        char *in = const_cast<char *>(input.data());
        size_t inLeft = size_t(input.size());
        char *out = output.data();
        size_t outLeft = size_t(output.size());
        while (inLeft > 0) {
            if (iconv(cd_, &in, &inLeft, &out, &outLeft) != size_t(-1))
                break;
            if (errno != EILSEQ && errno != EINVAL)
                return std::nullopt;
            if (replacement.isEmpty())
                return std::nullopt;
            const size_t skip = std::min(inLeft, sequenceLength(uchar(*in)));
            in += skip;
            inLeft -= skip;
            out = std::copy(replacement.begin(), replacement.end(), out);
            outLeft -= size_t(replacement.size());
        }
        output.truncate(out - output.data());
        return output;
    }

private:
    iconv_t cd_;
};

} // namespace

// Apostrophes, primes, dashes and spaces that keyboards and word processors put in.
constexpr std::array<std::pair<char32_t, char32_t>, 15> kLookAlikes{{
    {0x02BC, 0x2019}, {0x02BB, 0x2018}, {0x02B9, u'\''}, {0x00B4, u'\''}, {0xFF07, u'\''},
    {0x2032, u'\''}, {0x2033, u'"'}, {0x2010, u'-'}, {0x2011, u'-'}, {0x2212, u'-'},
    {0x2012, 0x2013}, {0x2015, 0x2014}, {0x2007, u' '}, {0x2009, u' '}, {0x202F, 0x00A0},
}};

std::optional<QByteArray> toWindows1251(QStringView text)
{
    Iconv encoder("WINDOWS-1251", "UTF-8");
    return encoder.convert(text.toUtf8(), {});
}

QString fromWindows1251(QByteArrayView bytes)
{
    Iconv decoder("UTF-8", "WINDOWS-1251");
    return QString::fromUtf8(*decoder.convert(bytes, "\xEF\xBF\xBD"));
}

QString charactersOutsideWindows1251(QStringView text)
{
    Iconv encoder("WINDOWS-1251", "UTF-8");
    if (encoder.convert(text.toUtf8(), {}))
        return {};
    QString outside;
    for (char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (!encoder.convert(one.toUtf8(), {}) && !outside.contains(one))
            outside += one;
    }
    return outside;
}

std::optional<char32_t> windows1251LookAlike(char32_t c)
{
    for (const auto &[outside, inside] : kLookAlikes)
        if (c == outside)
            return inside;
    return std::nullopt;
}
