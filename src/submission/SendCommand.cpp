#include "submission/SendCommand.h"

#include "encoding/MUUEncode.h"
#include "encoding/Windows1251.h"
#include "submission/Gateway.h"
#include "submission/PhoneNumber.h"

namespace {

QString codePoint(char32_t c)
{
    return u"U+%1"_qs.arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
}

// Characters that carry no visible shape, or that would reorder the box's own text, are
// named by their code point so the user can find them; one that looks like a character
// that could go, by both.
QString visibleName(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase: case QChar::Letter_Lowercase: case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier: case QChar::Letter_Other:
    case QChar::Number_DecimalDigit: case QChar::Number_Letter: case QChar::Number_Other:
    case QChar::Punctuation_Connector: case QChar::Punctuation_Dash: case QChar::Punctuation_Open:
    case QChar::Punctuation_Close: case QChar::Punctuation_InitialQuote: case QChar::Punctuation_FinalQuote:
    case QChar::Punctuation_Other:
    case QChar::Symbol_Math: case QChar::Symbol_Currency: case QChar::Symbol_Modifier: case QChar::Symbol_Other:
        if (QChar::direction(c) == QChar::DirL || QChar::direction(c) == QChar::DirON
            || QChar::direction(c) == QChar::DirEN || QChar::direction(c) == QChar::DirET)
            return windows1251LookAlike(c) ? u"%1 (%2)"_qs.arg(QString::fromUcs4(&c, 1), codePoint(c))
                                           : QString::fromUcs4(&c, 1);
        break;
    default:
        break;
    }
    return codePoint(c);
}

bool isControl(char32_t c, bool lineBreaksAllowed)
{
    if (lineBreaksAllowed && (c == u'\r' || c == u'\n' || c == u'\t'))
        return false;
    return QChar::category(c) == QChar::Other_Control;
}

// Every distinct character of the fields that cannot be sent, in order of first use,
// and what could go in place of those that look like a character of Windows-1251.
Ending unsendableCharacters(const QString &subject, const QString &text)
{
    Ending refusal{Ending::Kind::UnsendableCharacters};
    const auto collect = [&](const QString &field, bool lineBreaksAllowed) {
        const QString outside = charactersOutsideWindows1251(field);
        for (char32_t c : field.toUcs4()) {
            if (!isControl(c, lineBreaksAllowed) && !outside.contains(QString::fromUcs4(&c, 1)))
                continue;
            const QString name = visibleName(c);
            if (refusal.characters.contains(name))
                continue;
            refusal.characters += name;
            if (const auto lookAlike = windows1251LookAlike(c))
                refusal.lookAlikes += {name, visibleName(*lookAlike)};
        }
    };
    collect(subject, false);
    collect(text, true);
    return refusal;
}

} // namespace

std::variant<PreparedSend, Ending> prepareSend(const SendRequest &request)
{
    if (request.type == SubscriberType::None)
        return Ending{Ending::Kind::NoSubscriberType};
    const QString domain = QString::fromUtf16(
        request.type == SubscriberType::Contract ? kContractGatewayDomain : kAceBaseGatewayDomain);

    if (!isSubscriberNumber(request.phoneNumber))
        return Ending{.kind = Ending::Kind::NumberNotSevenDigits, .number = request.phoneNumber};
    if (request.messageText.trimmed().isEmpty()) // an SMS of nothing is no message
        return Ending{Ending::Kind::EmptyText};
    if (Ending unsendable = unsendableCharacters(request.subject, request.messageText); !unsendable.characters.isEmpty())
        return unsendable;

    // Already wire bytes; the first block is taken over as it is, CRLF in the room it has.
    QByteArray attachmentBlock;
    for (const QString &path : request.attachmentPaths) {
        try {
            attachmentBlock += MUUEncode::UUEncodeFile(path).append("\r\n");
        } catch (const MUUEncode::EncodeError &error) {
            return Ending{.kind = Ending::Kind::AttachmentUnreadable,
                          .path = error.path(),
                          .attachmentFailure = error.failure(),
                          .systemWords = error.systemWords()};
        }
    }

    PreparedSend prepared;
    prepared.sender = QString::fromUtf16(kSenderLocalPart) + u'@' + domain;
    prepared.recipient = QString::fromUtf16(kRecipientPrefix) + request.phoneNumber + u'@' + domain;

    // Nothing unsendable is left: every typed field converts, each once.
    prepared.submission = Submission{*toWindows1251(prepared.sender), *toWindows1251(prepared.recipient),
                                     *toWindows1251(request.subject), *toWindows1251(request.messageText),
                                     std::move(attachmentBlock)};
    return prepared;
}
