#include "platform/CommandButton.h"

#include <QKeyEvent>

namespace {

bool pressesButtons(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_Select;
}

} // namespace

// X repeats a held key as a release and a press of one time. Qt flags the pair only
// when it finds the press already queued behind the release, so the times are
// compared here too.
bool CommandButton::isRepeatedPress(const QKeyEvent *event) const
{
    return pressesButtons(event->key())
        && (event->isAutoRepeat()
            || (event->type() == QEvent::KeyPress && event->key() == releasedKey_ && event->timestamp() != 0
                && event->timestamp() == releasedAt_));
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if (isRepeatedPress(event))
        return event->accept();
    QPushButton::keyPressEvent(event);
}

void CommandButton::keyReleaseEvent(QKeyEvent *event)
{
    releasedKey_ = event->key();
    releasedAt_ = event->timestamp();
    if (isRepeatedPress(event))
        return event->accept();
    QPushButton::keyReleaseEvent(event);
}
