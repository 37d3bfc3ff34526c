#pragma once
// Watches a window: once it has been painted for the first time, prints "painted" and
// the process's peak RSS in KiB, then ends the program. The start-up benchmark times
// exec to that line.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include "PeakRss.h"

#include <cstdio>

class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // Report after the paint event has been handled, not before.
            QTimer::singleShot(0, [] {
                std::printf("painted %ld\n", peakRssKiB());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted_ = false;
};
