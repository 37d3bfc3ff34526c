// Arbitrary server bytes, an arbitrary message, and the connection's loss or a reply's
// deadline at arbitrary points, fed whole and split at arbitrary points. The client sends
// the steps of the one transcript and nothing else, carries the message intact, ends at
// most once and as the replies say; how TCP split the bytes matters only where a reply
// came in the same read as the one before it, which makes it out of turn.
//
// Input: seed, subject length, text length (2 bytes), attachment length (2 bytes), two
// events, then the subject, text and attachment bytes, then the server's bytes. An event
// is a kind (1 lost, 2 deadline, else none) and a 3-byte offset into the server's bytes.

#include "submission/ReplyReader.h"
#include "submission/SmtpDialogue.h"

#include <QList>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Step = SmtpDialogue::Step;
constexpr SmtpDialogue::Timeouts kTimeouts{60s, 2s};
constexpr QByteArrayView kQuit = "QUIT\r\n";
constexpr QByteArrayView kDataEnd = "\r\n.\r\n";
// What goes before the message for this sender and recipient.
constexpr QByteArrayView kEnvelope[] = {"HELO 0000000\r\n", "MAIL FROM:<0000000@sms.kyivstar.net>\r\n",
                                        "RCPT TO:<380671234567@sms.kyivstar.net>\r\n", "DATA\r\n"};
const SocketFailure kLoss{10054, u"reset by peer"_qs};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

class Cursor
{
public:
    explicit Cursor(QByteArrayView bytes)
        : bytes_(bytes)
    {
    }
    // Missing bytes read as zero, so that every input means something.
    unsigned number(int width)
    {
        unsigned n = 0;
        for (int i = 0; i < width; ++i)
            n = n << 8 | (at_ < bytes_.size() ? std::uint8_t(bytes_[at_++]) : 0u);
        return n;
    }
    QByteArrayView take(qsizetype count)
    {
        const QByteArrayView taken = bytes_.sliced(at_, std::min(count, bytes_.size() - at_));
        at_ += taken.size();
        return taken;
    }

private:
    QByteArrayView bytes_;
    qsizetype at_ = 0;
};

struct Event
{
    enum Kind { Lost = 1, Deadline = 2 } kind;
    qsizetype at; // after this many server bytes
};

struct Input
{
    unsigned seed;
    Submission submission;
    std::vector<Event> events;
    QByteArrayView server;
};

Input parse(QByteArrayView bytes)
{
    Cursor cursor(bytes);
    const unsigned seed = cursor.number(1);
    const unsigned subjectSize = cursor.number(1), textSize = cursor.number(2), attachmentSize = cursor.number(2);
    const unsigned events[2][2] = {{cursor.number(1), cursor.number(3)}, {cursor.number(1), cursor.number(3)}};
    Input input{.seed = seed,
                .submission = {.sender = "0000000@sms.kyivstar.net",
                               .recipient = "380671234567@sms.kyivstar.net",
                               .subject = cursor.take(subjectSize).toByteArray(),
                               .messageText = cursor.take(textSize).toByteArray(),
                               .attachmentBlock = cursor.take(attachmentSize).toByteArray()},
                .events = {},
                .server = cursor.take(bytes.size())};
    for (const auto &[kind, at] : events)
        if (kind % 4 == Event::Lost || kind % 4 == Event::Deadline)
            input.events.push_back({Event::Kind(kind % 4), qsizetype(at % (input.server.size() + 1))});
    std::stable_sort(input.events.begin(), input.events.end(), [](Event a, Event b) { return a.at < b.at; });
    return input;
}

struct Outcome
{
    QByteArray sent;
    std::optional<Ending> ending;
    QList<qsizetype> readEnds; // where each read of the server's bytes ended
};

// Takes one reaction: nothing after the ending, and a deadline exactly when a command went out.
void take(Outcome &outcome, const SmtpDialogue &dialogue, const SmtpDialogue::Reaction &reaction)
{
    if (outcome.ending) {
        check(reaction.toSend.isEmpty() && !reaction.awaitReplyWithin && !reaction.ending);
        return;
    }
    outcome.sent += reaction.toSend;
    if (reaction.ending) {
        check(!reaction.awaitReplyWithin);
        outcome.ending = reaction.ending;
    } else if (reaction.toSend.isEmpty()) {
        check(!reaction.awaitReplyWithin);
    } else {
        check(reaction.awaitReplyWithin == (dialogue.step() == Step::Quit ? kTimeouts.quitGrace : kTimeouts.reply));
    }
}

// Feeds the server's bytes in pieces whose sizes come from seed; seed 0 feeds them whole
// between events.
Outcome run(const Input &input, unsigned seed)
{
    SmtpDialogue dialogue(input.submission, kTimeouts);
    const auto first = dialogue.start();
    check(first.toSend.isEmpty() && first.awaitReplyWithin == kTimeouts.reply && !first.ending);
    Outcome outcome;
    qsizetype fed = 0;
    const auto feedUpTo = [&](qsizetype end) {
        while (fed < end) {
            qsizetype piece = end - fed;
            if (seed) {
                seed = seed * 1103515245u + 12345u;
                piece = std::min<qsizetype>(piece, 1 + (seed >> 16) % 97);
            }
            take(outcome, dialogue, dialogue.receive(input.server.sliced(fed, piece)));
            fed += piece;
            outcome.readEnds += fed;
        }
    };
    for (const Event &event : input.events) {
        feedUpTo(event.at);
        take(outcome, dialogue, event.kind == Event::Lost ? dialogue.connectionLost(kLoss) : dialogue.deadlinePassed());
    }
    feedUpTo(input.server.size());
    return outcome;
}

// The replies in the bytes, which must not depend on how they were split.
QList<Reply> frame(QByteArrayView bytes, unsigned seed)
{
    QList<Reply> replies[2]; // fed whole, fed in pieces
    for (int split = 0; split < 2; ++split) {
        ReplyReader reader;
        for (qsizetype at = 0; at < bytes.size();) {
            seed = seed * 1103515245u + 12345u;
            const qsizetype piece = split ? 1 + (seed >> 16) % 61 : bytes.size();
            reader.feed(bytes.sliced(at, std::min(piece, bytes.size() - at)));
            at += piece;
            while (auto reply = reader.next())
                replies[split] += *reply;
        }
    }
    check(replies[0].size() == replies[1].size());
    QByteArray joined;
    for (qsizetype i = 0; i < replies[0].size(); ++i) {
        const Reply &reply = replies[0][i];
        check(reply.text == replies[1][i].text && reply.oversized == replies[1][i].oversized);
        check(reply.oversized ? reply.text.size() == kMaxReplyBytes
                              : reply.text.size() <= kMaxReplyBytes && reply.text.endsWith('\n'));
        joined += reply.text;
    }
    check(bytes.startsWith(joined));
    return replies[0];
}

// How the dialogue should have gone: the commands sent, a QUIT after them, the ending.
struct Expected
{
    int commands = 0; // of HELO, MAIL FROM, RCPT TO, DATA, the message, QUIT
    bool quitAfter = false;
    std::optional<Ending::Kind> ending;
    QByteArray refusal;
};

// The reply's code as RFC 5321 writes it, or nothing: every line the same three digits,
// then a space, '-' or the line's end.
QByteArray codeOf(const Reply &reply)
{
    if (reply.oversized)
        return {};
    QList<QByteArray> lines = reply.text.split('\n');
    lines.removeLast(); // after the final LF
    const QByteArray code = reply.text.left(3);
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        const bool digits = code.size() == 3 && std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!digits || !line.startsWith(code) || (line.size() > 3 && line[3] != ' ' && line[3] != '-'))
            return {};
    }
    return code;
}

bool accepted(int commandsSent, const QByteArray &code)
{
    static const QList<QList<QByteArray>> accepts = {{"220", "250", "354"}, {"220", "250", "354"},
                                                     {"220", "250", "354"}, {"220", "250", "251", "354"},
                                                     {"354"},               {"250"}};
    return accepts[commandsSent].contains(code);
}

Expected expect(const Input &input, const QList<Reply> &replies, const QList<qsizetype> &readEnds)
{
    Expected expected;
    const auto end = [&](Ending::Kind kind, bool quit) {
        if (!expected.ending) {
            expected.ending = kind;
            expected.quitAfter = quit;
        }
    };
    const auto happen = [&](const Event &event) {
        if (expected.commands == 6)
            end(Ending::Kind::Sent, false);
        else
            end(event.kind == Event::Lost ? Ending::Kind::ConnectionFailed : Ending::Kind::TimedOut,
                event.kind == Event::Deadline);
    };
    auto event = input.events.begin();
    qsizetype start = 0;
    bool early = false; // this reply began in the read that completed the one before
    for (const Reply &reply : replies) {
        // A reply is whole when its last byte arrived; one over the cap when a byte past it did.
        const qsizetype whole = start + reply.text.size() + (reply.oversized ? 1 : 0);
        start += reply.text.size();
        for (; event != input.events.end() && event->at < whole; ++event)
            happen(*event);
        if (expected.ending)
            break;
        const QByteArray code = codeOf(reply);
        if (expected.commands == 6) {
            end(Ending::Kind::Sent, false);
        } else if (early || !accepted(expected.commands, code)) {
            end(reply.oversized         ? Ending::Kind::ReplyTooLong
                : code.startsWith('4') ? Ending::Kind::Deferred
                                       : Ending::Kind::Refused,
                true);
            expected.refusal = reply.text;
        } else {
            ++expected.commands;
        }
        const auto completed = std::lower_bound(readEnds.begin(), readEnds.end(), whole);
        early = completed != readEnds.end() && *completed > start;
    }
    for (; event != input.events.end(); ++event)
        happen(*event);
    return expected;
}

// The message as the server reads it: the header line, an empty line, the text, two empty
// lines and the attachment block, each line break of any kind as CR LF.
QByteArray messageRead(const Submission &submission)
{
    QByteArray subject = submission.subject;
    subject.replace('\r', "").replace('\n', "");
    QByteArray body = submission.messageText + "\r\n\r\n" + submission.attachmentBlock;
    body.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    return "Subject:" + subject + "\r\n\r\n" + body;
}

// The data as sent up to its final line, with the dot doubled at the start of a line undone.
QByteArray unstuffed(QByteArrayView data)
{
    QList<QByteArray> lines = data.toByteArray().split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith('.')) {
            check(lines[i].startsWith(".."));
            lines[i].remove(0, 1);
        }
    }
    return lines.join('\n');
}

void checkAgainst(const Input &input, const Outcome &outcome, const Expected &expected)
{
    check(outcome.ending.has_value() == expected.ending.has_value());
    if (expected.ending) {
        const Ending &ending = *outcome.ending;
        check(ending.kind == *expected.ending && ending.reply == expected.refusal
              && ending.reply.size() <= kMaxReplyBytes);
        if (ending.kind == Ending::Kind::ConnectionFailed)
            check(ending.socketError == kLoss.number && ending.description == kLoss.description);
    }
    QByteArray sent;
    for (int i = 0; i < std::min(expected.commands, 4); ++i)
        sent += kEnvelope[i];
    if (expected.commands >= 5) {
        const QByteArrayView rest = QByteArrayView(outcome.sent).sliced(std::min(sent.size(), outcome.sent.size()));
        const qsizetype end = rest.indexOf(kDataEnd);
        check(end >= 0 && unstuffed(rest.first(end)) == messageRead(input.submission));
        sent += rest.first(end + kDataEnd.size());
    }
    if (expected.commands == 6)
        sent += kQuit;
    if (expected.quitAfter)
        sent += kQuit;
    check(outcome.sent == sent);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Input input = parse(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QList<Reply> replies = frame(input.server, input.seed);
    for (unsigned seed : {0u, input.seed | 1}) {
        const Outcome outcome = run(input, seed);
        checkAgainst(input, outcome, expect(input, replies, outcome.readEnds));
    }
    return 0;
}
