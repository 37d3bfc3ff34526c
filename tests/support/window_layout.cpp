// Prints where the window draws each of its shown controls, as shell assignments of the
// control's centre in pixels (Option1="72 28"), so that the end-to-end scripts click
// where the window itself puts things. Run it offscreen: at 96 dpi, as under Xvfb.

#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"
#include "window/frmSendMail.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtMessageBox box;
    QtFileOpenDialog dialog;
    frmSendMail window(box, dialog);
    for (const QWidget *control : window.findChildren<QWidget *>()) {
        if (!control->isVisibleTo(&window) || control->objectName().isEmpty() || control->objectName().startsWith(u"qt_"_qs))
            continue;
        const QPoint centre = control->mapTo(&window, control->rect().center());
        std::printf("%s=\"%d %d\"\n", qPrintable(control->objectName()), centre.x(), centre.y());
    }
}
