#pragma once
// Cuts the bytes a server sends into SMTP replies. A reply is one or more lines, each
// ended by LF (CR optional); a line whose fourth character is '-' continues the reply,
// any other line ends it. TCP may split a reply over many reads or put several replies
// into one, so bytes are buffered until a reply is complete.
//
// A reply is well formed as RFC 5321 writes it: every line starts with the same three
// digits, followed by a space, a '-' or the line's end. Anything else has no code.

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

constexpr qsizetype kMaxReplyBytes = 64 * 1024; // a reply longer than this is not an SMTP reply

struct Reply
{
    QByteArray text;        // as received, line ends included
    bool oversized = false; // longer than kMaxReplyBytes, cut there; never an acceptance

    // The three digits every line carries; empty for a malformed or oversized reply.
    [[nodiscard]] QByteArrayView code() const;
};

class ReplyReader
{
public:
    void feed(QByteArrayView bytes);

    // The next complete reply, if the bytes fed so far hold one.
    [[nodiscard]] std::optional<Reply> next();
    // Whether bytes of a reply not yet taken are waiting.
    [[nodiscard]] bool holdsBytes() const { return !buffer_.isEmpty(); }

private:
    Reply take(qsizetype size, bool oversized);

    QByteArray buffer_;
    qsizetype lineStart_ = 0; // start of the pending reply's unfinished line
    qsizetype scanned_ = 0;   // bytes already searched for LF
};
