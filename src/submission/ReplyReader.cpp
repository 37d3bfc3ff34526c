#include "submission/ReplyReader.h"

void ReplyReader::feed(QByteArrayView bytes)
{
    buffer_.append(bytes);
}

std::optional<Reply> ReplyReader::next()
{
    for (;;) {
        // A reply whose end lies past the cap is over it however the bytes arrived.
        const qsizetype lineEnd = buffer_.indexOf('\n', scanned_);
        if (lineEnd < 0 || lineEnd >= kMaxReplyBytes) {
            scanned_ = buffer_.size();
            break;
        }
        const bool continues = lineEnd - lineStart_ > 3 && buffer_.at(lineStart_ + 3) == '-';
        lineStart_ = scanned_ = lineEnd + 1;
        if (!continues)
            return take(lineStart_, false);
    }
    if (buffer_.size() > kMaxReplyBytes)
        return take(kMaxReplyBytes, true);
    return std::nullopt;
}

Reply ReplyReader::take(qsizetype size, bool oversized)
{
    Reply reply{buffer_.first(size), oversized};
    buffer_.remove(0, size);
    lineStart_ = scanned_ = 0;
    return reply;
}
