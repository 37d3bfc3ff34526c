#pragma once

#include <QString>
#include <QStringList>

class QObject;

// The interface's language for the desktop's, best first (QLocale::uiLanguages): the
// first of Ukrainian ("uk"), English ("en") and Russian ("ru") found, else Russian.
[[nodiscard]] QString interfaceLanguage(const QStringList &uiLanguages);

// Runs the program: the interface and Qt's own texts in the desktop's language, the
// window, the event loop. A windowWatcher,
// if given, is installed as an event filter on the window (benchmarks use it to see
// the first paint).
int runTallimo(int argc, char *argv[], QObject *windowWatcher = nullptr);
