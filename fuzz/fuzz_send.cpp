// Arbitrary text as a pasted number and as the compose fields of a Send. Whatever the
// text, the number that goes out is seven ASCII digits or nothing: a pasted text gives
// the last seven digits it held, in their order, or none; Send takes a typed number only
// when it is exactly seven digits, puts it in the recipient unchanged, and sends no text
// of nothing but spaces and line breaks. The first byte picks the subscriber type and
// whether the rest is read as UTF-8 or as UTF-16 (lone surrogates and all).

#include "submission/Gateway.h"
#include "submission/PhoneNumber.h"
#include "submission/SendCommand.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

QString digitsOf(const QString &text)
{
    QString digits;
    for (QChar c : text)
        if (c >= u'0' && c <= u'9')
            digits += c;
    return digits;
}

QString recipientFor(const QString &number, SubscriberType type)
{
    return QString::fromUtf16(kRecipientPrefix) + number + u'@'
        + QString::fromUtf16(type == SubscriberType::Contract ? kContractGatewayDomain : kAceBaseGatewayDomain);
}

void checkSend(SubscriberType type, const QString &number, const QString &text)
{
    SendRequest request{.type = type, .phoneNumber = number, .messageText = text};
    const auto prepared = prepareSend(request);
    const auto *send = std::get_if<PreparedSend>(&prepared);
    if (!send) {
        const Ending::Kind kind = std::get<Ending>(prepared).kind;
        check(kind == Ending::Kind::NoSubscriberType || kind == Ending::Kind::NumberNotSevenDigits
              || kind == Ending::Kind::EmptyText || kind == Ending::Kind::UnsendableCharacters);
        return;
    }
    check(type != SubscriberType::None && !text.trimmed().isEmpty());
    check(number.size() == kSubscriberDigits && digitsOf(number) == number);
    check(send->recipient == recipientFor(number, type));
    check(send->submission.recipient == send->recipient.toLatin1());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const auto type = SubscriberType(data[0] % 3);
    const QString text = data[0] & 4 ? QString::fromUtf16(reinterpret_cast<const char16_t *>(data + 1), (size - 1) / 2)
                                     : QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    const auto pasted = readPhoneNumber(text);
    if (const auto *number = std::get_if<QString>(&pasted)) {
        check(isSubscriberNumber(*number));
        check(digitsOf(text).endsWith(*number));
        checkSend(SubscriberType::Contract, *number, u"x"_qs);
        check(std::holds_alternative<PreparedSend>(prepareSend({.type = SubscriberType::AceBase, .phoneNumber = *number,
                                                                .messageText = u"x"_qs})));
    }
    checkSend(type, text, text);
    checkSend(type, text.left(kSubscriberDigits), text.mid(kSubscriberDigits));
    return 0;
}
