#pragma once
// The window as every window test drives it: boxes recorded instead of shown, a
// scripted file dialog, the relay on loopback, controls found by name, and the usual
// message (a contract subscriber, 1234567, «Текст») composed as a user would.

#include "TestPlatform.h"
#include "WindowControls.h"

#include "platform/MessageTextBox.h"
#include "window/frmSendMail.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

// Typing as a keyboard with a Cyrillic layout does it: one key event per character.
inline void type(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

class SendingWindow
{
public:
    explicit SendingWindow(quint16 port, std::chrono::milliseconds replyTimeout = kReplyTimeout,
                           std::chrono::milliseconds quitGrace = kQuitGrace)
        : SendingWindow(Relay{u"127.0.0.1"_qs, port, replyTimeout, quitGrace})
    {
    }
    explicit SendingWindow(Relay relay)
        : window(boxes, fileDialog, std::move(relay))
    {
        boxes.onShow = [this] { boxesBeforeIdle += !isIdleWith(message()->toPlainText()); };
    }

    template<typename T = QWidget>
    T *control(const char *name) const
    {
        return ::control<T>(window, name);
    }
    MessageTextBox *message() const { return control<MessageTextBox>("txtMessage"); }

    // option: "Option1", "Option2", or nullptr to leave the subscriber type unchosen.
    void compose(const char *option = "Option1", const QString &number = u"1234567"_qs,
                 const QString &text = u"Текст"_qs) const
    {
        if (option)
            control<QRadioButton>(option)->setChecked(true);
        auto *box = control<QLineEdit>("Text1");
        box->clear();
        type(box, number); // as the number box judges keys
        message()->setPlainText(text);
    }

    void send() const { control<QPushButton>("cmdSend")->click(); }

    // The idle look, with the text kept for the next Send, and no box shown before it.
    [[nodiscard]] bool isIdleWith(const QString &text) const
    {
        return !control("cmdSend")->isHidden() && control<QLabel>("Label10")->text().isEmpty()
            && message()->toPlainText() == text && boxesBeforeIdle == 0;
    }

    RecordingMessageBox boxes;
    ScriptedFileDialog fileDialog;
    frmSendMail window;
    int boxesBeforeIdle = 0; // boxes shown while the window still looked busy
};
