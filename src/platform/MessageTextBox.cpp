#include "platform/MessageTextBox.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <limits>

MessageTextBox::MessageTextBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
}

int MessageTextBox::countedLength(QStringView plainText)
{
    return int(plainText.size() + plainText.count(u'\n'));
}

QString MessageTextBox::Text() const
{
    return toPlainText().replace(u'\n', u"\r\n"_qs);
}

int MessageTextBox::room() const
{
    if (maxLength_ <= 0)
        return std::numeric_limits<int>::max();
    const QString replaced = textCursor().selection().toPlainText();
    return maxLength_ - countedLength(toPlainText()) + countedLength(replaced);
}

// The longest start of text that fits the room left, with its line breaks as LF.
QString MessageTextBox::fitting(QString text) const
{
    text.replace(u"\r\n"_qs, u"\n"_qs).replace(u'\r', u'\n');
    int left = room();
    qsizetype end = 0;
    while (end < text.size()) {
        const qsizetype next = end + (text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1);
        const int cost = countedLength(QStringView(text).sliced(end, next - end));
        if (cost > left)
            break;
        left -= cost;
        end = next;
    }
    return text.first(end);
}

void MessageTextBox::keyPressEvent(QKeyEvent *event)
{
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = lineBreak ? u"\n"_qs : event->text();
    const bool inserts = lineBreak || (!typed.isEmpty() && typed.at(0).isPrint());
    if (inserts && !(event->modifiers() & Qt::ControlModifier) && fitting(typed) != typed) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MessageTextBox::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    textCursor().insertText(fitting(source->text()));
    ensureCursorVisible();
}

void MessageTextBox::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = fitting(event->commitString());
    if (commit == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fitted(event->preeditString(), event->attributes());
    fitted.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&fitted);
}
