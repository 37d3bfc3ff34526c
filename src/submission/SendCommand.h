#pragma once
// What Send makes of the compose fields: the gateway addresses for the chosen
// subscriber type and the message in its wire form. Anything that could not be sent
// is refused here, before the window changes its look or a connection is opened.

#include "submission/Submission.h"

#include <QString>
#include <QStringList>

#include <variant>

enum class SubscriberType { None, Contract, AceBase };

struct SendRequest
{
    SubscriberType type = SubscriberType::None;
    QString phoneNumber; // as typed: the gateway, not we, judges the number
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

// Why Send cannot go ahead, in the words shown to the user.
struct SendRefusal
{
    QString prompt;
};

[[nodiscard]] std::variant<PreparedSend, SendRefusal> prepareSend(const SendRequest &request);
