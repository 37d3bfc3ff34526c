#pragma once
// What a well-behaved client sends for the window's usual test message (a contract
// subscriber, 1234567, «Текст»), step by step.

#include <QByteArray>
#include <QList>

// The commands sent in answer to the first steps replies, then QUIT if quit is set.
inline QByteArray submissionTranscript(int steps, bool quit = false)
{
    static const QList<QByteArray> commands = {"HELO 0000000\r\n",
                                               "MAIL FROM:<0000000@sms.kyivstar.net>\r\n",
                                               "RCPT TO:<380671234567@sms.kyivstar.net>\r\n",
                                               "DATA\r\n",
                                               "Subject:\r\n\r\n\xD2\xE5\xEA\xF1\xF2\r\n\r\n\r\n.\r\n",
                                               "QUIT\r\n"};
    return commands.first(std::min<qsizetype>(steps, commands.size())).join() + (quit ? "QUIT\r\n" : "");
}
