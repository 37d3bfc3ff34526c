#pragma once
// The phone number box. Typing is held to its length limit as in any line edit, but
// text from elsewhere (Ctrl+V, Shift+Insert, the context menu's Paste, the middle
// button's selection, a drop) is not cut to fit: it comes out of Pasted whole, and the
// box changes only when the window puts a number in with putNumber. Screen readers read
// its number whole (see LineEditAccessible).

#include <QLineEdit>

class PhoneNumberBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit PhoneNumberBox(QWidget *parent = nullptr);

    // Replaces the whole text as one edit, which Ctrl+Z takes back.
    void putNumber(const QString &number);

signals:
    void Pasted(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
