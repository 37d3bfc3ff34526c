#pragma once
// Cuts the bytes a server sends into SMTP replies. A reply is one or more lines, each
// ended by LF (CR optional); a line whose fourth character is '-' continues the reply,
// any other line ends it. TCP may split a reply over many reads or put several replies
// into one, so bytes are buffered until a reply is complete.

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

constexpr qsizetype kMaxReplyBytes = 64 * 1024; // a reply longer than this is not an SMTP reply

struct Reply
{
    QByteArray text;        // as received, line ends included
    bool oversized = false; // longer than kMaxReplyBytes, cut there; never an acceptance

    [[nodiscard]] QByteArrayView code() const { return QByteArrayView(text).first(std::min<qsizetype>(3, text.size())); }
};

class ReplyReader
{
public:
    void feed(QByteArrayView bytes);

    // The next complete reply, if the bytes fed so far hold one.
    [[nodiscard]] std::optional<Reply> next();

private:
    Reply take(qsizetype size, bool oversized);

    QByteArray buffer_;
    qsizetype lineStart_ = 0; // start of the pending reply's unfinished line
    qsizetype scanned_ = 0;   // bytes already searched for LF
};
