#include "platform/CommandButton.h"

#include <QKeyEvent>

namespace {

bool isRepeatedPress(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Select:
        return event->isAutoRepeat();
    default:
        return false;
    }
}

} // namespace

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if (isRepeatedPress(event))
        return event->accept();
    QPushButton::keyPressEvent(event);
}

void CommandButton::keyReleaseEvent(QKeyEvent *event)
{
    if (isRepeatedPress(event))
        return event->accept();
    QPushButton::keyReleaseEvent(event);
}
