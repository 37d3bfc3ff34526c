#include "platform/PhoneNumberBox.h"

#include "platform/Accessibility.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTextDocumentFragment>
#include <QValidator>

#include <memory>

// Qt asks a line edit's validator about every change, whatever made it, before anyone
// hears of it, and undoes an edit it refuses within the same step; a set text, an undo
// or a redo it refuses stays, and the box puts back what it had (judgeChange).
class NumberBoxGuard final : public QValidator
{
public:
    explicit NumberBoxGuard(PhoneNumberBox *box)
        : QValidator(box)
        , box_(box)
    {
    }

    State validate(QString &input, int &) const override { return box_->takes(input) ? Acceptable : Invalid; }

private:
    PhoneNumberBox *box_;
};

namespace {

// What a paste or a drop brings: its text, or the text of its HTML (a table cell copied
// from a web page).
QString textOf(const QMimeData *data)
{
    if (!data)
        return {};
    if (data->hasText())
        return data->text();
    if (data->hasHtml())
        return QTextDocumentFragment::fromHtml(data->html()).toPlainText();
    return {};
}

} // namespace

PhoneNumberBox::PhoneNumberBox(QWidget *parent)
    : QLineEdit(parent)
{
    readAsOneRun(this);
    setValidator(new NumberBoxGuard(this));
    connect(this, &QLineEdit::textChanged, this, &PhoneNumberBox::judgeChange);
    connect(this, &QLineEdit::inputRejected, this, &PhoneNumberBox::tellRefusal);
}

// An undo step of its own, as Qt's own paste makes: the cursor moving starts one (so
// does clearing an empty box, where it cannot move), and moving it after the insert
// ends it.
void PhoneNumberBox::putNumber(const QString &number)
{
    if (text().isEmpty())
        clear();
    home(false);
    end(true);
    insert(number);
    home(false);
    end(false);
}

bool PhoneNumberBox::takes(const QString &text)
{
    if (putting_)
        return true;
    const NumberBoxEdit edit = judgeNumberBoxEdit(held_, text);
    const bool refused = edit.kind == NumberBoxEdit::Kind::KeyRefused || edit.kind == NumberBoxEdit::Kind::TextRefused;
    if (refused)
        refusal_ = edit;
    return !refused;
}

void PhoneNumberBox::judgeChange(const QString &text)
{
    if (putting_) {
        held_ = text;
        return;
    }
    const NumberBoxEdit edit = judgeNumberBoxEdit(held_, text);
    putting_ = true;
    switch (edit.kind) {
    case NumberBoxEdit::Kind::Taken:
        held_ = text;
        break;
    case NumberBoxEdit::Kind::Number:
        undo(); // the longer form's edit, so that Ctrl+Z goes back to before it
        putNumber(edit.number);
        break;
    case NumberBoxEdit::Kind::KeyRefused:
    case NumberBoxEdit::Kind::TextRefused:
        setText(held_); // a set text, an undo or a redo: their history is gone or stays
        break;
    }
    putting_ = false;
    if (edit.kind == NumberBoxEdit::Kind::Number)
        emit numberRead(edit.number);
}

void PhoneNumberBox::tellRefusal()
{
    if (refusal_.kind == NumberBoxEdit::Kind::KeyRefused)
        return emit keyRefused();
    // Later: a box opened now would sit inside the edit, or inside another program's drag.
    QMetaObject::invokeMethod(
        this, [this, problem = refusal_.problem] { emit textRefused(problem); }, Qt::QueuedConnection);
}

// Starts an undo step of its own, as Qt's paste does, keeping the cursor and the selection.
void PhoneNumberBox::separateUndoStep()
{
    if (text().isEmpty())
        return clear();
    const int cursor = cursorPosition();
    const int anchor = !hasSelectedText() ? cursor : cursor == selectionStart() ? selectionEnd() : selectionStart();
    setCursorPosition(cursor == 0 ? 1 : 0);
    setSelection(anchor, cursor - anchor);
}

void PhoneNumberBox::paste(const QMimeData *data)
{
    if (isReadOnly())
        return;
    separateUndoStep();
    insert(textOf(data));
    separateUndoStep();
}

void PhoneNumberBox::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste))
        return paste(QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard));
    QLineEdit::keyPressEvent(event);
}

// The standard menu, its Paste reading HTML too.
void PhoneNumberBox::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    for (QAction *action : menu->actions()) {
        if (!action->text().startsWith(QLineEdit::tr("&Paste")))
            continue;
        disconnect(action, &QAction::triggered, this, nullptr);
        connect(action, &QAction::triggered, this,
                [this] { paste(QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard)); });
    }
    menu->exec(event->globalPos());
}

void PhoneNumberBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        return paste(QGuiApplication::clipboard()->mimeData(QClipboard::Selection));
    }
    QLineEdit::mouseReleaseEvent(event);
}

// Digits moved about inside the box stay Qt's own edit. What comes from elsewhere is
// copied, never moved: the message box keeps its text.
void PhoneNumberBox::dropEvent(QDropEvent *event)
{
    if (event->source() == this || isReadOnly())
        return QLineEdit::dropEvent(event);
    QDragLeaveEvent over; // puts away the drop cursor
    QLineEdit::dragLeaveEvent(&over);
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    paste(event->mimeData());
}
