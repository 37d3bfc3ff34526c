#include "submission/SendCommand.h"

#include "encoding/MUUEncode.h"
#include "platform/Windows1251.h"
#include "submission/Gateway.h"

std::variant<PreparedSend, SendRefusal> prepareSend(const SendRequest &request)
{
    if (request.type == SubscriberType::None)
        return SendRefusal{u"Выберите тип абонента: контрактный или Ace&base."_qs};
    const QString domain = QString::fromUtf16(
        request.type == SubscriberType::Contract ? kContractGatewayDomain : kAceBaseGatewayDomain);

    // Already wire bytes; the first block is taken over as it is, CRLF in the room it has.
    QByteArray attachmentBlock;
    for (const QString &path : request.attachmentPaths) {
        try {
            attachmentBlock += MUUEncode::UUEncodeFile(path).append("\r\n");
        } catch (const MUUEncode::EncodeError &error) {
            return SendRefusal{u"Не удалось вложить файл «%1»: %2."_qs.arg(error.path(), error.cause())};
        }
    }

    PreparedSend prepared;
    prepared.sender = QString::fromUtf16(kSenderLocalPart) + u'@' + domain;
    prepared.recipient = QString::fromUtf16(kRecipientPrefix) + request.phoneNumber + u'@' + domain;

    // One conversion of each typed field; only when one fails is the text searched for
    // the characters to name.
    const auto sender = toWindows1251(prepared.sender), recipient = toWindows1251(prepared.recipient),
               subject = toWindows1251(request.subject), text = toWindows1251(request.messageText);
    if (!sender || !recipient || !subject || !text) {
        const QString outside = charactersOutsideWindows1251(prepared.recipient + request.subject
                                                             + request.messageText);
        return SendRefusal{u"Эти символы нельзя отправить в SMS: %1\nУберите их и нажмите «Послать» ещё раз."_qs.arg(outside)};
    }

    prepared.submission = Submission{*sender, *recipient, *subject, *text, std::move(attachmentBlock)};
    return prepared;
}
