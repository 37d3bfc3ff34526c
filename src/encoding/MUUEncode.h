#pragma once
// Turns an attachment file into the uuencoded block that travels in the message body.

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace MUUEncode {

// Why a file could not be encoded, as a code: the words are the window's, in the
// user's language.
enum class EncodeFailure {
    Missing,              // no such file, or a folder on its path is missing
    NoPermission,         // the file may not be read
    NotAFile,             // a directory, a pipe or a device
    Unreadable,           // any other failure to open or read: the system's words tell
    ShrankWhileRead,      // the file ended before the size it had when opened
    NameOutsideWindows1251,
};

class EncodeError : public std::runtime_error
{
public:
    // systemWords: the system's own description, for Unreadable.
    EncodeError(const QString &path, EncodeFailure failure, const QString &systemWords = {});

    [[nodiscard]] QString path() const { return path_; }
    [[nodiscard]] EncodeFailure failure() const { return failure_; }
    [[nodiscard]] QString systemWords() const { return systemWords_; }

private:
    QString path_;
    EncodeFailure failure_;
    QString systemWords_;
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
