// The window's look as drawn: every shown text readable against what is drawn behind
// it, on a light desktop and a dark one, in the window's own colours; and every caption
// fitting its control, whole and clear of the others, under every installed style.
// CTest runs this in each language (TALLIMO_LANGUAGE: uk or en; none, the Russian
// source), each twice: as the system is, and with Liberation Sans and its metric twin
// hidden from fontconfig, so that the stand-in is the wider DejaVu Sans.

#include "../support/ScriptedSmtpServer.h"
#include "../support/SendingWindow.h"

#include "platform/MessageBox.h"
#include "window/FormControls.h"
#include "window/TallimoApplication.h"
#include "window/WindowLook.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOption>

#include <cmath>

namespace {

constexpr double kLeastContrast = 4.5; // WCAG 2.x, level AA, for text of this size
constexpr double kLeastFocusContrast = 3; // WCAG 2.2, for a focus mark

double luminance(QRgb rgb)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Whether a text pixel is the colour laid over the ground at one coverage in every
// channel: small text may have no pixel wholly covered.
bool drawnIn(QRgb drawn, QRgb ground, QRgb colour)
{
    QList<double> coverage;
    for (const int shift : {16, 8, 0}) { // red, green, blue
        const auto channel = [shift](QRgb rgb) { return int(rgb >> shift & 0xff); };
        if (std::abs(channel(colour) - channel(ground)) > 32)
            coverage += double(channel(drawn) - channel(ground)) / (channel(colour) - channel(ground));
    }
    const auto [least, most] = std::minmax_element(coverage.cbegin(), coverage.cend());
    return *least >= 0.5 && *most - *least <= 0.05;
}

// A desktop in a dark theme, in colours like those of Adwaita:dark.
QPalette darkDesktop()
{
    return {Qt::white, QColor(53, 53, 53), QColor(80, 80, 80), QColor(20, 20, 20), QColor(40, 40, 40),
            Qt::white, Qt::white, QColor(36, 36, 36), QColor(53, 53, 53)};
}

// The shown controls that carry a text in the idle look.
const char *const kShownTexts[] = {"Frame2", "Option1",       "Option2",        "Label5",       "Text1",
                                   "Label6", "counterBefore", "counterBetween", "counterAfter", "Label7",
                                   "Label9", "Label11",       "cmdNew",         "cmdSend"};

QString shownText(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text().replace(u"&&"_qs, u"&"_qs);
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    if (const auto *box = qobject_cast<const QLineEdit *>(control))
        return box->text();
    return {};
}

// Where a control's text is not drawn with the room its style gives it, or "" if it is.
QString misfit(const QWidget *control)
{
    const QString text = shownText(control);
    const QFontMetricsF metrics(control->font());
    const qreal width = metrics.horizontalAdvance(text);
    QStyle *style = control->style();
    QRect room;
    if (const auto *frame = qobject_cast<const QGroupBox *>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
        room = label.intersected(frame->rect());
        if (room != label || width > label.width())
            return u"%1: caption %2 px in %3"_qs.arg(control->objectName()).arg(width).arg(room.width());
        return {};
    }
    if (qobject_cast<const QRadioButton *>(control) || qobject_cast<const QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(control);
        option.text = text;
        room = style->subElementRect(qobject_cast<const QRadioButton *>(control) ? QStyle::SE_RadioButtonContents
                                                                                 : QStyle::SE_PushButtonContents,
                                     &option, control);
    } else if (qobject_cast<const QLineEdit *>(control)) {
        QStyleOptionFrame option;
        option.initFrom(control);
        option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, control);
        room = style->subElementRect(QStyle::SE_LineEditContents, &option, control).adjusted(2, 0, -2, 0);
    } else {
        room = control->contentsRect();
    }
    const qreal height = metrics.tightBoundingRect(text).height(); // ink, from accents to descenders
    if (width > room.width() || height > room.height())
        return u"%1: %2x%3 px in %4x%5"_qs.arg(control->objectName())
            .arg(width)
            .arg(height)
            .arg(room.width())
            .arg(room.height());
    return {};
}

// Where a control's text is drawn within an area of the window: the pixels that change
// when it is drawn in no colour; and the area drawn with it and without it.
struct Ink
{
    QList<QPoint> pixels;
    QImage with, without;
};

Ink inkOf(QWidget &window, QWidget *control, const QRect &area)
{
    Ink ink{{}, window.grab(area).toImage(), {}};
    const QPalette shown = control->palette();
    QPalette none = shown;
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        none.setColor(role, Qt::transparent);
    control->setPalette(none);
    ink.without = window.grab(area).toImage();
    control->setPalette(shown);
    for (int y = 0; y < ink.with.height(); ++y)
        for (int x = 0; x < ink.with.width(); ++x)
            if (ink.with.pixel(x, y) != ink.without.pixel(x, y))
                ink.pixels += QPoint(x, y);
    return ink;
}

} // namespace

class tst_WindowLook : public QObject
{
    Q_OBJECT

private:
    ScriptedSmtpServer server_{{QList<QByteArray>{"<silence>"}}}; // takes the connection and never answers
    std::unique_ptr<SendingWindow> sending_;
    frmSendMail *window_ = nullptr;
    QString appStyle_;
    QPalette appPalette_;
    std::optional<Translations> translations_;
    static QString sendingStatus() { return QCoreApplication::translate("frmSendMail", kSendingStatus); }

    void open()
    {
        sending_ = std::make_unique<SendingWindow>(server_.port());
        window_ = &sending_->window;
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        sending_->compose(nullptr, u"1234567"_qs, u"Привет! Встречаемся в 18:00 у метро."_qs);
        control<QLabel>(*window_, "Label7")->setText(u"160"_qs); // both counts at their widest
        control<QLabel>(*window_, "Label9")->setText(u"160"_qs);
    }

private slots:
    void initTestCase()
    {
        if (const QString language = qEnvironmentVariable("TALLIMO_LANGUAGE"); !language.isEmpty()) {
            translations_.emplace(language);
            QVERIFY(!translations_->own.isEmpty());
            translations_->install();
        }
        appStyle_ = QApplication::style()->name();
        appPalette_ = QApplication::palette();
    }
    void cleanup()
    {
        sending_.reset();
        QApplication::setStyle(appStyle_);
        QApplication::setPalette(appPalette_);
    }

    void textsReadInTheirOwnColours_data()
    {
        QTest::addColumn<bool>("darkDesktop");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("textColour"); // the window's own, where it has one
        QTest::addColumn<QColor>("ground");
        for (const bool dark : {false, true}) {
            const auto row = [dark](const char *name, QColor text = {}, QColor ground = {}) {
                QTest::addRow("%s, %s desktop", name, dark ? "dark" : "light")
                    << dark << QString::fromLatin1(name) << text << ground;
            };
            for (const char *name : {"Option1", "Option2", "Text1", "Label6", "Label8", "cmdNew", "cmdSend"})
                row(name);
            row("Frame2", QColor(0, 0, 192));
            row("Label5", QColor(0, 0, 192));
            row("txtMessage", {}, QColor(192, 255, 255));
            row("Label7", QColor(128, 255, 255));
            row("Label9", QColor(255, 192, 192));
            row("Label10", QColor(128, 255, 128));
            row("Label11", Qt::white);
        }
    }
    void textsReadInTheirOwnColours()
    {
        QFETCH(bool, darkDesktop);
        QFETCH(QString, name);
        QFETCH(QColor, textColour);
        QFETCH(QColor, ground);
        if (darkDesktop)
            QApplication::setPalette(::darkDesktop());
        open();
        if (name == u"Label10") { // the sending look: Send hidden, the status line shown
            control<QRadioButton>(*window_, "Option1")->setChecked(true);
            sending_->send();
            QCOMPARE(control<QLabel>(*window_, "Label10")->text(), sendingStatus());
            QCOMPARE(control<QLabel>(*window_, "Label10")->font().pointSize(), 15);
        }
        QWidget *shown = control(*window_, qPrintable(name));
        const auto *scrolled = qobject_cast<QAbstractScrollArea *>(shown); // the text, not the scroll bar
        const QWidget *surface = scrolled ? scrolled->viewport() : shown;
        const QRect area(surface->mapTo(window_, QPoint(0, 0)), surface->size());
        const Ink ink = inkOf(*window_, shown, area);
        QVERIFY2(!ink.pixels.isEmpty(), "no text drawn");
        QHash<QRgb, int> behind;
        for (const QPoint &p : ink.pixels)
            ++behind[ink.without.pixel(p)];
        const QRgb drawnGround = std::max_element(behind.keyValueBegin(), behind.keyValueEnd(),
                                                  [](auto a, auto b) { return a.second < b.second; })
                                     ->first;
        QRgb drawnText = ink.with.pixel(ink.pixels.first());
        for (const QPoint &p : ink.pixels)
            if (contrast(ink.with.pixel(p), drawnGround) > contrast(drawnText, drawnGround))
                drawnText = ink.with.pixel(p);
        const double ratio = contrast(drawnText, drawnGround);
        qInfo("%s: text %s on %s, %.2f:1", qPrintable(name), qPrintable(QColor(drawnText).name()),
              qPrintable(QColor(drawnGround).name()), ratio);
        QVERIFY2(ratio >= kLeastContrast, qPrintable(u"%1:1"_qs.arg(ratio, 0, 'f', 2)));
        if (textColour.isValid())
            QVERIFY2(drawnIn(drawnText, drawnGround, textColour.rgb()), qPrintable(QColor(drawnText).name()));
        if (ground.isValid())
            QCOMPARE(QColor(drawnGround), ground);
    }

    // Every control that takes the focus shows it by a closed ring 2 px wide, 3:1 or more
    // from the same pixels unfocused and from the ground around it; so does the box's OK.
    void focusIsSeen_data()
    {
        QTest::addColumn<bool>("darkDesktop");
        QTest::addColumn<QString>("name");
        for (const bool dark : {false, true})
            for (const char *name : {"txtMessage", "Text1", "Option1", "Option2", "cmdNew", "cmdSend", "OK"})
                QTest::addRow("%s, %s desktop", name, dark ? "dark" : "light") << dark << QString::fromLatin1(name);
    }
    void focusIsSeen()
    {
        QFETCH(bool, darkDesktop);
        QFETCH(QString, name);
        if (darkDesktop)
            QApplication::setPalette(::darkDesktop());
        open();
        WindowLook::setApplicationStyle(); // as the program does, for its boxes
        const auto box = QtMessageBox::build(u"Ваше сообщение отправлено!"_qs, MsgBoxIcon::Information, {});
        box->setVisible(name == u"OK");
        QWidget *shown = name == u"OK" ? box->button(QMessageBox::Ok) : control(*window_, qPrintable(name));
        const QRect area = QRect(shown->mapTo(shown->window(), QPoint()), shown->size()).adjusted(-3, -3, 3, 3);
        shown->setFocus(Qt::OtherFocusReason); // Tab's would select a text box's text as well
        QTRY_VERIFY(shown->hasFocus());
        const QImage focused = shown->window()->grab(area).toImage();
        shown->clearFocus();
        const QImage unfocused = shown->window()->grab(area).toImage();
        QHash<QRgb, QList<QPoint>> changedTo;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                if (focused.pixel(x, y) != unfocused.pixel(x, y))
                    changedTo[focused.pixel(x, y)] += QPoint(x, y);
        QVERIFY2(!changedTo.isEmpty(), "nothing changes");
        const auto [mark, pixels] = *std::max_element(changedTo.keyValueBegin(), changedTo.keyValueEnd(),
                                                      [](auto a, auto b) { return a.second.size() < b.second.size(); });
        QRect ring;
        double least = 21;
        for (const QPoint &p : pixels) {
            ring |= QRect(p, QSize(1, 1));
            least = std::min(least, contrast(mark, unfocused.pixel(p)));
        }
        const double againstGround = contrast(mark, unfocused.pixel(0, 0));
        qInfo("%s: ring %s, %.2f:1 against the unfocused look, %.2f:1 against the ground", qPrintable(name),
              qPrintable(QColor(mark).name()), least, againstGround);
        QVERIFY2(pixels.size() >= 4 * (ring.width() + ring.height()) - 16, "no closed ring 2 px wide");
        QVERIFY(least >= kLeastFocusContrast && againstGround >= kLeastFocusContrast);
    }

    void captionsFitUnderEveryStyle_data()
    {
        QTest::addColumn<QString>("style");
        for (const QString &style : QStyleFactory::keys())
            QTest::newRow(qPrintable(style)) << style;
    }
    void captionsFitUnderEveryStyle()
    {
        QFETCH(QString, style);
        QApplication::setStyle(style);
        open();
        const QFontInfo face(window_->font());
        if (QFontDatabase::hasFamily(u"Liberation Sans"_qs)) { // the face the layout is drawn for, as drawn
            QCOMPARE(face.family(), u"Liberation Sans"_qs);
            QCOMPARE(window_->font().pointSize(), 8);
        }
        qInfo("%s at %.1f pt", qPrintable(face.family()), window_->font().pointSizeF());
        QVERIFY(window_->font().pointSizeF() >= 6); // made smaller, but still legible
        QStringList misfits;
        for (const char *name : kShownTexts)
            if (const QString why = misfit(control(*window_, name)); !why.isEmpty())
                misfits += why;
        auto *status = control<QLabel>(*window_, "Label10");
        status->setText(sendingStatus());
        if (const QString why = misfit(status); !why.isEmpty())
            misfits += why;
        status->clear();
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u"; "_qs)));

        // No text runs into another: the counts sit in the gaps of their sentence, the
        // remaining count 2 px at least from the dash before it, the phone box below its
        // label.
        QHash<QString, QSet<QPoint>> ink;
        for (const char *name : kShownTexts) {
            const QList<QPoint> pixels = inkOf(*window_, control(*window_, name), window_->rect()).pixels;
            ink.insert(QString::fromLatin1(name), QSet<QPoint>(pixels.cbegin(), pixels.cend()));
        }
        QStringList touching;
        for (auto a = ink.cbegin(); a != ink.cend(); ++a)
            for (auto b = std::next(a); b != ink.cend(); ++b)
                if (std::any_of(b->cbegin(), b->cend(), [&](QPoint p) {
                        const int near = a.key() == u"Label9" || b.key() == u"Label9" ? 2 : 1;
                        for (int dx = -near; dx <= near; ++dx)
                            if (a->contains(p + QPoint(dx, 0)))
                                return true;
                        return false;
                    }))
                    touching += a.key() + u" and "_qs + b.key();
        QVERIFY2(touching.isEmpty(), qPrintable(touching.join(u"; "_qs)));
    }
};

QTEST_MAIN(tst_WindowLook)
#include "tst_window_look.moc"
