// Arbitrary text as a pasted number, as the compose fields of a Send, and as a sequence
// of edits of the phone box. Whatever the text, the number that goes out is seven ASCII
// digits or nothing: a pasted text gives the last seven digits it held, in their order,
// or none; Send takes a typed number only when it is exactly seven digits, puts it in the
// recipient unchanged, and sends no text of nothing but spaces and line breaks. After
// every edit, by keys, a paste anywhere or a text from elsewhere, the box holds what it
// had, what the edit left, or the number of the whole new text or of all that was
// pasted: never a piece cut from either. The first byte picks the subscriber type and whether the rest is
// read as UTF-8 or as UTF-16 (lone surrogates and all); U+0001 separates the edits.

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

// The box as judgeNumberBoxEdit keeps it after an edit that leaves after, putting in
// putIn where the box knows it (a paste, an input method, a screen reader).
void checkEdit(QString &box, const QString &after, const QString &putIn = {})
{
    const NumberBoxEdit edit = judgeNumberBoxEdit(box, after, putIn);
    switch (edit.kind) {
    case NumberBoxEdit::Kind::Taken:
        box = after;
        break;
    case NumberBoxEdit::Kind::Number: // of the whole new text, or of all that was pasted
        check(isSubscriberNumber(edit.number) && edit.number != after);
        check(readPhoneNumber(after) == std::variant<QString, NumberProblem>(edit.number)
              || (!putIn.isEmpty() && readPhoneNumber(putIn) == std::variant<QString, NumberProblem>(edit.number)));
        box = edit.number;
        break;
    case NumberBoxEdit::Kind::KeyRefused:
        check(after.size() > kSubscriberDigits);
        break;
    case NumberBoxEdit::Kind::TextRefused:
        break;
    }
    checkSend(SubscriberType::Contract, box, u"x"_qs);
}

void checkEdits(const QString &text)
{
    QString box;
    for (const QString &piece : text.split(QChar(1))) {
        if (piece.isEmpty())
            continue;
        const char16_t how = piece[0].unicode();
        const QString putIn = piece.sliced(1);
        const qsizetype at = how / 3 % (box.size() + 1);
        if (how % 3 == 0) { // typed, a key at a time at the end
            for (QChar c : putIn)
                checkEdit(box, box + c);
        } else if (how % 3 == 1) { // pasted somewhere
            checkEdit(box, QString(box).insert(at, putIn), putIn);
        } else { // a new text from elsewhere
            checkEdit(box, QString(box).insert(at, putIn));
        }
    }
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
    checkEdits(text);
    return 0;
}
