// Prints where the window draws each shown control of its form's table, as shell
// assignments of the control's centre in pixels (Option1="72 28"), so that the
// end-to-end scripts click where the window itself puts things. Run it offscreen: at 96 dpi, as under Xvfb.

#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"
#include "window/FormControls.h"
#include "window/frmSendMail.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtMessageBox box;
    QtFileOpenDialog dialog;
    frmSendMail window(box, dialog);
    for (const FormControl &row : kFormControls) {
        if (!row.shown)
            continue;
        const auto *control = window.findChild<const QWidget *>(QLatin1StringView(row.name));
        const QPoint centre = control->mapTo(&window, control->rect().center());
        std::printf("%s=\"%d %d\"\n", row.name, centre.x(), centre.y());
    }
}
