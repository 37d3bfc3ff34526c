#pragma once
// The one window: subscriber type, phone number, message text with its counter, New
// and Send; out of sight, the mail fields and the attachment frame that Send uses.

#include "platform/SocketControl.h"
#include "submission/Gateway.h"
#include "submission/SmtpDialogue.h"

#include <QWidget>

#include <optional>

class FileOpenDialog;
class MessageBox;
class MessageTextBox;
class PhoneNumberBox;
struct Box;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class frmSendMail : public QWidget
{
    Q_OBJECT

public:
    frmSendMail(MessageBox &messageBox, FileOpenDialog &ComDialog, Relay relay = {}, QWidget *parent = nullptr);
    ~frmSendMail() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void layOutCounter(QWidget *sentence);
    void placeCount(QWidget *count);
    void sayCounterWords(int typed);
    static QString remainingName(int remaining);
    void connectHandlers();

    void Form_Load();
    void Form_Unload();
    void cmdNew_Click();
    void cmdSend_Click();
    void txtMessage_Change();
    void cmdAddFile_Click();
    void cmdRemove_Click();
    void Winsock1_DataArrival();
    void Winsock1_Error(const SocketFailure &failure);
    void Winsock1_ReplyOverdue();

    void act(const SmtpDialogue::Reaction &reaction);
    void showBox(const Box &box);
    void tellAtPhoneBox(const QString &words);
    void showAtPhoneBox(const QString &words);
    void showIdle(QWidget *focus);
    void showSending();

    MessageBox &messageBox_;
    FileOpenDialog &ComDialog_;
    const Relay relay_;

    // The controls the handlers use; the others are found by name.
    QLineEdit *txtHost, *txtSender, *txtRecipient, *txtSubject;
    QPushButton *cmdNew, *cmdSend;
    QPushButton *cmdAddFile, *cmdRemove;
    QListWidget *lstAttachments;
    QRadioButton *Option1, *Option2;
    PhoneNumberBox *Text1;
    QLabel *Label7, *Label9;
    QLabel *counterWords_[3]; // the counter sentence's words before, between and after the counts
    MessageTextBox *txtMessage;
    QLabel *Label10;

    QWidget *notice_; // what screen readers are told at once, wherever the focus is
    SocketControl *Winsock1;
    std::optional<SmtpDialogue> dialogue_; // the submission under way, if any
};
