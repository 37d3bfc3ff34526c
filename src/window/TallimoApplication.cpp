#include "window/TallimoApplication.h"

#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"
#include "window/WindowLook.h"
#include "window/frmSendMail.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace {

struct HeldMessage
{
    QtMsgType type;
    const char *category; // Qt's categories are static strings
    QString text;
};
QList<HeldMessage> heldMessages;

// The program's words, for the sentence said when there is no display to open.
const QTranslator *ownWords = nullptr;

constexpr const char *kNoDisplay =
    QT_TRANSLATE_NOOP("TallimoApplication", "tallimo: нужен графический сеанс (X11 или Wayland), а открыть его не удалось");

// While Qt opens the display, a fatal message can only mean there is none to open (a
// start over ssh, say): one sentence says so, instead of Qt's advice to reinstall and an
// abort. Anything else said meanwhile is passed on once the display is open.
void whileOpeningTheDisplay(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg)
        return heldMessages.append({type, context.category, text});
    QString said = ownWords->translate("TallimoApplication", kNoDisplay);
    if (said.isEmpty())
        said = QString::fromUtf8(kNoDisplay);
    std::fputs(qPrintable(said + u'\n'), stderr);
    std::_Exit(1);
}

} // namespace

QString interfaceLanguage(const QStringList &uiLanguages)
{
    for (const QString &tag : uiLanguages) {
        const QString language = tag.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (language == u"uk" || language == u"en" || language == u"ru")
            return language;
    }
    return u"ru"_qs;
}

Translations::Translations(const QString &language)
{
    QLocale::setDefault(QLocale(language));
    (void)own.load(u":/i18n/tallimo_"_qs + language);
    if (language != u"en")
        (void)qt.load(u"qtbase_"_qs + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void Translations::install()
{
    for (QTranslator *translator : {&qt, &own}) // the last installed is asked first
        if (!translator->isEmpty())
            QCoreApplication::installTranslator(translator);
}

int runTallimo(int argc, char *argv[], QObject *windowWatcher)
{
    // The desktop's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), Russian where it
    // is none of ours.
    Translations translations(interfaceLanguage(QLocale::system().uiLanguages()));
    ownWords = &translations.own;

    const QtMessageHandler previous = qInstallMessageHandler(whileOpeningTheDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage &held : std::exchange(heldMessages, {}))
        qt_message_output(held.type, QMessageLogContext(nullptr, 0, nullptr, held.category), held.text);
    QApplication::setApplicationName(u"Tallimo"_qs);
    // Wayland matches the window to its menu entry and icon by this name.
    QApplication::setDesktopFileName(QStringLiteral(TALLIMO_APP_ID));
    translations.install(); // Qt's own dialogs, buttons and menus speak it too

    WindowLook::setApplicationStyle(); // the boxes show the focus as the window does

    QtMessageBox messageBox;
    QtFileOpenDialog fileDialog;
    frmSendMail window(messageBox, fileDialog);
    if (windowWatcher)
        window.installEventFilter(windowWatcher);
    window.show();
    return app.exec();
}
