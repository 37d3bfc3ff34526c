#include "window/TallimoApplication.h"

#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"
#include "window/WindowLook.h"
#include "window/frmSendMail.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int runTallimo(int argc, char *argv[], QObject *windowWatcher)
{
    QApplication app(argc, argv);
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
