// The window as the user meets it: start-up, the layout, New, the 160-character
// counter, the attachment list, and New while a message is on its way.

#include "../support/ScriptedSmtpServer.h"
#include "../support/SendingWindow.h"
#include "../support/SubmissionTranscript.h"

#include "window/FormControls.h"
#include "window/TallimoApplication.h"
#include "window/Twips.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QToolTip>
#include <QTemporaryDir>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

class tst_frmSendMail : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SendingWindow> sending_;
    frmSendMail *window_ = nullptr;
    static inline QStringList heard_; // what screen readers were told: labels' names, descriptions, the focus

    static void hear(QAccessibleEvent *event)
    {
        const QString name = event->object()->objectName();
        if (event->type() == QAccessible::NameChanged && qobject_cast<QLabel *>(event->object()))
            heard_ += name + u": "_qs + event->accessibleInterface()->text(QAccessible::Name);
        else if (event->type() == QAccessible::DescriptionChanged)
            heard_ += name + u" described: "_qs + event->accessibleInterface()->text(QAccessible::Description);
        else if (event->type() == QAccessible::Focus)
            heard_ += u"focus: "_qs + name;
        else if (event->type() == QAccessible::ObjectShow && event->accessibleInterface()->role() == QAccessible::Notification)
            heard_ += u"notice: "_qs + event->accessibleInterface()->text(QAccessible::Name);
    }
    // What was said at once, wherever the focus was, while run ran.
    static QStringList noticesDuring(const std::function<void()> &run)
    {
        heard_.clear();
        QAccessible::installUpdateHandler(&hear);
        run();
        QAccessible::installUpdateHandler(nullptr);
        return heard_.filter(QRegularExpression(u"^notice: "_qs));
    }

    template<typename T = QWidget>
    T *control(const char *name) const
    {
        return sending_->control<T>(name);
    }
    MessageTextBox *message() const { return sending_->message(); }

    // A new window on the relay at port (9: nobody listens), shown.
    void open(quint16 port = 9)
    {
        sending_.reset();
        sending_ = std::make_unique<SendingWindow>(port);
        window_ = &sending_->window;
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }
    QString typed() const { return control<QLabel>("Label7")->text(); }
    QString remaining() const { return control<QLabel>("Label9")->text(); }
    QListWidget *attachments() const { return control<QListWidget>("lstAttachments"); }

private slots:
    // As when a screen reader runs: Qt reports every change.
    void initTestCase() { QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true); }

    void init() { open(); }
    void cleanup() { sending_.reset(); }

    void startsIdleAndEmpty()
    {
        QCOMPARE(window_->windowTitle(), u"Отправка SMS абонентам KyivStar GSM (Tallimo v.1.0)"_qs);
        for (QLineEdit *box : window_->findChildren<QLineEdit *>())
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        QVERIFY(message()->toPlainText().isEmpty());
        QCOMPARE(message()->document()->defaultFont(), message()->font()); // the text is drawn in the box's font
        QVERIFY(!control<QRadioButton>("Option1")->isChecked());
        QVERIFY(!control<QRadioButton>("Option2")->isChecked());
        QVERIFY(control<QLabel>("Label10")->text().isEmpty());
        QVERIFY(control("cmdSend")->isVisible());
        QCOMPARE(typed(), u"0"_qs); // emptying the box at start-up counts as a change
        QCOMPARE(remaining(), u"160"_qs);
        QVERIFY(!window_->windowIcon().isNull());
        // The first control has the focus, drawn before any key is pressed.
        QVERIFY(QTest::qWaitForWindowActive(window_));
        QCOMPARE(QApplication::focusWidget(), control("cmdNew"));
        QStyleOptionButton focused;
        focused.initFrom(control("cmdNew"));
        QCOMPARE(focused.state & (QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange),
                 QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange);
    }

    void windowHasAFixedClientArea()
    {
        const QSize client(twipsToPixels(kClientWidth, window_), twipsToPixels(kClientHeight, window_));
        QCOMPARE(window_->size(), client);
        QCOMPARE(window_->minimumSize(), client);
        QCOMPARE(window_->maximumSize(), client);
        QCOMPARE(window_->windowFlags(), Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                             | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                                             | Qt::WindowFullscreenButtonHint); // no maximize
        if (window_->logicalDpiX() == 96)
            QCOMPARE(client, QSize(442, 209));
    }

    // Each control as the form's table has it, the counter sentence read whole around
    // its counts.
    void layout_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < std::size(kFormControls); ++i)
            QTest::newRow(kFormControls[i].name) << int(i);
    }
    void layout()
    {
        QFETCH(int, row);
        const FormControl &expected = kFormControls[row];
        QWidget *widget = control(expected.name);
        QCOMPARE(widget->parentWidget()->objectName(), QLatin1StringView(expected.parent));
        const QRect twips = expected.twips;
        if (twips.isEmpty()) // placed by its sentence's layout
            QVERIFY(widget->parentWidget()->rect().contains(widget->geometry()));
        else
            QCOMPARE(widget->geometry(), twipsToPixels(twips.x(), twips.y(), twips.width(), twips.height(), widget));
        QCOMPARE(!widget->isHidden(), expected.shown);
        if (!expected.shown)
            QVERIFY(widget->mapTo(window_, QPoint(0, 0)).y() >= window_->height());
        QString text;
        if (expected.kind == ControlKind::CounterSentence) {
            QList<QLabel *> words = widget->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
            words.removeIf([](const QLabel *label) { return label->isHidden(); });
            std::sort(words.begin(), words.end(), [](auto *a, auto *b) { return a->x() < b->x(); });
            for (const QLabel *label : words)
                text += (text.isEmpty() ? u""_qs : u" "_qs) + label->text();
            QCOMPARE(text, QString::fromUtf8(expected.caption).arg(typed(), remaining()));
            return;
        }
        if (auto *label = qobject_cast<QLabel *>(widget))
            text = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            text = button->text();
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            text = frame->title();
        if (QByteArrayView(expected.parent) != "Label8") // the counts show their numbers from the start
            QCOMPARE(text, QString::fromUtf8(expected.caption)); // no translator: the source
        QVERIFY2(!text.remove(u"&&"_qs).contains(u'&'), "no caption has an access key");
    }

    void languageFollowsTheDesktop_data()
    {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<QString>("language");
        QTest::newRow("Ukrainian") << QStringList{u"uk-UA"_qs, u"uk"_qs} << u"uk"_qs;
        QTest::newRow("English of Britain") << QStringList{u"en-GB"_qs} << u"en"_qs;
        QTest::newRow("Russian") << QStringList{u"ru-RU"_qs} << u"ru"_qs;
        QTest::newRow("German, then Ukrainian") << QStringList{u"de-DE"_qs, u"uk"_qs} << u"uk"_qs;
        QTest::newRow("German alone") << QStringList{u"de-DE"_qs} << u"ru"_qs;
        QTest::newRow("C") << QStringList{u"C"_qs} << u"ru"_qs;
    }
    void languageFollowsTheDesktop()
    {
        QFETCH(QStringList, uiLanguages);
        QFETCH(QString, language);
        QCOMPARE(interfaceLanguage(uiLanguages), language);
    }

    void stackingKeepsCoveredControlsBelow()
    {
        const QObjectList order = window_->children();
        const auto above = [&](const char *top, const char *bottom) {
            return order.indexOf(control(top)) > order.indexOf(control(bottom));
        };
        QVERIFY(above("cmdSend", "Label10"));
        QVERIFY(above("Text1", "Label5"));
    }

    void tabOrderOfShownControls()
    {
        QStringList order;
        QWidget *widget = control("cmdNew");
        do {
            if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus))
                order += widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != control("cmdNew"));
        QCOMPARE(order, QStringList({u"cmdNew"_qs, u"cmdSend"_qs, u"Option1"_qs, u"Option2"_qs, u"Text1"_qs,
                                     u"txtMessage"_qs}));
    }

    void whatScreenReadersAreTold_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("described");
        QTest::addColumn<QString>("labelledBy");
        const auto row = [](const char *name, QAccessible::Role role, const QString &spoken,
                            const QString &described = {}, const QString &labelledBy = {}) {
            QTest::newRow(name) << QString::fromLatin1(name) << role << spoken << described << labelledBy;
        };
        row("frmSendMail", QAccessible::Window, u"Отправка SMS абонентам KyivStar GSM (Tallimo v.1.0)"_qs);
        row("Text1", QAccessible::EditableText, u"Номер телефона (7-значный)"_qs, {}, u"Label5"_qs);
        row("txtMessage", QAccessible::EditableText, u"Введите текст сообщения:"_qs, u"Осталось символов: 160"_qs,
            u"Label6"_qs);
        row("txtRecipient", QAccessible::NoRole, QString()); // the working store says nothing
        row("Label7", QAccessible::StaticText, u"Вы ввели, символов: 0"_qs);
        row("Label9", QAccessible::StaticText, u"Осталось символов: 160"_qs);
        row("Label10", QAccessible::StatusBar, QString());
        row("cmdSend", QAccessible::Button, u"Послать"_qs);
    }
    void whatScreenReadersAreTold()
    {
        QFETCH(QString, name);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, spoken);
        QFETCH(QString, described);
        QFETCH(QString, labelledBy);
        QWidget *widget = name == window_->objectName() ? window_ : control(qPrintable(name));
        QAccessibleInterface *told = QAccessible::queryAccessibleInterface(widget);
        QCOMPARE(told->role(), role);
        QCOMPARE(told->text(QAccessible::Name), spoken);
        QCOMPARE(told->text(QAccessible::Description), described);
        const auto labels = told->relations(QAccessible::Label);
        QCOMPARE(labels.isEmpty() ? QString() : labels.first().first->object()->objectName(), labelledBy);
        QCOMPARE(bool(told->textInterface()), role == QAccessible::EditableText);
    }

    // Of the window only what is shown is told, Send too while it is hidden.
    void screenReadersMeetOnlyWhatIsShown()
    {
        const auto told = [](QWidget *parent) {
            QAccessibleInterface *told = QAccessible::queryAccessibleInterface(parent);
            QStringList names;
            for (int i = 0; i < told->childCount(); ++i)
                names += told->child(i)->object()->objectName();
            return names;
        };
        const QStringList shown = {u"cmdNew"_qs,     u"Frame2"_qs,  u"Label5"_qs,  u"Label6"_qs, u"Label8"_qs,
                                   u"txtMessage"_qs, u"Label10"_qs, u"Label11"_qs, u"Text1"_qs,  u"cmdSend"_qs}; // as stacked
        QCOMPARE(told(window_), shown);
        QCOMPARE(told(control("Label8")), QStringList({u"Label7"_qs, u"Label9"_qs})); // the counts say the sentence
        control("cmdSend")->hide();
        QStringList whileSending = shown;
        whileSending.removeOne(u"cmdSend"_qs);
        QCOMPARE(told(window_), whileSending);
    }

    void returnAndEnterPressTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Return on New") << u"cmdNew"_qs << Qt::Key_Return << Qt::KeyboardModifiers();
        QTest::newRow("keypad Enter on New") << u"cmdNew"_qs << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
        QTest::newRow("Return on Send") << u"cmdSend"_qs << Qt::Key_Return << Qt::KeyboardModifiers();
        QTest::newRow("keypad Enter on Send") << u"cmdSend"_qs << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }
    void returnAndEnterPressTheFocusedButton()
    {
        QFETCH(QString, button);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        auto *pressed = control<QPushButton>(qPrintable(button));
        QSignalSpy clicks(pressed, &QPushButton::clicked);
        pressed->setFocus();
        QTest::keyClick(pressed, key, modifiers);
        QCOMPARE(clicks.count(), 1);
    }

    // Sent from the keyboard: each count, the message box's description and the status
    // line reach a screen reader as they change, at both ends of the wait; the focus waits
    // on the status line, and once the message is gone it is on New, not on Send.
    void keyboardSubmissionIsHeardAndEndsOnNew()
    {
        ScriptedSmtpServer server({kGoodServer});
        open(server.port());
        sending_->compose("Option1", u"1234567"_qs, QString());
        heard_.clear();
        QAccessible::installUpdateHandler(&hear);
        type(message(), u"Да"_qs);
        control("cmdSend")->setFocus();
        QTest::keyClick(control("cmdSend"), Qt::Key_Return);
        QVERIFY(control("cmdSend")->isHidden());
        QCOMPARE(QApplication::focusWidget(), control("Label10")); // no key there changes the next message
        QTRY_COMPARE(sending_->boxes.shown.size(), 1);
        QAccessible::installUpdateHandler(nullptr);
        QCOMPARE(sending_->boxes.shown[0], sentBox());
        QCOMPARE(QApplication::focusWidget(), control("cmdNew"));
        QCOMPARE(heard_, QStringList({u"Label7: Вы ввели, символов: 1"_qs, u"Label9: Осталось символов: 159"_qs,
                                      u"txtMessage described: Осталось символов: 159"_qs,
                                      u"Label7: Вы ввели, символов: 2"_qs, u"Label9: Осталось символов: 158"_qs,
                                      u"txtMessage described: Осталось символов: 158"_qs, u"focus: cmdSend"_qs,
                                      u"Label10: Ждите: сообщение отправляется..."_qs, u"focus: Label10"_qs,
                                      u"focus: cmdNew"_qs, u"Label10: "_qs}));
    }

    // However text comes into the phone box, it never holds a cut piece of a longer
    // number: typed as people say it, set by a screen reader, committed by an input method,
    // pasted or dropped, a number goes in as its seven digits, as one edit that Ctrl+Z takes
    // back, and what Send would send is those digits; anything else leaves the box as it
    // was and says why, a key refused at once beside the box, a text in a box. Seven typed
    // digits stay as they are, and a key past them is refused. The number is read whole:
    // one attribute run covers it, as Orca needs to speak its last digit.
    void everyWayIntoThePhoneBox_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<QList<Box>>("boxes");
        QTest::addColumn<QString>("undone"); // what Ctrl+Z brings back
        const QString was = u"7654321"_qs;
        const QStringList read{u"notice: В поле записан номер 1234567: семь цифр после 067"_qs};
        const QStringList none;
        const auto refused = [](NumberProblem problem) { return QList<Box>{boxFor(problem)}; };
        const auto tooMany = [](int keys) { return QStringList(keys, u"notice: Больше 7 знаков в номер не входит"_qs); };
        QTest::newRow("seven typed") << "type" << u"1234567"_qs << u"1234567"_qs << none << QList<Box>() << was;
        QTest::newRow("seven typed, then letters") << "type" << u"1234567ab"_qs << u"1234567"_qs << tooMany(2)
                                                   << QList<Box>() << was;
        QTest::newRow("nine typed, kept for Send to refuse") << "type" << u"123456789"_qs << u"123456789"_qs << none
                                                             << QList<Box>() << was;
        QTest::newRow("typed 0671234567") << "type" << u"0671234567"_qs << u"1234567"_qs << read << QList<Box>() << was;
        QTest::newRow("typed 80671234567") << "type" << u"80671234567"_qs << u"1234567"_qs << read << QList<Box>() << was;
        QTest::newRow("typed +380671234567") << "type" << u"+380671234567"_qs << u"1234567"_qs << read << QList<Box>()
                                             << was;
        QTest::newRow("typed 067 123 45 67") << "type" << u"067 123 45 67"_qs << u"1234567"_qs << read << QList<Box>() << was;
        QTest::newRow("typed 123-45-67") << "type" << u"123-45-67"_qs << u"1234567"_qs << read << QList<Box>() << was;
        QTest::newRow("typed, not yet whole") << "type" << u"06712345"_qs << u"06712345"_qs << none << QList<Box>() << was;
        QTest::newRow("typed, another operator: never its first seven") << "type" << u"0501234567"_qs
                                                                        << u"0501234567"_qs << none << QList<Box>()
                                                                        << was;
        QTest::newRow("input method commit") << "input method" << u"0671234567"_qs << u"1234567"_qs << read
                                             << QList<Box>() << was;
        QTest::newRow("input method commit, eight digits") << "input method" << u"12345678"_qs << was << none
                                                           << refused(NumberProblem::NotASubscriberNumber) << was;
        QTest::newRow("screen reader inserts") << "accessible insert" << u"+380 67 123 45 67"_qs << u"1234567"_qs << read
                                               << QList<Box>() << was;
        QTest::newRow("screen reader sets") << "accessible set" << u"380671234567"_qs << u"1234567"_qs << read
                                            << QList<Box>() << was;
        QTest::newRow("screen reader sets another country") << "accessible set" << u"+48 123 456 789"_qs << was << none
                                                            << refused(NumberProblem::OtherOperator) << was;
        QTest::newRow("Ctrl+V") << "Ctrl+V" << u"+380 67 123 45 67"_qs << u"1234567"_qs << read << QList<Box>() << was;
        QTest::newRow("Ctrl+V into a box just emptied") << "Ctrl+V" << u"+380 67 123 45 67"_qs << u"1234567"_qs << read
                                                        << QList<Box>() << QString();
        QTest::newRow("Ctrl+V of HTML alone") << "Ctrl+V html" << u"<table><tr><td>067 123 45 67</td></tr></table>"_qs
                                              << u"1234567"_qs << read << QList<Box>() << was;
        QTest::newRow("Shift+Insert") << "Shift+Insert" << u"(067) 123-45-67"_qs << u"1234567"_qs << read << QList<Box>()
                                      << was;
        QTest::newRow("drop") << "drop" << u"0671234567\r\n"_qs << u"1234567"_qs << read << QList<Box>() << was;
        QTest::newRow("drop of seven digits") << "drop" << u"1234567"_qs << u"1234567"_qs << read << QList<Box>() << was;
        QTest::newRow("context menu") << "menu" << u"067-123-45-67"_qs << u"1234567"_qs << read << QList<Box>() << was;
        QTest::newRow("another operator by Ctrl+V") << "Ctrl+V" << u"+380 50 123 45 67"_qs << was << none
                                                    << refused(NumberProblem::OtherOperator) << was;
        QTest::newRow("six digits dropped") << "drop" << u"123456"_qs << was << none
                                            << refused(NumberProblem::NotASubscriberNumber) << was;
        QTest::newRow("eight digits by the menu") << "menu" << u"12345678"_qs << was << none
                                                  << refused(NumberProblem::NotASubscriberNumber) << was;
    }
    void everyWayIntoThePhoneBox()
    {
        QFETCH(QString, way);
        QFETCH(QString, input);
        QFETCH(QString, kept);
        QFETCH(QStringList, notices);
        QFETCH(QList<Box>, boxes);
        QFETCH(QString, undone);
        const bool emptied = QTest::currentDataTag() == QByteArrayView("Ctrl+V into a box just emptied");
        auto *box = control<QLineEdit>("Text1");
        box->setText(u"7654321"_qs);
        box->setFocus();
        if (emptied || way == u"type") { // by Ctrl+A, BackSpace
            QTest::keySequence(box, QKeySequence::SelectAll);
            QTest::keyClick(box, Qt::Key_Backspace);
        }
        auto *clipboard = new QMimeData;
        way.endsWith(u"html") ? clipboard->setHtml(input) : clipboard->setText(input);
        QApplication::clipboard()->setMimeData(clipboard);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
        const QStringList told = noticesDuring([&] {
            if (way == u"type") {
                type(box, input);
            } else if (way == u"input method") {
                QInputMethodEvent commit;
                commit.setCommitString(input);
                QApplication::sendEvent(box, &commit);
            } else if (way == u"accessible insert") {
                accessible->editableTextInterface()->insertText(box->text().size(), input);
            } else if (way == u"accessible set") {
                accessible->setText(QAccessible::Value, input);
            } else if (way == u"drop") {
                QMimeData data;
                data.setText(input);
                QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QDropEvent drop({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(box, &enter);
                QApplication::sendEvent(box, &drop);
                QCOMPARE(drop.dropAction(), Qt::CopyAction); // what was dragged stays where it came from
                QVERIFY(sending_->boxes.shown.isEmpty()); // the drop ends before any box holds it
            } else if (way == u"menu") {
                QTimer::singleShot(0, box, [] {
                    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                    for (QAction *action : menu->actions())
                        if (action->text().startsWith(u"&Paste"))
                            action->trigger();
                    menu->close();
                });
                QContextMenuEvent click(QContextMenuEvent::Mouse, {5, 5}, box->mapToGlobal(QPoint(5, 5)));
                QApplication::sendEvent(box, &click);
            } else {
                QTest::keySequence(box, QKeySequence(way.section(u' ', 0, 0)));
            }
            QTRY_COMPARE(sending_->boxes.shown, boxes);
        });
        QCOMPARE(box->text(), kept);
        QCOMPARE(told, notices);
        if (!notices.isEmpty()) // seen beside the box as well
            QCOMPARE(QToolTip::text(), notices.last().section(u": "_qs, 1));
        else if (kept.size() > kSubscriberDigits) // the box shows its end alone, which may look like a number
            QVERIFY(QToolTip::text().contains(u"«"_qs + kept + u"»"_qs));
        QCOMPARE(box->palette().color(QPalette::Text) == WindowLook::kNotANumber, kept.size() > kSubscriberDigits);
        QCOMPARE(window_->focusWidget(), box);
        int start = -1, end = -1;
        accessible->textInterface()->attributes(0, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(0, int(kept.size())));

        // What Send would send.
        control<QRadioButton>("Option1")->setChecked(true);
        message()->setPlainText(u"x"_qs);
        const qsizetype shown = sending_->boxes.shown.size();
        sending_->send();
        if (isSubscriberNumber(kept))
            QCOMPARE(control<QLineEdit>("txtRecipient")->text(), u"38067"_qs + kept + u"@sms.kyivstar.net"_qs);
        else
            QCOMPARE(sending_->boxes.shown.mid(shown),
                     QList<Box>{boxFor({.kind = Ending::Kind::NumberNotSevenDigits, .number = kept}, kReplyTimeout)});
        QTRY_VERIFY(sending_->isIdleWith(u"x"_qs) || sending_->boxes.shown.size() > shown);

        QTest::keySequence(box, QKeySequence::Undo);
        QCOMPARE(box->text(), undone);
    }

    // Qt's menu and the program speak the desktop's language, and the menu's Paste reads
    // the number whole in each.
    void pasteFromTheMenuInEachLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("paste");
        QTest::addColumn<QString>("told");
        QTest::newRow("uk") << u"uk"_qs << u"&Вставити"_qs << u"У полі тепер номер 1234567: сім цифр після 067"_qs;
        QTest::newRow("en") << u"en"_qs << u"&Paste"_qs << u"The box now holds 1234567: the seven digits after 067"_qs;
        QTest::newRow("ru") << u"ru"_qs << u"В&ставить"_qs << u"В поле записан номер 1234567: семь цифр после 067"_qs;
    }
    void pasteFromTheMenuInEachLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, paste);
        QFETCH(QString, told);
        Translations translations(language);
        translations.install();
        const auto restoreLocale = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
        auto *box = control<QLineEdit>("Text1");
        box->setFocus();
        QApplication::clipboard()->setText(u"067-123-45-67"_qs);
        const QStringList notices = noticesDuring([&] {
            QTimer::singleShot(0, box, [paste] {
                auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                for (QAction *action : menu->actions())
                    if (action->text().startsWith(paste))
                        action->trigger();
                menu->close();
            });
            QContextMenuEvent click(QContextMenuEvent::Mouse, {5, 5}, box->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(box, &click);
        });
        QCOMPARE(box->text(), u"1234567"_qs);
        QCOMPARE(notices, QStringList(u"notice: "_qs + told));
    }

    // The box filled, and each key refused at the limit, are told.
    void counterFollowsTyping()
    {
        message()->setFocus();
        QTest::keyClicks(message(), QString(159, u'a'));
        QCOMPARE(typed(), u"159"_qs);
        QCOMPARE(remaining(), u"1"_qs);
        const QStringList notices = noticesDuring([this] {
            QTest::keyClick(message(), Qt::Key_Return); // a line break needs two: refused
            QCOMPARE(typed(), u"159"_qs);
            QTest::keyClicks(message(), u"bc"_qs);
        });
        QCOMPARE(typed(), u"160"_qs);
        QCOMPARE(remaining(), u"0"_qs);
        QCOMPARE(message()->toPlainText(), QString(159, u'a') + u'b');
        const QString refused = u"notice: Больше 160 символов в сообщение не входит"_qs;
        QCOMPARE(notices, QStringList({refused, u"notice: Осталось символов: 0"_qs, refused}));
    }

    void lineBreakCountsTwoAndCyrillicOne()
    {
        type(message(), u"Щё"_qs);
        QTest::keyClick(message(), Qt::Key_Return);
        QTest::keyClicks(message(), u"ok"_qs);
        QCOMPARE(typed(), u"6"_qs);
        QCOMPARE(remaining(), u"154"_qs);
        QCOMPARE(message()->Text(), u"Щё\r\nok"_qs);
    }

    // Whatever way text arrives, what the submission reads stays within 160, and undo
    // and redo move between the text before and the text kept.
    void everyInputPathStopsAtTheLimit_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("incoming");
        QTest::addColumn<QString>("kept"); // as Text() reads it
        const QString a150(150, u'a');
        const auto breaks = [](int count) { return QString(u"\r\n"_qs).repeated(count); };
        QTest::newRow("paste cut to the room left") << a150 << "paste" << u"0123456789abcdef"_qs << a150 + u"0123456789"_qs;
        QTest::newRow("paste, CRLF counts two")
            << QString() << "paste" << QString(100, u'я') + u"\r\n"_qs + QString(100, u'я')
            << QString(100, u'я') + u"\r\n"_qs + QString(58, u'я');
        QTest::newRow("paste, lone CRs") << QString() << "paste" << QString(160, u'\r') << breaks(80);
        for (char16_t separator : {u'\u2029', u'\u2028', u'\uFDD0', u'\uFDD1'})
            QTest::addRow("paste, U+%04X is a line break", unsigned(separator))
                << QString() << "paste" << QString(160, QChar(separator)) << breaks(80);
        QTest::newRow("paste, VT FF NEL stay single characters")
            << QString(157, u'a') << "paste" << u"\v\f\u0085\v"_qs << QString(157, u'a') + u"\v\f\u0085"_qs;
        QTest::newRow("paste, a surrogate pair is not split") << QString(159, u'a') << "paste" << u"😀"_qs
                                                             << QString(159, u'a');
        QTest::newRow("drop") << a150 << "drop" << QString(20, u'\u2029') << a150 + breaks(5);
        QTest::newRow("input method commit") << QString(159, u'a') << "input method" << u"\u2029"_qs
                                             << QString(159, u'a');
        QTest::newRow("input method commit cut") << a150 << "input method" << u"Привет, мир"_qs
                                                 << a150 + u"Привет, ми"_qs;
        QTest::newRow("Return at 159") << QString(159, u'a') << "type" << u"\n"_qs << QString(159, u'a');
    }
    void everyInputPathStopsAtTheLimit()
    {
        QFETCH(QString, before);
        QFETCH(QString, path);
        QFETCH(QString, incoming);
        QFETCH(QString, kept);
        message()->setPlainText(before);
        message()->moveCursor(QTextCursor::End);
        if (path == u"paste") {
            QApplication::clipboard()->setText(incoming);
            message()->paste();
        } else if (path == u"drop") {
            QMimeData data;
            data.setText(incoming);
            const QPoint end = message()->viewport()->rect().bottomRight() - QPoint(2, 2);
            QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(message()->viewport(), &enter);
            QApplication::sendEvent(message()->viewport(), &drop);
        } else if (path == u"input method") {
            QInputMethodEvent commit;
            commit.setCommitString(incoming);
            QApplication::sendEvent(message(), &commit);
        } else {
            QTest::keyClick(message(), Qt::Key_Return);
        }
        QCOMPARE(message()->Text(), kept);
        QCOMPARE(typed(), QString::number(kept.size()));
        QCOMPARE(remaining(), QString::number(160 - kept.size()));
        message()->undo();
        QCOMPARE(message()->toPlainText(), before);
        message()->redo();
        QCOMPARE(message()->Text(), kept);
    }

    void newEmptiesTheMessageAndKeepsTheSubscriber()
    {
        control<QRadioButton>("Option2")->setChecked(true);
        control<QLineEdit>("Text1")->setText(u"1234567"_qs);
        type(message(), u"Привет"_qs);
        control<QPushButton>("cmdNew")->click();
        QVERIFY(message()->toPlainText().isEmpty());
        QCOMPARE(typed(), u"0"_qs);
        QCOMPARE(remaining(), u"160"_qs);
        QCOMPARE(control<QLineEdit>("Text1")->text(), u"1234567"_qs);
        QVERIFY(control<QRadioButton>("Option2")->isChecked());
        QCOMPARE(noticesDuring([this] { control<QPushButton>("cmdNew")->click(); }),
                 QStringList(u"notice: Текст сообщения пуст, фокус на кнопке «Новое сообщение»."_qs));
        QTest::keySequence(message(), QKeySequence::Undo);
        QCOMPARE(message()->toPlainText(), u"Привет"_qs);
    }

    void attachmentList()
    {
        sending_->fileDialog.picks = {u"/tmp/a"_qs, QString(), u"/tmp/b"_qs, u"/tmp/a"_qs};
        for (int i = 0; i < 4; ++i)
            control<QPushButton>("cmdAddFile")->click();
        QCOMPARE(attachments()->count(), 3); // the cancel added nothing, the duplicate is kept

        attachments()->setCurrentRow(-1);
        control<QPushButton>("cmdRemove")->click(); // nothing selected: nothing happens
        QCOMPARE(attachments()->count(), 3);

        attachments()->setCurrentRow(1);
        control<QPushButton>("cmdRemove")->click();
        QCOMPARE(attachments()->count(), 2);
        QCOMPARE(attachments()->item(0)->text(), u"/tmp/a"_qs);
        QCOMPARE(attachments()->item(1)->text(), u"/tmp/a"_qs);
        QCOMPARE(attachments()->currentRow(), -1);
        QVERIFY(sending_->boxes.shown.isEmpty());
    }

    void sendLeavesTheLastAttachmentSelected()
    {
        QTemporaryDir dir;
        for (const char *name : {"one", "two", "three"}) {
            QFile file(dir.filePath(QLatin1StringView(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            sending_->fileDialog.picks += file.fileName();
            control<QPushButton>("cmdAddFile")->click();
        }
        sending_->compose();
        control<QPushButton>("cmdSend")->click();
        QCOMPARE(attachments()->currentRow(), 2);
        control<QPushButton>("cmdRemove")->click();
        QCOMPARE(attachments()->count(), 2);
    }

    void newDuringASubmissionKeepsTheMessageInFlight()
    {
        ScriptedSmtpServer server({kGoodServer});
        open(server.port());
        sending_->compose();
        server.onCommand = [this](const QByteArray &command) {
            if (command.startsWith("HELO"))
                control<QPushButton>("cmdNew")->click();
        };
        control<QPushButton>("cmdSend")->click();
        QVERIFY(control("cmdSend")->isHidden());
        QCOMPARE(control<QLabel>("Label10")->text(), u"Ждите: сообщение отправляется..."_qs);
        QTRY_COMPARE(sending_->boxes.shown.size(), 1);
        QCOMPARE(sending_->boxes.shown[0], sentBox());
        QCOMPARE(server.transcripts.value(0), submissionTranscript(6));
        QVERIFY(message()->toPlainText().isEmpty());
        QVERIFY(!control("cmdSend")->isHidden());
        QVERIFY(control<QLabel>("Label10")->text().isEmpty());
    }
};

QTEST_MAIN(tst_frmSendMail)
#include "tst_frmsendmail.moc"
