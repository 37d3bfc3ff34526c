#include "submission/PhoneNumber.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr QStringView kOperatorCode = u"67";
constexpr QStringView kCountryCode = u"380";
// What may stand before the subscriber's digits in a longer form: 67, 067, 8 067, 380 67.
constexpr std::array<QStringView, 4> kNationalPrefixes{u"67", u"067", u"8067", u"38067"};
// A number being typed is no longer than "+38 (067) 123-45-67" with a space to spare at
// every gap; past that, a key is refused.
constexpr qsizetype kLongestTypedForm = 24;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// What contact cards, web pages and spreadsheets put around and between the digits.
bool isSeparator(QChar c)
{
    switch (c.category()) {
    case QChar::Separator_Space: case QChar::Separator_Line: case QChar::Separator_Paragraph:
    case QChar::Other_Format: // direction marks, zero-width spaces, a byte-order mark
    case QChar::Punctuation_Dash:
        return true;
    default:
        return c.isSpace() || QStringView(u".()[]/\u2212").contains(c);
    }
}

// The digits of a text written as a number, and whether it began with "+"; nothing for
// a text with anything else in it.
struct WrittenDigits
{
    QString digits;
    bool international = false;
};

std::optional<WrittenDigits> digitsWritten(QStringView text)
{
    text = text.trimmed();
    if (text.startsWith(u"tel:", Qt::CaseInsensitive)) // a link dragged from a web page
        text = text.sliced(4);
    WrittenDigits written;
    for (QChar c : text) {
        if (isAsciiDigit(c))
            written.digits += c;
        else if (c == u'+' && written.digits.isEmpty() && !written.international)
            written.international = true;
        else if (!isSeparator(c))
            return std::nullopt;
    }
    return written;
}

// Keys that may still be a number being typed: digits and what is written between them.
bool writtenAsNumber(QStringView text)
{
    return text.size() <= kLongestTypedForm && digitsWritten(text);
}

// Whether more digits could still make the text a longer form: "067 123 4" is seven
// digits, but the start of 067 123 45 67 too.
bool startsALongerForm(QStringView text)
{
    const auto written = digitsWritten(text);
    return written && std::any_of(kNationalPrefixes.begin(), kNationalPrefixes.end(), [&](QStringView prefix) {
        const QString &digits = written->digits;
        return digits.size() < prefix.size() + kSubscriberDigits
            && (digits.startsWith(prefix) || prefix.startsWith(digits));
    });
}

// What an edit put in: after, less what it shares with before at either end.
QStringView insertedBy(QStringView before, QStringView after)
{
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return after.sliced(head, after.size() - head - tail);
}

bool isOneCharacter(QStringView text)
{
    return text.size() == 1 || (text.size() == 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate());
}

} // namespace

bool isSubscriberNumber(QStringView number)
{
    return number.size() == kSubscriberDigits && std::all_of(number.begin(), number.end(), isAsciiDigit);
}

std::variant<QString, NumberProblem> readPhoneNumber(QStringView text)
{
    const auto written = digitsWritten(text);
    if (!written || written->digits.isEmpty())
        return NumberProblem::NotASubscriberNumber;
    const QString &digits = written->digits;
    if (!written->international && digits.size() == kSubscriberDigits)
        return digits;
    QStringView national = digits; // the operator code and the subscriber's digits
    if (digits.startsWith(kCountryCode))
        national = national.sliced(kCountryCode.size());
    else if (written->international)
        return NumberProblem::OtherOperator; // another country
    else if (digits.startsWith(u"80"))
        national = national.sliced(2);
    else if (digits.startsWith(u'0'))
        national = national.sliced(1);
    if (national.size() != kOperatorCode.size() + kSubscriberDigits)
        return NumberProblem::NotASubscriberNumber;
    if (!national.startsWith(kOperatorCode))
        return NumberProblem::OtherOperator;
    return national.sliced(kOperatorCode.size()).toString();
}

NumberBoxEdit judgeNumberBoxEdit(QStringView before, QStringView after)
{
    using Kind = NumberBoxEdit::Kind;
    const QStringView inserted = insertedBy(before, after);
    if (inserted.isEmpty())
        return {Kind::Taken};
    const bool key = isOneCharacter(inserted);
    if (key && after.size() <= kSubscriberDigits)
        return {Kind::Taken};
    const auto whole = readPhoneNumber(after);
    const auto number = key || std::holds_alternative<QString>(whole) ? whole : readPhoneNumber(inserted);
    if (const auto *digits = std::get_if<QString>(&number); digits && !(key && startsALongerForm(after)))
        return *digits == after ? NumberBoxEdit{Kind::Taken} : NumberBoxEdit{Kind::Number, *digits};
    if (!key)
        return {Kind::TextRefused, {}, std::get<NumberProblem>(number)};
    return {writtenAsNumber(after) ? Kind::Taken : Kind::KeyRefused};
}
