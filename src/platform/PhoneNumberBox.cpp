#include "platform/PhoneNumberBox.h"

#include "platform/Accessibility.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include <memory>

PhoneNumberBox::PhoneNumberBox(QWidget *parent)
    : QLineEdit(parent)
{
    readAsOneRun(this);
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

void PhoneNumberBox::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste) && !isReadOnly())
        return emit Pasted(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
    QLineEdit::keyPressEvent(event);
}

// The standard menu, its Paste leading to Pasted.
void PhoneNumberBox::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    for (QAction *action : menu->actions()) {
        if (!action->text().startsWith(QLineEdit::tr("&Paste")))
            continue;
        disconnect(action, &QAction::triggered, this, nullptr);
        connect(action, &QAction::triggered, this,
                [this] { emit Pasted(QGuiApplication::clipboard()->text(QClipboard::Clipboard)); });
    }
    menu->exec(event->globalPos());
}

void PhoneNumberBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly())
        return emit Pasted(QGuiApplication::clipboard()->text(QClipboard::Selection));
    QLineEdit::mouseReleaseEvent(event);
}

// Digits moved about inside the box stay an edit of its own.
void PhoneNumberBox::dropEvent(QDropEvent *event)
{
    if (event->source() == this || !event->mimeData()->hasText() || isReadOnly())
        return QLineEdit::dropEvent(event);
    QDragLeaveEvent over; // puts away the drop cursor
    QLineEdit::dragLeaveEvent(&over);
    event->setDropAction(Qt::CopyAction); // what was dragged stays where it came from
    event->accept();
    // After the drop has ended: a box shown in the middle of it holds the other program's drag.
    QMetaObject::invokeMethod(this, [this, text = event->mimeData()->text()] { emit Pasted(text); },
                              Qt::QueuedConnection);
}
