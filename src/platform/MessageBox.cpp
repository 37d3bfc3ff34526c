#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

void QtMessageBox::MsgBox(const QString &prompt, MsgBoxIcon icon, const QString &title)
{
    QMessageBox box(icon == MsgBoxIcon::Exclamation ? QMessageBox::Warning : QMessageBox::Information,
                    title.isEmpty() ? QString::fromUtf16(kApplicationTitle) : title, prompt,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText); // a server's reply is shown as it came, never as markup
    box.exec();
}
