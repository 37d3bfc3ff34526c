#pragma once

class QObject;

// Runs the program: Qt's Russian texts, the window, the event loop. A windowWatcher,
// if given, is installed as an event filter on the window (benchmarks use it to see
// the first paint).
int runTallimo(int argc, char *argv[], QObject *windowWatcher = nullptr);
