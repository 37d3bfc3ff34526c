#pragma once
// Reaching the window's controls the way a user's eye does: by name.

#include <QWidget>

template<typename T = QWidget>
T *control(const QWidget &window, const char *name)
{
    auto *found = window.findChild<T *>(QLatin1StringView(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}
