#pragma once
// The client side of one SMTP submission, free of sockets and timers. It is fed what
// happens to the connection: the bytes the server sends, the connection's loss, the
// passing of a reply's deadline. It answers with the bytes to send, how long to wait for
// the next reply, and, once, how the submission ended.
//
// The dialogue walks HELO, MAIL FROM, RCPT TO, DATA, the message, QUIT, one step per
// complete reply. A reply coded 220, 250 or 354 moves it on; RCPT TO takes 251 too, DATA
// only 354 (the text goes out only to a server ready for it), and only a 250 to the
// message's final "." means the message was taken. Any other reply ends it as a refusal
// answered with a QUIT: a malformed one, one over the cap, and one that was already there
// when its command went out (only the greeting comes before the first command). Once the
// message is taken, whatever follows (QUIT's reply, a hang-up, the short grace running
// out) ends it as sent. Every other ending names the step it came at: once the final "."
// is out, a silence or a hang-up leaves open whether the message was taken.

#include "submission/Ending.h"
#include "submission/ReplyReader.h"
#include "submission/Submission.h"

#include <chrono>
#include <optional>

class SmtpDialogue
{
public:
    using Step = SmtpStep;

    struct Timeouts
    {
        std::chrono::milliseconds reply;     // for the whole of each reply
        std::chrono::milliseconds quitGrace; // for QUIT's reply, the message being taken
    };

    struct Reaction
    {
        QByteArray toSend;                                          // to send before anything else
        std::optional<std::chrono::milliseconds> awaitReplyWithin; // a new deadline, from now
        std::optional<Ending> ending;                               // set once: then close the connection
    };

    SmtpDialogue(Submission submission, Timeouts timeouts);

    // The connection is being opened: the greeting's deadline starts now.
    [[nodiscard]] Reaction start() const;
    // Everything received since the last call. Bytes after the ending are ignored.
    [[nodiscard]] Reaction receive(QByteArrayView bytes);
    [[nodiscard]] Reaction connectionLost(const SocketFailure &failure);
    [[nodiscard]] Reaction deadlinePassed();

    [[nodiscard]] Step step() const { return step_; }

private:
    void answer(const Reply &reply, Reaction &reaction);
    void end(Ending ending, Reaction &reaction);
    [[nodiscard]] QByteArray command(Step step) const;
    [[nodiscard]] QByteArray data() const;

    const Submission submission_;
    const Timeouts timeouts_;
    ReplyReader reader_;
    Step step_ = Step::Greeting;
    bool replyStartedEarly_ = false; // the awaited reply's first bytes came before its command
    bool ended_ = false;
};
