#include "window/frmSendMail.h"

#include "platform/Accessibility.h"
#include "platform/CommandButton.h"
#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"
#include "platform/MessageTextBox.h"
#include "platform/PhoneNumberBox.h"
#include "submission/Boxes.h"
#include "submission/SendCommand.h"
#include "window/Twips.h"
#include "window/WindowLook.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>

namespace {

constexpr int kClientWidth = 6630;  // twips
constexpr int kClientHeight = 3135; // twips
constexpr int kMessageLimit = 160;  // one SMS

constexpr auto kCaption = u"Отправка SMS абонентам KyivStar GSM (Tallimo v.1.0)";
constexpr auto kSendingStatus = u"Ждите: сообщение отправляется...";
constexpr auto kRemaining = u"Осталось символов"; // how the remaining count is told
constexpr auto kCounterSentence = u"Вы ввели:          символов,   осталось - ";
constexpr auto kCredit = u"Tallimo 1.0 — SMS через почтовый шлюз оператора";

template<typename Control>
Control *place(Control *control, const char *name, QRect twips)
{
    control->setObjectName(QLatin1StringView(name));
    control->setGeometry(twipsToPixels(twips.x(), twips.y(), twips.width(), twips.height(), control));
    return control;
}

template<typename Control>
Control *hidden(Control *control)
{
    keepFromScreenReaders(control);
    control->setVisible(false);
    return control;
}

} // namespace

frmSendMail::frmSendMail(MessageBox &messageBox, FileOpenDialog &ComDialog, Relay relay, QWidget *parent)
    : QWidget(parent)
    , messageBox_(messageBox)
    , ComDialog_(ComDialog)
    , relay_(std::move(relay))
    , Winsock1(new SocketControl(this))
{
    setObjectName(u"frmSendMail"_qs);
    setWindowTitle(QString::fromUtf16(kCaption));
    QIcon icon;
    icon.addFile(u":/tallimo-16.png"_qs);
    icon.addFile(u":/tallimo-32.png"_qs);
    setWindowIcon(icon);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false); // a fixed size has nothing to maximize
    setFixedSize(twipsToPixels(kClientWidth, this), twipsToPixels(kClientHeight, this));
    setPalette(WindowLook::windowPalette());
    setFont(WindowLook::layoutFont());

    createControls();
    WindowLook::finishLook(this);
    connectHandlers();
    Form_Load();
}

frmSendMail::~frmSendMail() = default;

void frmSendMail::createControls()
{
    const auto label = [this](const char *name, const char16_t *caption, QRect twips, QWidget *parent = nullptr) {
        return place(new QLabel(QString::fromUtf16(caption), parent ? parent : this), name, twips);
    };
    const auto textBox = [this](const char *name, QRect twips) { return place(new QLineEdit(this), name, twips); };
    const auto button = [](const char *name, const char16_t *caption, QRect twips, QWidget *parent) {
        return place(new CommandButton(QString::fromUtf16(caption), parent), name, twips);
    };

    // The mail fields: the submission's working store, out of sight below the client area.
    Label1 = hidden(label("Label1", u"Хост SMTP:", {840, 6120, 900, 195}));
    Label2 = hidden(label("Label2", u"Ваш E-mail:", {840, 6480, 825, 195}));
    Label3 = hidden(label("Label3", u"E-mail адресата:", {480, 6840, 1215, 195}));
    Label4 = hidden(label("Label4", u"Тема:", {1200, 7200, 450, 195}));
    txtHost = hidden(textBox("txtHost", {1800, 6120, 3015, 285}));
    txtSender = hidden(textBox("txtSender", {1800, 6480, 3015, 285}));
    txtRecipient = hidden(textBox("txtRecipient", {1800, 6840, 3015, 285}));
    txtSubject = hidden(textBox("txtSubject", {1800, 7200, 3015, 285}));

    cmdNew = button("cmdNew", u"Новое сообщение", {120, 1920, 2055, 375}, this);
    cmdSend = button("cmdSend", u"Послать", {120, 2400, 6255, 375}, this);

    // The attachment frame stays wired but is never shown.
    Frame1 = hidden(place(new QGroupBox(u"Attach files"_qs, this), "Frame1", {120, 4080, 6375, 1215}));
    cmdAddFile = hidden(button("cmdAddFile", u"Вложить...", {4920, 240, 1335, 375}, Frame1));
    cmdRemove = hidden(button("cmdRemove", u"Удалить", {4920, 720, 1335, 375}, Frame1));
    lstAttachments = hidden(place(new QListWidget(Frame1), "lstAttachments", {120, 240, 4695, 840}));

    Frame2 = place(new QGroupBox(u"Выберите тип абонента:"_qs, this), "Frame2", {120, 0, 2055, 1095});
    WindowLook::setTextColour(Frame2, WindowLook::kCaptionBlue);
    Option1 = place(new QRadioButton(u"Контрактный"_qs, Frame2), "Option1", {240, 240, 1455, 375});
    Option2 = place(new QRadioButton(u"Ace&&base"_qs, Frame2), "Option2", {240, 600, 1455, 375});
    for (QRadioButton *option : {Option1, Option2}) // the frame's colour is for its caption alone
        WindowLook::setTextColour(option, palette().color(QPalette::WindowText));

    Text1 = place(new PhoneNumberBox(this), "Text1", {720, 1440, 735, 285});
    Label5 = label("Label5", u"Номер телефона (7-значный)", {0, 1200, 2415, 495});
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label5->setWordWrap(true);
    WindowLook::setTextColour(Label5, WindowLook::kCaptionBlue);
    Label6 = label("Label6", u"Введите текст сообщения:", {2640, 0, 3855, 255});
    // The counts in their light colours on a dark strip: the sentence around them.
    Label7 = label("Label7", u"999", {3480, 2040, 375, 255});
    WindowLook::setTextColour(Label7, WindowLook::kTypedCount);
    Label8 = label("Label8", kCounterSentence, {2640, 2040, 3615, 255});
    WindowLook::setGround(Label8, WindowLook::kDisplayGround, WindowLook::kDisplayText);
    Label9 = label("Label9", u"999", {5640, 2040, 495, 255});
    WindowLook::setTextColour(Label9, WindowLook::kRemainingCount);

    txtMessage = place(new MessageTextBox(this), "txtMessage", {2520, 360, 3735, 1335});
    txtMessage->setMaxLength(kMessageLimit);
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette messagePalette = txtMessage->palette();
    messagePalette.setColor(QPalette::Base, WindowLook::kMessageGround);
    txtMessage->setPalette(messagePalette);

    Label10 = place(new StatusStrip(this), "Label10", {120, 2400, 6375, 375});
    WindowLook::setTextColour(Label10, WindowLook::kStatusLine);
    Label10->setAlignment(Qt::AlignCenter);
    QFont status = font();
    status.setPointSize(15);
    Label10->setFont(status);
    // The credit line in title-bar colours, as on the desktop it was first drawn for.
    Label11 = label("Label11", kCredit, {840, 2880, 5535, 255});
    WindowLook::setGround(Label11, WindowLook::kTitleBar, WindowLook::kTitleBarText);
    Label11->setAlignment(Qt::AlignCenter);

    // Screen readers name the shown boxes after the labels that are theirs, speak the
    // status line as it changes and know the window for a frame.
    Label5->setBuddy(Text1);
    Label6->setBuddy(txtMessage);
    notice_ = addNotice(this);
    setAccessibleRole(Label10, QAccessible::StatusBar);
    setAccessibleRole(this, QAccessible::Window);

    // Stacking: the counts above their sentence, the phone box above its label, Send
    // above the status line it hides.
    Label7->raise();
    Label9->raise();
    Text1->raise();
    cmdSend->raise();

    QWidget *tabOrder[] = {txtHost,   txtSender,      txtRecipient, txtSubject, cmdNew, cmdSend, cmdAddFile,
                           cmdRemove, lstAttachments, Option1,      Option2,    Text1,  txtMessage};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    // As on Windows, Return or Enter presses the focused button.
    cmdNew->setAutoDefault(true);
    cmdSend->setAutoDefault(true);
}

void frmSendMail::connectHandlers()
{
    connect(cmdNew, &QPushButton::clicked, this, &frmSendMail::cmdNew_Click);
    connect(cmdSend, &QPushButton::clicked, this, &frmSendMail::cmdSend_Click);
    connect(txtMessage, &QPlainTextEdit::textChanged, this, &frmSendMail::txtMessage_Change);
    // A key refused at a limit is echoed by screen readers as if it had been typed.
    connect(Text1, &PhoneNumberBox::keyRefused, this,
            [this] { tellAtPhoneBox(u"Больше %1 знаков в номер не входит"_qs.arg(kSubscriberDigits)); });
    connect(Text1, &PhoneNumberBox::numberRead, this, [this](const QString &number) {
        tellAtPhoneBox(u"В поле записан номер %1: семь цифр после 067"_qs.arg(number));
    });
    connect(Text1, &PhoneNumberBox::heldLonger, this, [this](const QString &text) {
        showAtPhoneBox(u"В поле «%1» — больше семи знаков. Номер — это семь цифр после 067."_qs.arg(text));
    });
    connect(Text1, &PhoneNumberBox::textRefused, this, [this](NumberProblem problem) { showBox(boxFor(problem)); });
    connect(txtMessage, &MessageTextBox::filled, this, [this](bool cut) {
        announce(notice_, cut ? u"Больше %1 символов в сообщение не входит"_qs.arg(kMessageLimit)
                              : QString::fromUtf16(kRemaining) + u": 0"_qs);
    });
    connect(cmdAddFile, &QPushButton::clicked, this, &frmSendMail::cmdAddFile_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmSendMail::cmdRemove_Click);
    connect(Winsock1, &SocketControl::DataArrival, this, &frmSendMail::Winsock1_DataArrival);
    connect(Winsock1, &SocketControl::Error, this, &frmSendMail::Winsock1_Error);
    connect(Winsock1, &SocketControl::ReplyOverdue, this, &frmSendMail::Winsock1_ReplyOverdue);
}

void frmSendMail::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

// Qt draws the focus only once a key has moved it, and forgets that at every show;
// Windows draws it from the start.
void frmSendMail::showEvent(QShowEvent *event)
{
    setAttribute(Qt::WA_KeyboardFocusChange);
    QWidget::showEvent(event);
}

void frmSendMail::Form_Load()
{
    for (QLineEdit *box : findChildren<QLineEdit *>())
        box->clear();
    // Counts as a change of the message, so the counter shows 0 and 160 from the start.
    txtMessage->clear();
    txtMessage_Change();
}

// Nothing to keep: closing ends the program, and an open connection goes with the window.
void frmSendMail::Form_Unload() {}

void frmSendMail::cmdNew_Click()
{
    txtRecipient->clear();
    txtSubject->clear();
    // The focus stays on New, where a held Return types nothing: it is told in words.
    const QString focus = u", фокус на кнопке «Новое сообщение»."_qs;
    if (txtMessage->document()->isEmpty())
        return announce(notice_, u"Текст сообщения пуст"_qs + focus);
    txtMessage->clearUndoably(); // a press too many must not lose a text for good
    announce(notice_, u"Текст сообщения удалён"_qs + focus + u" Shift+Tab и Ctrl+Z вернут его."_qs);
}

void frmSendMail::txtMessage_Change()
{
    txtMessage->setMaxLength(kMessageLimit);
    Label7->setText(QString::number(MessageTextBox::countedLength(txtMessage->toPlainText())));
    Label9->setText(QString::number(kMessageLimit - Label7->text().toInt()));
    nameCount(Label7, u"Вы ввели, символов"_qs);
    nameCount(Label9, QString::fromUtf16(kRemaining));
    // Read with the box and on request: the count itself is a label away from the focus.
    txtMessage->setAccessibleDescription(Label9->accessibleName());
}

void frmSendMail::cmdAddFile_Click()
{
    const QString path = ComDialog_.ShowOpen();
    if (path.size() > 0)
        lstAttachments->addItem(path);
}

void frmSendMail::cmdRemove_Click()
{
    delete lstAttachments->takeItem(lstAttachments->currentRow());
    lstAttachments->setCurrentRow(-1);
}

void frmSendMail::cmdSend_Click()
{
    if (dialogue_) // Send is hidden while a message is on its way; one at a time
        return;
    SendRequest request;
    request.type = Option1->isChecked() ? SubscriberType::Contract
        : Option2->isChecked()          ? SubscriberType::AceBase
                                        : SubscriberType::None;
    request.phoneNumber = Text1->text();
    request.subject = txtSubject->text();
    request.messageText = txtMessage->Text();
    for (int i = 0; i < lstAttachments->count(); ++i)
        request.attachmentPaths += lstAttachments->item(i)->text();

    auto prepared = prepareSend(request);
    if (const auto *refusal = std::get_if<Ending>(&prepared)) {
        // The box gives the focus back to where the mending starts.
        if (refusal->kind == Ending::Kind::NumberNotSevenDigits)
            Text1->setFocus();
        else if (refusal->kind == Ending::Kind::EmptyText)
            txtMessage->setFocus();
        return showBox(boxFor(*refusal, relay_.replyTimeout));
    }
    auto &send = std::get<PreparedSend>(prepared);

    showSending();
    txtHost->setText(relay_.host);
    txtRecipient->setText(send.recipient);
    txtSender->setText(send.sender);
    if (lstAttachments->count() > 0)
        lstAttachments->setCurrentRow(lstAttachments->count() - 1);
    dialogue_.emplace(std::move(send.submission), SmtpDialogue::Timeouts{relay_.replyTimeout, relay_.quitGrace});
    Winsock1->Connect(txtHost->text().trimmed(), relay_.port); // its outcome comes from the event loop
    act(dialogue_->start());
}

// Events of a connection whose submission has ended are of no interest.
void frmSendMail::Winsock1_DataArrival()
{
    const QByteArray received = Winsock1->GetData();
    if (dialogue_)
        act(dialogue_->receive(received));
}

void frmSendMail::Winsock1_Error(const SocketFailure &failure)
{
    if (dialogue_)
        act(dialogue_->connectionLost(failure));
}

void frmSendMail::Winsock1_ReplyOverdue()
{
    if (dialogue_)
        act(dialogue_->deadlinePassed());
}

// Does what the dialogue asks. An ending closes the connection (after what is still to
// be sent, a QUIT perhaps) and brings the window back, the message text kept, before
// the box is shown; the box is the last thing a handler does.
void frmSendMail::act(const SmtpDialogue::Reaction &reaction)
{
    if (!reaction.toSend.isEmpty())
        Winsock1->SendData(reaction.toSend);
    if (reaction.awaitReplyWithin)
        Winsock1->awaitReply(*reaction.awaitReplyWithin);
    if (!reaction.ending)
        return;
    Winsock1->Close();
    dialogue_.reset();
    // Once the message is gone, a second Return must not send it again: New starts the
    // next one. After any other ending Send is where a retry begins.
    showIdle(reaction.ending->kind == Ending::Kind::Sent ? cmdNew : cmdSend);
    showBox(boxFor(*reaction.ending, relay_.replyTimeout));
}

void frmSendMail::showBox(const Box &box)
{
    messageBox_.MsgBox(box.prompt, box.icon, box.title);
}

// Seen beside the box as well as heard: what the box did not take as it came.
void frmSendMail::tellAtPhoneBox(const QString &words)
{
    announce(notice_, words);
    showAtPhoneBox(words);
}

void frmSendMail::showAtPhoneBox(const QString &words)
{
    QToolTip::showText(Text1->mapToGlobal(QPoint(0, Text1->height())), words, Text1);
}

void frmSendMail::showIdle(QWidget *focus)
{
    cmdSend->setVisible(true);
    focus->setFocus();
    Label10->setText(QString()); // unlike clear(), tells screen readers the wait is over
}

// The focus waits on the status line: Send is going, and on a radio button or a box
// a key would change the next message's settings.
void frmSendMail::showSending()
{
    Label10->setText(QString::fromUtf16(kSendingStatus));
    Label10->setFocus();
    cmdSend->setVisible(false);
}
