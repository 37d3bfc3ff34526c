#pragma once
// Turns an attachment file into the uuencoded block that travels in the message body.

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace MUUEncode {

// Why a file could not be encoded: the path and the system's own words for the cause.
class EncodeError : public std::runtime_error
{
public:
    EncodeError(const QString &path, const QString &cause);

    [[nodiscard]] QString path() const { return path_; }
    [[nodiscard]] QString cause() const { return cause_; }

private:
    QString path_;
    QString cause_;
};

// The whole block for the file at path, from "begin 664 <name>" to "end", as the bytes
// that go on the wire: the name in Windows-1251, the rest ASCII. The block has room for
// a CRLF after it (kRoomAfterBlock). Reads the file once, a large one in two halves at
// once on two threads. Throws EncodeError when the file does not exist, is not a
// regular file (a directory, a pipe, a device), cannot be opened (no permission),
// cannot be read to the size it had when opened, or its name holds a character
// Windows-1251 lacks; it never returns part of a block.
[[nodiscard]] QByteArray UUEncodeFile(const QString &path);

} // namespace MUUEncode
