#pragma once
// The client side of one SMTP submission, free of sockets: fed the bytes the server
// sends, it answers with the bytes to send back and, at the end, how it ended.
// The dialogue walks HELO, MAIL FROM, RCPT TO, DATA, the message, QUIT, one step per
// complete reply; a reply coded 220, 250 or 354 moves it on, any other reply ends it:
// after QUIT as success, before as refusal.

#include "submission/ReplyReader.h"
#include "submission/Submission.h"

#include <optional>

class SmtpDialogue
{
public:
    enum class Ending { Sent, Refused };

    struct Reaction
    {
        QByteArray toSend;            // to be sent before anything else happens
        std::optional<Ending> ending; // set once: the connection is to be closed
        QByteArray refusal;           // the whole reply that refused the message
    };

    explicit SmtpDialogue(Submission submission);

    // Everything received since the last call. Bytes after the ending are ignored.
    [[nodiscard]] Reaction receive(QByteArrayView bytes);

    [[nodiscard]] int step() const { return step_; }

    // The server has taken the message (QUIT is out): losing the connection now
    // loses nothing.
    [[nodiscard]] bool messageAccepted() const;

private:
    void answer(const Reply &reply, Reaction &reaction);
    [[nodiscard]] QByteArray command(int step) const;
    [[nodiscard]] QByteArray data() const;

    const Submission submission_;
    ReplyReader reader_;
    int step_ = 0;
    bool ended_ = false;
};
