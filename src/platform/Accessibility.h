#pragma once
// What screen readers learn of the window beyond Qt's defaults: Qt calls a plain
// top-level widget a client area and every label static text, a label with a fixed
// name keeps its changing number to itself, and hidden controls are listed all the same.

#include <QAccessible>

class QLineEdit;
class QWidget;

// Gives the widget the role a screen reader announces it by (a frame, a status line).
// A label's name stays its text, so each new text is announced as a name change, and
// of the widget's children only those shown are told of. Call it before anything asks
// for the widget's interface: Qt keeps the first one made.
void setAccessibleRole(QWidget *widget, QAccessible::Role role);

// A control that is never shown is never heard either, nor words that another control
// says in full: no text of it, nor any change of its text, reaches a screen reader, and
// a parent given a role does not list it. Call it as the control is made.
void keepFromScreenReaders(QWidget *widget);

// The box's text is read whole: see LineEditAccessible. Call it as the box is made.
void readAsOneRun(QLineEdit *box);

// A control that is never drawn, known to screen readers as a notification, for announce.
[[nodiscard]] QWidget *addNotice(QWidget *window);

// Has the words spoken at once, wherever the focus is: Orca 43 speaks a notification as
// it is shown. A name or description that changes reaches it without its text (Qt 6.4),
// and an announcement event is newer than both.
void announce(QWidget *notice, const QString &words);
