// Arbitrary server bytes, split at arbitrary points, against reply framing and the
// dialogue. Whatever the server sends, the client sends nothing but the next steps of
// the one transcript, ends at most once, and does not depend on how TCP split the bytes.

#include "submission/ReplyReader.h"
#include "submission/SmtpDialogue.h"

#include <cstdint>
#include <cstdlib>

namespace {

const Submission kSubmission{"0000000@sms.kyivstar.net", "380671234567@sms.kyivstar.net", "",
                             "Hi\r\n.\r\n..two", "begin 664 x\n.86)C\n`\nend\n\r\n"};

using namespace std::chrono_literals;
constexpr SmtpDialogue::Timeouts kTimeouts{60s, 2s};

QByteArray fullTranscript()
{
    SmtpDialogue dialogue(kSubmission, kTimeouts);
    QByteArray sent;
    for (const char *reply : {"220 a\r\n", "250 b\r\n", "250 c\r\n", "250 d\r\n", "354 e\r\n", "250 f\r\n"})
        sent += dialogue.receive(reply).toSend;
    return sent;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Outcome
{
    QByteArray sent;
    std::optional<Ending::Kind> ending;
    QByteArray refusal;
    SmtpDialogue::Step step = SmtpDialogue::Step::Greeting;
};

// Feeds the bytes in pieces whose sizes come from seed; seed 0 feeds them whole.
Outcome run(QByteArrayView bytes, unsigned seed)
{
    SmtpDialogue dialogue(kSubmission, kTimeouts);
    Outcome outcome;
    for (qsizetype at = 0; at < bytes.size();) {
        seed = seed * 1103515245u + 12345u;
        const qsizetype piece = seed == 12345u ? bytes.size() : 1 + (seed >> 16) % 97;
        const auto reaction = dialogue.receive(bytes.sliced(at, std::min(piece, bytes.size() - at)));
        at += piece;
        check(!outcome.ending || (reaction.toSend.isEmpty() && !reaction.ending));
        outcome.sent += reaction.toSend;
        if (reaction.ending) {
            outcome.ending = reaction.ending->kind;
            outcome.refusal = reaction.ending->reply;
        }
    }
    outcome.step = dialogue.step();
    return outcome;
}

void checkFraming(QByteArrayView bytes, unsigned seed)
{
    ReplyReader reader;
    QByteArray replies;
    for (qsizetype at = 0; at < bytes.size();) {
        seed = seed * 1103515245u + 12345u;
        const qsizetype piece = 1 + (seed >> 16) % 61;
        reader.feed(bytes.sliced(at, std::min(piece, bytes.size() - at)));
        at += piece;
        while (auto reply = reader.next()) {
            check(reply->text.size() <= kMaxReplyBytes);
            check(reply->oversized || reply->text.endsWith('\n'));
            replies += reply->text;
        }
    }
    check(QByteArrayView(bytes).startsWith(replies));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const QByteArray transcript = fullTranscript();
    const unsigned seed = data[0];
    const QByteArrayView bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size) - 1);

    const Outcome whole = run(bytes, 0);
    const Outcome split = run(bytes, seed | 1);
    check(whole.sent == split.sent && whole.ending == split.ending && whole.refusal == split.refusal);
    check(!whole.ending || *whole.ending == Ending::Kind::Sent || *whole.ending == Ending::Kind::Refused);
    if (whole.ending == Ending::Kind::Sent)
        check(whole.step == SmtpDialogue::Step::Quit && whole.sent == transcript);
    if (whole.ending == Ending::Kind::Refused) // the steps so far, then a polite QUIT
        check(!whole.refusal.isEmpty() && whole.refusal.size() <= kMaxReplyBytes
              && whole.step < SmtpDialogue::Step::Quit && whole.sent.endsWith("QUIT\r\n")
              && transcript.startsWith(whole.sent.chopped(6)));
    else
        check(transcript.startsWith(whole.sent));
    checkFraming(bytes, seed);
    return 0;
}
