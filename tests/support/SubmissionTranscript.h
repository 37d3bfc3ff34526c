#pragma once
// What a well-behaved client sends for a contract subscriber's message to 1234567, step
// by step; the text is the window tests' usual «Текст» unless given.

#include <QByteArray>
#include <QList>

// The commands sent in answer to the first steps replies, then QUIT if quit is set.
inline QByteArray submissionTranscript(int steps, bool quit = false, const QByteArray &text = "\xD2\xE5\xEA\xF1\xF2")
{
    const QList<QByteArray> commands = {"HELO 0000000\r\n",
                                        "MAIL FROM:<0000000@sms.kyivstar.net>\r\n",
                                        "RCPT TO:<380671234567@sms.kyivstar.net>\r\n",
                                        "DATA\r\n",
                                        "Subject:\r\n\r\n" + text + "\r\n\r\n\r\n.\r\n",
                                        "QUIT\r\n"};
    return commands.first(std::min<qsizetype>(steps, commands.size())).join() + (quit ? "QUIT\r\n" : "");
}
