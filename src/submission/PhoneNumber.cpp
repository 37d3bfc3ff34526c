#include "submission/PhoneNumber.h"

#include <algorithm>

namespace {

constexpr QStringView kOperatorCode = u"67";
constexpr QStringView kCountryCode = u"380";

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

} // namespace

bool isSubscriberNumber(QStringView number)
{
    return number.size() == kSubscriberDigits && std::all_of(number.begin(), number.end(), isAsciiDigit);
}

std::variant<QString, NumberProblem> readPhoneNumber(QStringView text)
{
    text = text.trimmed();
    if (text.startsWith(u"tel:", Qt::CaseInsensitive)) // a link dragged from a web page
        text = text.sliced(4);
    QString digits;
    bool international = false;
    for (QChar c : text) {
        if (isAsciiDigit(c))
            digits += c;
        else if (c == u'+' && digits.isEmpty() && !international)
            international = true;
        else if (!isSeparator(c))
            return NumberProblem::NotASubscriberNumber;
    }

    if (digits.isEmpty())
        return NumberProblem::NotASubscriberNumber;
    if (!international && digits.size() == kSubscriberDigits)
        return digits;
    QStringView national = digits; // the operator code and the subscriber's digits
    if (digits.startsWith(kCountryCode))
        national = national.sliced(kCountryCode.size());
    else if (international)
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
