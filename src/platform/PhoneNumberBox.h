#pragma once
// The phone number box. Whatever brings text in (keys, an auto-typer, an input method,
// a screen reader, paste, the middle button, a drop, undo and redo), every change is
// judged at the box by judgeNumberBoxEdit: a longer number is never cut to fit, it is
// read whole and becomes its seven digits as one edit that Ctrl+Z takes back, or the
// box keeps what it had and says why. A clipboard or a drop that offers only HTML is read
// by its text. Screen readers read its number whole (see LineEditAccessible).

#include "submission/PhoneNumber.h"

#include <QLineEdit>

class QMimeData;

class PhoneNumberBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit PhoneNumberBox(QWidget *parent = nullptr);

    // Replaces the whole text as one edit, which Ctrl+Z takes back.
    void putNumber(const QString &number);

signals:
    void numberRead(const QString &number); // a longer form became these seven digits
    void keyRefused();                      // a key past what a number can be
    // A text that held no number; told once the edit, and any drag, has ended.
    void textRefused(NumberProblem problem);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    friend class NumberBoxGuard;
    [[nodiscard]] bool takes(const QString &text);
    void judgeChange(const QString &text);
    void tellRefusal();
    void paste(const QMimeData *data);
    void separateUndoStep();

    QString held_;         // the text the box last took
    bool putting_ = false; // the box's own edits, taken as they are
    NumberBoxEdit refusal_{NumberBoxEdit::Kind::Taken};
};
