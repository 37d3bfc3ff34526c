#pragma once
// The window's controls, one row each, in the order they are made (the later above
// the earlier where they overlap): what each is, where it sits, what it says and in
// which colours. The window is built from this table and the tests read it; no caption
// or rectangle of a control is written anywhere else. Captions are the Russian source
// texts, put into the user's language as the window is made.

#include "window/WindowLook.h"

#include <QColor>
#include <QRect>
#include <QtGlobal>

enum class ControlKind {
    Label,
    TextBox,
    Button,
    Frame,
    OptionButton,
    ListBox,
    PhoneNumberBox,
    MessageTextBox,
    CounterSentence, // a strip that lays out its words around the counts, its children
    StatusLine,
};

struct FormControl
{
    const char *name;
    ControlKind kind;
    const char *parent;  // "frmSendMail", a frame, or the sentence that holds a count
    const char *caption; // nullptr: none
    QRect twips;         // in the parent; empty where the parent's layout places it
    bool shown;
    QColor text = {};    // its own text colour, where it has one
    QColor ground = {};  // its own ground, where it has one
};

inline constexpr int kClientWidth = 6630;  // twips
inline constexpr int kClientHeight = 3135; // twips

inline constexpr const char *kWindowCaption =
    QT_TRANSLATE_NOOP("frmSendMail", "Отправка SMS абонентам KyivStar GSM (Tallimo v.1.0)");

// What the status line says while a message is on its way.
inline constexpr const char *kSendingStatus = QT_TRANSLATE_NOOP("frmSendMail", "Ждите: сообщение отправляется...");

// One text for the translator: the typed count stands where it puts %1 and picks the
// plural form, the remaining count where it puts %2, after it.
inline constexpr const char *kCounterSentence = QT_TRANSLATE_N_NOOP("frmSendMail", "Вы ввели: %1 символов, осталось - %2");

inline constexpr FormControl kFormControls[] = {
    // The mail fields: the submission's working store, out of sight below the client area.
    {"Label1", ControlKind::Label, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "Хост SMTP:"), {840, 6120, 900, 195}, false},
    {"Label2", ControlKind::Label, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "Ваш E-mail:"), {840, 6480, 825, 195}, false},
    {"Label3", ControlKind::Label, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "E-mail адресата:"), {480, 6840, 1215, 195}, false},
    {"Label4", ControlKind::Label, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "Тема:"), {1200, 7200, 450, 195}, false},
    {"txtHost", ControlKind::TextBox, "frmSendMail", nullptr, {1800, 6120, 3015, 285}, false},
    {"txtSender", ControlKind::TextBox, "frmSendMail", nullptr, {1800, 6480, 3015, 285}, false},
    {"txtRecipient", ControlKind::TextBox, "frmSendMail", nullptr, {1800, 6840, 3015, 285}, false},
    {"txtSubject", ControlKind::TextBox, "frmSendMail", nullptr, {1800, 7200, 3015, 285}, false},
    {"cmdNew", ControlKind::Button, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "Новое сообщение"), {120, 1920, 2055, 375}, true},
    {"cmdSend", ControlKind::Button, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "Послать"), {120, 2400, 6255, 375}, true},
    // The attachment frame stays wired but is never shown.
    {"Frame1", ControlKind::Frame, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "Attach files"), {120, 4080, 6375, 1215}, false},
    {"cmdAddFile", ControlKind::Button, "Frame1", QT_TRANSLATE_NOOP("frmSendMail", "Вложить..."), {4920, 240, 1335, 375}, false},
    {"cmdRemove", ControlKind::Button, "Frame1", QT_TRANSLATE_NOOP("frmSendMail", "Удалить"), {4920, 720, 1335, 375}, false},
    {"lstAttachments", ControlKind::ListBox, "Frame1", nullptr, {120, 240, 4695, 840}, false},
    {"Frame2", ControlKind::Frame, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "Выберите тип абонента:"),
     {120, 0, 2055, 1095}, true, WindowLook::kCaptionBlue},
    {"Option1", ControlKind::OptionButton, "Frame2", QT_TRANSLATE_NOOP("frmSendMail", "Контрактный"), {240, 240, 1455, 375}, true},
    {"Option2", ControlKind::OptionButton, "Frame2", QT_TRANSLATE_NOOP("frmSendMail", "Ace&&base"), {240, 600, 1455, 375}, true},
    {"Text1", ControlKind::PhoneNumberBox, "frmSendMail", nullptr, {720, 1440, 735, 285}, true},
    {"Label5", ControlKind::Label, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "Номер телефона (7-значный)"),
     {0, 1200, 2415, 495}, true, WindowLook::kCaptionBlue},
    {"Label6", ControlKind::Label, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "Введите текст сообщения:"), {2640, 0, 3855, 255}, true},
    // The counts in their light colours on a dark strip: the sentence around them.
    {"Label8", ControlKind::CounterSentence, "frmSendMail", kCounterSentence, {2640, 2040, 3615, 255}, true,
     WindowLook::kDisplayText, WindowLook::kDisplayGround},
    {"Label7", ControlKind::Label, "Label8", "999", {}, true, WindowLook::kTypedCount},
    {"Label9", ControlKind::Label, "Label8", "999", {}, true, WindowLook::kRemainingCount},
    {"txtMessage", ControlKind::MessageTextBox, "frmSendMail", nullptr, {2520, 360, 3735, 1335}, true, {},
     WindowLook::kMessageGround},
    {"Label10", ControlKind::StatusLine, "frmSendMail", nullptr, {120, 2400, 6375, 375}, true, WindowLook::kStatusLine},
    // The credit line in title-bar colours, as on the desktop it was first drawn for.
    {"Label11", ControlKind::Label, "frmSendMail", QT_TRANSLATE_NOOP("frmSendMail", "Tallimo 1.0 — SMS через почтовый шлюз оператора"),
     {840, 2880, 5535, 255}, true, WindowLook::kTitleBarText, WindowLook::kTitleBar},
};
