#pragma once
// How one press of Send ended. Send itself can refuse before anything goes out; after
// that the SMTP dialogue decides. The window shows each ending as one box.

#include "encoding/MUUEncode.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>

// The reply a submission awaits; accepting it sends the next command.
enum class SmtpStep {
    Greeting, // the server's greeting; then HELO
    Helo,     // then MAIL FROM:<sender>
    MailFrom, // then RCPT TO:<recipient>
    RcptTo,   // then DATA
    Data,     // then the message and its final "."
    Message,  // the final "." is out: the message may have been taken
    Quit,     // the message is taken
};

struct Ending
{
    enum class Kind {
        NoSubscriberType,     // refused before connecting
        NumberNotSevenDigits, // refused before connecting
        EmptyText,            // refused before connecting: nothing but spaces and line breaks
        UnsendableCharacters, // refused before connecting: characters
        AttachmentUnreadable, // refused before connecting: path, attachmentFailure, systemWords
        Sent,                 // the server answered the final "." with 250
        Refused,              // reply: the server's reply that refused the message
        Deferred,             // reply: a 4xx, the server asks to try again later
        ReplyTooLong,         // reply: the start of a reply over kMaxReplyBytes
        ConnectionFailed,     // socketError, description
        TimedOut,             // a reply did not arrive within its deadline
    };

    Kind kind;
    SmtpStep step = SmtpStep::Greeting; // the reply awaited when a reply or the connection ended it
    QByteArray reply = {};       // Windows-1251, as received (at most kMaxReplyBytes)
    QString number = {};         // what the phone box held, when it was not seven digits
    QStringList characters = {}; // each named so that it can be seen: "ё", "U+FEFF", "ʼ (U+02BC)"
    // Of those, each one that looks like a character Windows-1251 has, and that character.
    QList<std::pair<QString, QString>> lookAlikes = {};
    QString path = {};
    MUUEncode::EncodeFailure attachmentFailure = {};
    QString systemWords = {}; // the system's description of an unreadable attachment
    int socketError = 0;
    QString description = {};
    bool ipv6Only = false; // no route to the IPv4 relay, on a machine that has IPv6
};

// What a lost or failed connection reports: the number a Windows socket gives it.
struct SocketFailure
{
    int number = 0;
    QString description;
    bool ipv6Only = false;
};
