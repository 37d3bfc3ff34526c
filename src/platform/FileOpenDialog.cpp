#include "platform/FileOpenDialog.h"

#include <QApplication>
#include <QFileDialog>

QString QtFileOpenDialog::ShowOpen()
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow());
}
