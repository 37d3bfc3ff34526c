#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

class QObject;

// The interface's language for the desktop's, best first (QLocale::uiLanguages): the
// first of Ukrainian ("uk"), English ("en") and Russian ("ru") found, else Russian.
[[nodiscard]] QString interfaceLanguage(const QStringList &uiLanguages);

// The program's words and Qt's own in one interface language, loaded as they are made
// (before the application, so that even the sentence said when there is no display can
// use them) and installed once it exists; numbers are written as that language writes
// them. Either translator may have found nothing: Russian is the program's source
// and English Qt's.
struct Translations
{
    explicit Translations(const QString &language);
    void install();

    QTranslator own;
    QTranslator qt;
};

// Runs the program: the interface and Qt's own texts in the desktop's language, the
// window, the event loop. A windowWatcher,
// if given, is installed as an event filter on the window (benchmarks use it to see
// the first paint).
int runTallimo(int argc, char *argv[], QObject *windowWatcher = nullptr);
