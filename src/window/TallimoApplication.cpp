#include "window/TallimoApplication.h"

#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"
#include "window/WindowLook.h"
#include "window/frmSendMail.h"

#include <QApplication>
#include <QLibraryInfo>
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

// While Qt opens the display, a fatal message can only mean there is none to open (a
// start over ssh, say): one sentence says so, instead of Qt's advice to reinstall and an
// abort. Anything else said meanwhile is passed on once the display is open.
void whileOpeningTheDisplay(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg)
        return heldMessages.append({type, context.category, text});
    std::fputs("tallimo: needs a graphical session (X11 or Wayland), and none could be opened\n", stderr);
    std::_Exit(1);
}

} // namespace

int runTallimo(int argc, char *argv[], QObject *windowWatcher)
{
    const QtMessageHandler previous = qInstallMessageHandler(whileOpeningTheDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage &held : std::exchange(heldMessages, {}))
        qt_message_output(held.type, QMessageLogContext(nullptr, 0, nullptr, held.category), held.text);
    QApplication::setApplicationName(u"Tallimo"_qs);
    // Wayland matches the window to its menu entry and icon by this name.
    QApplication::setDesktopFileName(QStringLiteral(TALLIMO_APP_ID));

    // The interface is Russian, so Qt's own dialogs and buttons must be too.
    QTranslator qtTranslator;
    if (qtTranslator.load(u"qtbase_ru"_qs, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    WindowLook::setApplicationStyle(); // the boxes show the focus as the window does

    QtMessageBox messageBox;
    QtFileOpenDialog fileDialog;
    frmSendMail window(messageBox, fileDialog);
    if (windowWatcher)
        window.installEventFilter(windowWatcher);
    window.show();
    return app.exec();
}
