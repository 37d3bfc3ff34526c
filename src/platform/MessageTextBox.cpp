#include "platform/MessageTextBox.h"

#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <algorithm>

MessageTextBox::MessageTextBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    // A document of its own, so the limit is kept before the box reports a change:
    // connected first, the guard runs before anyone else hears of the edit.
    auto *document = new QTextDocument(this);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(font()); // later changes of the box's font reach it by themselves
    connect(document, &QTextDocument::contentsChange, this, [this](int from, int removed, int added) {
        addedFrom_ = from;
        removedCount_ = removed;
        addedCount_ = added;
    });
    connect(document, &QTextDocument::contentsChanged, this, &MessageTextBox::keepWithinLimit);
    setDocument(document);
}

int MessageTextBox::countedLength(QStringView plainText)
{
    return int(plainText.size() + plainText.count(u'\n'));
}

QString MessageTextBox::Text() const
{
    return toPlainText().replace(u'\n', u"\r\n"_qs);
}

void MessageTextBox::clearUndoably()
{
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
}

// Whatever the edit was, the document holds each line break as one character, and the
// plain text has an LF for it (paragraph and line separators included): what the
// edit added is measured on that plain text and cut from its end.
void MessageTextBox::keepWithinLimit()
{
    const int total = countedLength(toPlainText());
    if (maxLength_ <= 0 || total < maxLength_)
        return;
    if (total == maxLength_) {
        if (addedCount_ > removedCount_) // this edit filled it
            emit filled(false);
        return;
    }
    // A change of the whole document counts the closing paragraph, which holds nothing.
    const int addedTo = std::min(addedFrom_ + addedCount_, document()->characterCount() - 1);
    QTextCursor cursor(document());
    cursor.setPosition(addedFrom_);
    cursor.setPosition(addedTo, QTextCursor::KeepAnchor);
    const QString added = cursor.selection().toPlainText();
    int left = maxLength_ - (total - countedLength(added));
    int kept = 0;
    while (kept < added.size()) {
        const int next = kept + (added.at(kept).isHighSurrogate() && kept + 1 < added.size() ? 2 : 1);
        const int cost = countedLength(QStringView(added).sliced(kept, next - kept));
        if (cost > left)
            break;
        left -= cost;
        kept = next;
    }
    cursor.setPosition(addedFrom_ + kept);
    cursor.setPosition(addedTo, QTextCursor::KeepAnchor);
    cursor.joinPreviousEditBlock(); // undo takes back the edit and the cut together
    cursor.removeSelectedText();
    cursor.endEditBlock();
    QApplication::beep();
    emit filled(true);
}
