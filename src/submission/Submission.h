#pragma once

#include <QByteArray>

// One message as it goes on the wire, in Windows-1251, fixed when Send is pressed.
struct Submission
{
    QByteArray sender;          // "0000000@" + gateway domain
    QByteArray recipient;       // "38067" + number + "@" + gateway domain
    QByteArray subject;
    QByteArray messageText;     // lines end in CRLF
    QByteArray attachmentBlock; // uuencoded blocks, each followed by CRLF
};
