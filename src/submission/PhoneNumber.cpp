#include "submission/PhoneNumber.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr QStringView kOperatorCode = u"67";
constexpr QStringView kCountryCode = u"380";
// What may stand before the operator code: the country code, the old long-distance 8 0,
// the trunk 0, tried in this order.
constexpr std::array<QStringView, 3> kBeforeOperatorCode{kCountryCode, u"80", u"0"};
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
    const auto startsOne = [&](QStringView before) {
        const QString form = before.toString() + kOperatorCode.toString();
        const QString &digits = written->digits;
        return digits.size() < form.size() + kSubscriberDigits && (digits.startsWith(form) || form.startsWith(digits));
    };
    return written && (startsOne({}) || std::any_of(kBeforeOperatorCode.begin(), kBeforeOperatorCode.end(), startsOne));
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
    const auto before = std::find_if(kBeforeOperatorCode.begin(), kBeforeOperatorCode.end(),
                                     [&](QStringView prefix) { return digits.startsWith(prefix); });
    if (written->international && before != kBeforeOperatorCode.begin())
        return NumberProblem::OtherOperator; // another country
    // The operator code and the subscriber's digits.
    const QStringView national = QStringView(digits).sliced(before == kBeforeOperatorCode.end() ? 0 : before->size());
    if (national.size() != kOperatorCode.size() + kSubscriberDigits)
        return NumberProblem::NotASubscriberNumber;
    if (!national.startsWith(kOperatorCode))
        return NumberProblem::OtherOperator;
    return national.sliced(kOperatorCode.size()).toString();
}

NumberBoxEdit judgeNumberBoxEdit(QStringView before, QStringView after, QStringView putIn)
{
    using Kind = NumberBoxEdit::Kind;
    const QStringView inserted = putIn.isEmpty() ? insertedBy(before, after) : putIn;
    if (inserted.isEmpty())
        return {Kind::Taken};
    const bool key = isOneCharacter(inserted);
    if (key && after.size() <= kSubscriberDigits)
        return {Kind::Taken};
    const auto whole = readPhoneNumber(after);
    const auto number = key || putIn.isEmpty() || std::holds_alternative<QString>(whole) ? whole : readPhoneNumber(putIn);
    if (const auto *digits = std::get_if<QString>(&number); digits && !(key && startsALongerForm(after)))
        return *digits == after ? NumberBoxEdit{Kind::Taken} : NumberBoxEdit{Kind::Number, *digits};
    if (!key)
        return {Kind::TextRefused, {}, std::get<NumberProblem>(number)};
    return {writtenAsNumber(after) ? Kind::Taken : Kind::KeyRefused};
}
