#pragma once
// The multi-line message box with a length limit that holds however text comes in:
// typing, pasting, dropping, input methods, or anything else that edits its document.
// A line break counts two characters, CR and LF, as it goes out. After every edit the
// box cuts what the edit added back to what fits, within the same undo step, so undo
// and redo only return to texts that were within the limit.

#include <QPlainTextEdit>

class MessageTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit MessageTextBox(QWidget *parent = nullptr);

    // Characters of plain text (LF line breaks) as the limit counts them.
    [[nodiscard]] static int countedLength(QStringView plainText);

    void setMaxLength(int maxLength) { maxLength_ = maxLength; }
    [[nodiscard]] int maxLength() const { return maxLength_; }

    // The text with CRLF line breaks, as it is counted and sent.
    [[nodiscard]] QString Text() const;

    // Empties the box as one edit that undo takes back; clear() forgets the history.
    void clearUndoably();

signals:
    // An edit left the box full; cut: it brought more than fitted, and the rest is gone.
    void filled(bool cut);

private:
    void keepWithinLimit();

    int maxLength_ = 0; // 0: no limit
    int addedFrom_ = 0; // the characters the last edit added, in document positions
    int addedCount_ = 0;
    int removedCount_ = 0;
};
