#pragma once
// The multi-line message box with a length limit that holds however text comes in:
// typing, pasting, dropping, input methods; undo and redo only return to texts that
// were within the limit. A line break counts two characters, CR and LF, as it goes
// out; what does not fit is refused, and a paste inserts as much as fits.

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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    [[nodiscard]] int room() const;
    [[nodiscard]] QString fitting(QString text) const;

    int maxLength_ = 0; // 0: no limit
};
