#pragma once
// What Send makes of the compose fields: the gateway addresses for the chosen
// subscriber type and the message in its wire form. Anything that could not be sent
// is refused here, before the window changes its look or a connection is opened:
// no subscriber type, a number that is not seven digits, a text of nothing but spaces
// and line breaks, an attachment that cannot be read, characters Windows-1251 cannot
// carry, and control characters (NUL and the like; the text's line breaks and tabs
// aside), which have no place in an SMS or an SMTP command.

#include "submission/Ending.h"
#include "submission/Submission.h"

#include <QString>
#include <QStringList>

#include <variant>

enum class SubscriberType { None, Contract, AceBase };

struct SendRequest
{
    SubscriberType type = SubscriberType::None;
    QString phoneNumber; // as typed; only seven digits 0-9 are sent
    QString subject;
    QString messageText; // lines end in CRLF
    QStringList attachmentPaths;
};

struct PreparedSend
{
    QString sender;
    QString recipient;
    Submission submission;
};

// A PreparedSend, or the Ending that refuses it before anything goes out.
[[nodiscard]] std::variant<PreparedSend, Ending> prepareSend(const SendRequest &request);
