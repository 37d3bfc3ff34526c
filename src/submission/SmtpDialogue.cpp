#include "submission/SmtpDialogue.h"

namespace {

using Step = SmtpDialogue::Step;

// The codes that move each step on; a malformed reply has no code and moves none.
bool accepts(Step step, QByteArrayView code)
{
    switch (step) {
    case Step::RcptTo: // "user not local; will forward" is a success too
        return code == "220" || code == "250" || code == "251" || code == "354";
    case Step::Data: // anything else, and the text would be read as commands
        return code == "354";
    case Step::Message: // anything but 250 leaves the message untaken
        return code == "250";
    default:
        return code == "220" || code == "250" || code == "354";
    }
}

// How a reply that moves nothing ends the submission at step.
Ending refusal(const Reply &reply, Step step)
{
    const Ending::Kind kind = reply.oversized ? Ending::Kind::ReplyTooLong
        : reply.code().startsWith('4')        ? Ending::Kind::Deferred
                                              : Ending::Kind::Refused;
    return {.kind = kind, .step = step, .reply = reply.text};
}

// A command argument never carries CR or LF, so no field can add a command of its own.
QByteArray commandLine(QByteArrayView verb, QByteArray argument, QByteArrayView close = {})
{
    argument.replace('\r', QByteArrayView()).replace('\n', QByteArrayView());
    return verb.toByteArray() + argument + close.toByteArray() + "\r\n";
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

constexpr QByteArrayView kQuit = "QUIT\r\n";

} // namespace

SmtpDialogue::SmtpDialogue(Submission submission, Timeouts timeouts)
    : submission_(std::move(submission))
    , timeouts_(timeouts)
{
}

SmtpDialogue::Reaction SmtpDialogue::start() const
{
    return {{}, timeouts_.reply, {}};
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

SmtpDialogue::Reaction SmtpDialogue::connectionLost(const SocketFailure &failure)
{
    Reaction reaction;
    if (!ended_)
        end(step_ == Step::Quit ? Ending{Ending::Kind::Sent}
                                : Ending{.kind = Ending::Kind::ConnectionFailed,
                                         .step = step_,
                                         .socketError = failure.number,
                                         .description = failure.description,
                                         .ipv6Only = failure.ipv6Only},
            reaction);
    return reaction;
}

SmtpDialogue::Reaction SmtpDialogue::deadlinePassed()
{
    Reaction reaction;
    if (ended_)
        return reaction;
    if (step_ != Step::Quit)
        reaction.toSend += kQuit;
    end({.kind = step_ == Step::Quit ? Ending::Kind::Sent : Ending::Kind::TimedOut, .step = step_}, reaction);
    return reaction;
}

void SmtpDialogue::answer(const Reply &reply, Reaction &reaction)
{
    if (step_ == Step::Quit)
        return end({Ending::Kind::Sent}, reaction);
    if (replyStartedEarly_ || !accepts(step_, reply.code())) {
        reaction.toSend += kQuit;
        return end(refusal(reply, step_), reaction);
    }
    reaction.toSend += command(step_);
    step_ = Step(int(step_) + 1);
    // Bytes already here were sent before this command: they cannot answer it.
    replyStartedEarly_ = reader_.holdsBytes();
    reaction.awaitReplyWithin = step_ == Step::Quit ? timeouts_.quitGrace : timeouts_.reply;
}

void SmtpDialogue::end(Ending ending, Reaction &reaction)
{
    ended_ = true;
    reaction.awaitReplyWithin.reset();
    reaction.ending = std::move(ending);
}

// What accepting the reply awaited at step sends.
QByteArray SmtpDialogue::command(Step step) const
{
    const QByteArray sender = submission_.sender.trimmed();
    switch (step) {
    case Step::Greeting:
        return commandLine("HELO ", sender.left(sender.indexOf('@')));
    case Step::Helo:
        return commandLine("MAIL FROM:<", sender, ">");
    case Step::MailFrom:
        return commandLine("RCPT TO:<", submission_.recipient.trimmed(), ">");
    case Step::RcptTo:
        return "DATA\r\n";
    case Step::Data:
        return data();
    case Step::Message:
        return kQuit.toByteArray();
    case Step::Quit:
        break;
    }
    Q_UNREACHABLE();
    return {};
}

// The header, an empty line, the text, two empty lines and the attachments, then ".".
QByteArray SmtpDialogue::data() const
{
    QByteArray out = commandLine("Subject:", submission_.subject) + "\r\n";
    out.reserve(out.size() + submission_.messageText.size() + submission_.attachmentBlock.size() * 103 / 100 + 64);
    // The text's lines, an empty line, the attachments' lines: the block is not copied
    // once more to put them together.
    appendDataLines(out, submission_.messageText);
    out += "\r\n";
    appendDataLines(out, submission_.attachmentBlock);
    out += ".\r\n";
    return out;
}
