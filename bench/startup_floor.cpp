// The floor for any Qt Widgets program: an empty window of Tallimo's size, ended at
// its first paint. With --label the window shows one line of text, the floor for any
// window that draws text (it pays for the font database).
#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    QWidget window;
    window.setFixedSize(442, 209);
    if (app.arguments().contains(u"--label"_qs))
        new QLabel(u"Введите текст сообщения:"_qs, &window);
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}
