#include "submission/SmtpDialogue.h"

namespace {

constexpr int kQuitSent = 6;

bool accepted(const Reply &reply)
{
    const QByteArrayView code = reply.code();
    return !reply.oversized && (code == "220" || code == "250" || code == "354");
}

// A command argument never carries CR or LF, so no field can add a command of its own.
QByteArray commandLine(QByteArrayView verb, QByteArray argument)
{
    argument.replace('\r', QByteArrayView()).replace('\n', QByteArrayView());
    return verb.toByteArray() + argument + "\r\n";
}

// Every line as CRLF whatever ended it (CRLF, CR or LF: an attachment's lines end in LF),
// and a leading "." doubled so that no line of the text can end the data early.
void appendDataLines(QByteArray &out, QByteArrayView text)
{
    qsizetype lineStart = 0;
    for (qsizetype at = 0; at <= text.size(); ++at) {
        const bool end = at == text.size();
        if (!end && text[at] != '\r' && text[at] != '\n')
            continue;
        const QByteArrayView line = text.sliced(lineStart, at - lineStart);
        if (line.startsWith('.'))
            out += '.';
        out += line;
        out += "\r\n";
        if (!end && text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
        lineStart = at + 1;
    }
}

} // namespace

SmtpDialogue::SmtpDialogue(Submission submission)
    : submission_(std::move(submission))
{
}

bool SmtpDialogue::messageAccepted() const
{
    return step_ == kQuitSent;
}

SmtpDialogue::Reaction SmtpDialogue::receive(QByteArrayView bytes)
{
    Reaction reaction;
    if (ended_)
        return reaction;
    reader_.feed(bytes);
    while (!ended_) {
        const std::optional<Reply> reply = reader_.next();
        if (!reply)
            break;
        answer(*reply, reaction);
    }
    return reaction;
}

void SmtpDialogue::answer(const Reply &reply, Reaction &reaction)
{
    // After QUIT the message is accepted already: whatever comes is a success.
    if (messageAccepted() || !accepted(reply)) {
        ended_ = true;
        reaction.ending = messageAccepted() ? Ending::Sent : Ending::Refused;
        if (*reaction.ending == Ending::Refused)
            reaction.refusal = reply.text;
        return;
    }
    reaction.toSend += command(step_);
    ++step_;
}

QByteArray SmtpDialogue::command(int step) const
{
    const QByteArray sender = submission_.sender.trimmed();
    switch (step) {
    case 0:
        return commandLine("HELO ", sender.left(sender.indexOf('@')));
    case 1:
        return commandLine("MAIL FROM:", sender);
    case 2:
        return commandLine("RCPT TO:", submission_.recipient.trimmed());
    case 3:
        return "DATA\r\n";
    case 4:
        return data();
    case 5:
        return "QUIT\r\n";
    }
    Q_UNREACHABLE();
    return {};
}

// The header, an empty line, the text, two empty lines and the attachments, then ".".
QByteArray SmtpDialogue::data() const
{
    QByteArray out = commandLine("Subject:", submission_.subject) + "\r\n";
    appendDataLines(out, submission_.messageText + "\r\n\r\n" + submission_.attachmentBlock);
    out += ".\r\n";
    return out;
}
