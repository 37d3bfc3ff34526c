#include "submission/ReplyReader.h"

#include <algorithm>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

QByteArrayView Reply::code() const
{
    if (oversized || text.size() < 3 || !std::all_of(text.begin(), text.begin() + 3, isDigit))
        return {};
    const QByteArrayView code = QByteArrayView(text).first(3);
    for (qsizetype lineStart = 0; lineStart < text.size();) {
        const qsizetype lineEnd = text.indexOf('\n', lineStart);
        if (lineEnd < 0) // a whole reply ends in LF
            return {};
        QByteArrayView line = QByteArrayView(text).sliced(lineStart, lineEnd - lineStart);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.startsWith(code) || !(line.size() == 3 || line[3] == ' ' || line[3] == '-'))
            return {};
        lineStart = lineEnd + 1;
    }
    return code;
}

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
