#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"
#include "window/frmSendMail.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Tallimo"_qs);

    // The interface is Russian, so Qt's own dialogs and buttons must be too.
    QTranslator qtTranslator;
    if (qtTranslator.load(u"qtbase_ru"_qs, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QtMessageBox messageBox;
    QtFileOpenDialog fileDialog;
    frmSendMail window(messageBox, fileDialog);
    window.show();
    return app.exec();
}
