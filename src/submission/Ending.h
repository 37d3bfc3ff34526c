#pragma once
// How one press of Send ended. Send itself can refuse before anything goes out; after
// that the SMTP dialogue decides. The window shows each ending as one box.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct Ending
{
    enum class Kind {
        NoSubscriberType,     // refused before connecting
        UnsendableCharacters, // refused before connecting: characters
        AttachmentUnreadable, // refused before connecting: path, cause
        Sent,                 // the server answered the final "." with 250
        Refused,              // reply: the server's reply that refused the message
        Deferred,             // reply: a 4xx, the server asks to try again later
        ReplyTooLong,         // reply: the start of a reply over kMaxReplyBytes
        ConnectionFailed,     // socketError, description
        TimedOut,             // a reply did not arrive within its deadline
    };

    Kind kind;
    QByteArray reply = {};       // Windows-1251, as received (at most kMaxReplyBytes)
    QStringList characters = {}; // each named so that it can be seen: "ё", "U+FEFF"
    QString path = {};
    QString cause = {};
    int socketError = 0;
    QString description = {};
};

// What a lost or failed connection reports: the number a Windows socket gives it.
struct SocketFailure
{
    int number = 0;
    QString description;
};
