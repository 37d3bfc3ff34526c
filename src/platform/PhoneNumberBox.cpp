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

void PhoneNumberBox::putNumber(const QString &number)
{
    selectAll();
    insert(number);
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
    emit Pasted(event->mimeData()->text());
}
