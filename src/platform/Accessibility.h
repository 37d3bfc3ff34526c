#pragma once
// What screen readers learn of the window beyond Qt's defaults: Qt calls a plain
// top-level widget a client area and every label static text, and a label with a fixed
// name keeps its changing number to itself.

#include <QAccessible>

class QLabel;
class QWidget;

// Gives the widget the role a screen reader announces it by (a frame, a status line).
// A label's name stays its text, so each new text is announced as a name change. Call
// it before anything asks for the widget's interface: Qt keeps the first one made.
void setAccessibleRole(QWidget *widget, QAccessible::Role role);

// Names a count "<meaning>: <number shown>", which announces every new number.
void nameCount(QLabel *count, const QString &meaning);
