#include "window/frmSendMail.h"

#include "platform/Accessibility.h"
#include "platform/CommandButton.h"
#include "platform/FileOpenDialog.h"
#include "platform/MessageBox.h"
#include "platform/MessageTextBox.h"
#include "platform/PhoneNumberBox.h"
#include "submission/Boxes.h"
#include "submission/SendCommand.h"
#include "window/FormControls.h"
#include "window/Twips.h"
#include "window/WindowLook.h"

#include <QCloseEvent>
#include <QAbstractScrollArea>
#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolTip>

namespace {

constexpr int kMessageLimit = 160; // one SMS

QWidget *makeControl(const FormControl &row, const QString &caption, QWidget *parent)
{
    switch (row.kind) {
    case ControlKind::Label:
        return new QLabel(caption, parent);
    case ControlKind::TextBox:
        return new QLineEdit(parent);
    case ControlKind::Button:
        return new CommandButton(caption, parent);
    case ControlKind::Frame:
        return new QGroupBox(caption, parent);
    case ControlKind::OptionButton:
        return new QRadioButton(caption, parent);
    case ControlKind::ListBox:
        return new QListWidget(parent);
    case ControlKind::PhoneNumberBox:
        return new PhoneNumberBox(parent);
    case ControlKind::MessageTextBox:
        return new MessageTextBox(parent);
    case ControlKind::CounterSentence:
        return new QLabel(parent);
    case ControlKind::StatusLine:
        return new StatusStrip(parent);
    }
    Q_UNREACHABLE();
    return nullptr;
}

void paint(QWidget *control, const FormControl &row)
{
    if (row.ground.isValid() && qobject_cast<QAbstractScrollArea *>(control)) {
        QPalette palette = control->palette();
        palette.setColor(QPalette::Base, row.ground);
        control->setPalette(palette);
    } else if (row.ground.isValid()) {
        WindowLook::setGround(control, row.ground, row.text);
    } else if (row.text.isValid()) {
        WindowLook::setTextColour(control, row.text);
    }
}

} // namespace

QString frmSendMail::remainingName(int remaining)
{
    return tr("Осталось символов: %1").arg(remaining);
}

frmSendMail::frmSendMail(MessageBox &messageBox, FileOpenDialog &ComDialog, Relay relay, QWidget *parent)
    : QWidget(parent)
    , messageBox_(messageBox)
    , ComDialog_(ComDialog)
    , relay_(std::move(relay))
    , Winsock1(new SocketControl(this))
{
    setObjectName(u"frmSendMail"_qs);
    setWindowTitle(tr(kWindowCaption));
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
    // Room for the widest count, so that the sentence stays put while one types.
    for (QLabel *count : {Label7, Label9})
        count->setMinimumWidth(count->sizeHint().width());
    connectHandlers();
    Form_Load();
}

frmSendMail::~frmSendMail() = default;

void frmSendMail::createControls()
{
    QHash<QString, QWidget *> made{{objectName(), this}};
    for (const FormControl &row : kFormControls) {
        QWidget *parent = made.value(QLatin1StringView(row.parent));
        QWidget *control = makeControl(row, row.caption ? tr(row.caption) : QString(), parent);
        control->setObjectName(QLatin1StringView(row.name));
        if (!row.twips.isEmpty())
            control->setGeometry(twipsToPixels(row.twips.x(), row.twips.y(), row.twips.width(), row.twips.height(), control));
        else // a count, after the words of its sentence that come before it
            placeCount(control);
        if (!row.shown) {
            keepFromScreenReaders(control);
            control->setVisible(false);
        }
        paint(control, row);
        if (row.kind == ControlKind::CounterSentence)
            layOutCounter(control);
        made.insert(control->objectName(), control);
    }
    const auto find = [&made]<typename Control>(Control *&member, const char *name) {
        member = qobject_cast<Control *>(made.value(QLatin1StringView(name)));
    };
    find(txtHost, "txtHost");
    find(txtSender, "txtSender");
    find(txtRecipient, "txtRecipient");
    find(txtSubject, "txtSubject");
    find(cmdNew, "cmdNew");
    find(cmdSend, "cmdSend");
    find(cmdAddFile, "cmdAddFile");
    find(cmdRemove, "cmdRemove");
    find(lstAttachments, "lstAttachments");
    find(Option1, "Option1");
    find(Option2, "Option2");
    find(Text1, "Text1");
    find(Label7, "Label7");
    find(Label9, "Label9");
    find(txtMessage, "txtMessage");
    find(Label10, "Label10");

    for (QRadioButton *option : {Option1, Option2}) // the frame's colour is for its caption alone
        WindowLook::setTextColour(option, palette().color(QPalette::WindowText));
    auto *Label5 = qobject_cast<QLabel *>(made.value(u"Label5"_qs));
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label5->setWordWrap(true);
    Label7->setAlignment(Qt::AlignRight | Qt::AlignVCenter); // its room is the widest count's
    txtMessage->setMaxLength(kMessageLimit);
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label10->setAlignment(Qt::AlignCenter);
    QFont status = font();
    status.setPointSize(15);
    Label10->setFont(status);
    qobject_cast<QLabel *>(made.value(u"Label11"_qs))->setAlignment(Qt::AlignCenter);

    // Screen readers name the shown boxes after the labels that are theirs, speak the
    // status line as it changes and know the window for a frame.
    Label5->setBuddy(Text1);
    qobject_cast<QLabel *>(made.value(u"Label6"_qs))->setBuddy(txtMessage);
    notice_ = addNotice(this);
    setAccessibleRole(Label10, QAccessible::StatusBar);
    setAccessibleRole(this, QAccessible::Window);

    // Stacking: the phone box above its label, Send above the status line it hides.
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

// The counter sentence is one text for translators; its words around the counts are
// labels of their own, which the strip's layout places beside the counts.
void frmSendMail::layOutCounter(QWidget *sentence)
{
    setAccessibleRole(sentence, QAccessible::StaticText); // lists its counts, not its words
    auto *row = new QHBoxLayout(sentence);
    row->setContentsMargins(0, 0, 0, 0);
    const char *names[] = {"counterBefore", "counterBetween", "counterAfter"};
    for (std::size_t i = 0; i < std::size(counterWords_); ++i) {
        counterWords_[i] = new QLabel(sentence);
        counterWords_[i]->setObjectName(QLatin1StringView(names[i]));
        keepFromScreenReaders(counterWords_[i]); // the counts say it all, each with its meaning
        row->addWidget(counterWords_[i]);
    }
    row->addStretch();
    sayCounterWords(999); // as wide as the counts' captions until the first change
}

void frmSendMail::placeCount(QWidget *count)
{
    auto *row = qobject_cast<QBoxLayout *>(count->parentWidget()->layout());
    const int placed = row->count() - int(std::size(counterWords_)) - 1; // less the stretch
    row->insertWidget(2 * placed + 1, count);
}

// The words change with the typed count's plural form.
void frmSendMail::sayCounterWords(int typed)
{
    const QStringList words = tr(kCounterSentence, nullptr, typed).split(QRegularExpression(u"\\s*%[12]\\s*"_qs));
    for (std::size_t i = 0; i < std::size(counterWords_); ++i) {
        counterWords_[i]->setText(words.value(qsizetype(i)));
        counterWords_[i]->setHidden(counterWords_[i]->text().isEmpty());
    }
}

void frmSendMail::connectHandlers()
{
    connect(cmdNew, &QPushButton::clicked, this, &frmSendMail::cmdNew_Click);
    connect(cmdSend, &QPushButton::clicked, this, &frmSendMail::cmdSend_Click);
    connect(txtMessage, &QPlainTextEdit::textChanged, this, &frmSendMail::txtMessage_Change);
    // A key refused at a limit is echoed by screen readers as if it had been typed.
    connect(Text1, &PhoneNumberBox::keyRefused, this,
            [this] { tellAtPhoneBox(tr("Больше %n знаков в номер не входит", nullptr, kSubscriberDigits)); });
    connect(Text1, &PhoneNumberBox::numberRead, this, [this](const QString &number) {
        tellAtPhoneBox(tr("В поле записан номер %1: семь цифр после 067").arg(number));
    });
    // The box shows only the end of a longer text, which may look like a number.
    // Its text as it stands: a change the box turns into a number is heard of after that.
    connect(Text1, &QLineEdit::textChanged, this, [this] {
        QPalette palette = Text1->palette();
        palette.setColor(QPalette::Text, Text1->text().size() > kSubscriberDigits ? WindowLook::kNotANumber
                                                                                  : this->palette().color(QPalette::Text));
        Text1->setPalette(palette);
    });
    connect(Text1, &PhoneNumberBox::heldLonger, this, [this](const QString &text) {
        showAtPhoneBox(tr("В поле «%1» — больше семи знаков. Номер — это семь цифр после 067.").arg(text));
    });
    connect(Text1, &PhoneNumberBox::textRefused, this, [this](NumberProblem problem) { showBox(boxFor(problem)); });
    connect(txtMessage, &MessageTextBox::filled, this, [this](bool cut) {
        announce(notice_, cut ? tr("Больше %n символов в сообщение не входит", nullptr, kMessageLimit)
                              : remainingName(0));
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
    if (txtMessage->document()->isEmpty())
        return announce(notice_, tr("Текст сообщения пуст, фокус на кнопке «Новое сообщение»."));
    txtMessage->clearUndoably(); // a press too many must not lose a text for good
    announce(notice_, tr("Текст сообщения удалён, фокус на кнопке «Новое сообщение». Shift+Tab и Ctrl+Z вернут его."));
}

void frmSendMail::txtMessage_Change()
{
    txtMessage->setMaxLength(kMessageLimit);
    Label7->setText(QString::number(MessageTextBox::countedLength(txtMessage->toPlainText())));
    Label9->setText(QString::number(kMessageLimit - Label7->text().toInt()));
    sayCounterWords(Label7->text().toInt());
    // Each count named with its meaning, so that every new number is announced.
    Label7->setAccessibleName(tr("Вы ввели, символов: %1").arg(Label7->text()));
    Label9->setAccessibleName(remainingName(Label9->text().toInt()));
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
    Label10->setText(tr(kSendingStatus));
    Label10->setFocus();
    cmdSend->setVisible(false);
}
