#include "window/WindowLook.h"

#include "platform/PhoneNumberBox.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

constexpr int kLayoutPointSize = 8;
constexpr qreal kSmallestPointSize = 6; // smaller, Cyrillic at 96 dpi stops being legible
constexpr qreal kPointSizeStep = 0.5;
constexpr int kLineEditTextMargin = 2; // QLineEdit's own space either side of its text
constexpr int kFocusMarkWidth = 2;       // WCAG 2.2's least focus ring, in pixels

// Fusion, whose focus marks differ from its unfocused look by too little to see (a
// bluer outline, a translucent fill, nothing at all on a text area), with a solid ring:
// on a text box's outline, inside a button's (which tells the default button), around
// a radio button's caption.
class FocusMarkStyle final : public QProxyStyle
{
public:
    FocusMarkStyle()
        : QProxyStyle(QStyleFactory::create(u"Fusion"_qs))
    {
    }

    // A text area's viewport covers all but its frame, so the frame makes room for the
    // ring and a pixel of the area's ground inside it.
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        const int fusion = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric == PM_DefaultFrameWidth && qobject_cast<const QAbstractScrollArea *>(widget))
            return fusion + kFocusMarkWidth;
        return fusion;
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        const bool keyboardFocus = option->state & State_KeyboardFocusChange;
        switch (element) {
        case PE_FrameFocusRect:
            if (keyboardFocus)
                ring(painter, option->rect, markColour(option->palette));
            return;
        case PE_PanelButtonCommand:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            if (keyboardFocus && (option->state & State_HasFocus))
                ring(painter, option->rect.adjusted(1, 1, -1, -1), markColour(option->palette));
            return;
        case PE_FrameLineEdit: // a text box shows the focus however it came, as its caret does
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            if (option->state & State_HasFocus)
                ring(painter, option->rect, markColour(option->palette));
            return;
        default:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element != CE_ShapedFrame || !qobject_cast<const QAbstractScrollArea *>(widget))
            return;
        const QRect outline = option->rect;
        painter->fillRect(outline.adjusted(1, 1, -1, -1), option->palette.base()); // the room, unfocused
        if (option->state & State_HasFocus)
            ring(painter, outline, markColour(option->palette));
    }

private:
    static QColor markColour(const QPalette &palette)
    {
        return palette.color(QPalette::Window).lightness() < 128 ? WindowLook::kFocusMarkOnDark
                                                                 : WindowLook::kFocusMark;
    }
    static void ring(QPainter *painter, const QRect &outer, const QColor &colour)
    {
        const int w = kFocusMarkWidth;
        painter->fillRect(outer.x(), outer.y(), outer.width(), w, colour);
        painter->fillRect(outer.x(), outer.bottom() - w + 1, outer.width(), w, colour);
        painter->fillRect(outer.x(), outer.y() + w, w, outer.height() - 2 * w, colour);
        painter->fillRect(outer.right() - w + 1, outer.y() + w, w, outer.height() - 2 * w, colour);
    }
};

// Where a one-line label draws each of its words, in its parent's coordinates.
QList<QRectF> wordRects(const QLabel &label)
{
    const QFontMetricsF metrics(label.font());
    const QString text = label.text();
    const QSize lineSize(qCeil(metrics.horizontalAdvance(text)), qCeil(metrics.height()));
    const QRect line = QStyle::alignedRect(label.layoutDirection(), label.alignment(), lineSize, label.contentsRect());
    QList<QRectF> words;
    qsizetype start = 0;
    for (qsizetype end = 0; end <= text.size(); ++end) {
        if (end < text.size() && !text[end].isSpace())
            continue;
        if (end > start)
            words += QRectF(line.x() + metrics.horizontalAdvance(text.left(start)), line.y(),
                            metrics.horizontalAdvance(text.mid(start, end - start)), metrics.height())
                         .translated(label.pos());
        start = end + 1;
    }
    return words;
}

// What a control stacked above a label hides of it: a see-through label only its own
// words, anything else its whole rectangle.
QList<QRectF> covered(const QWidget &above)
{
    const auto *label = qobject_cast<const QLabel *>(&above);
    if (label && !label->autoFillBackground())
        return wordRects(*label);
    return {QRectF(above.geometry())};
}

// A label fits when it keeps to one line inside itself and nothing stacked above it
// touches its words or follows them closer than a space: the counter sentence leaves
// gaps for the counts, and "осталось - 143" must not read as a negative count.
bool fits(const QLabel &label)
{
    if (!label.parentWidget()->rect().contains(label.geometry())) // a layout pushed it out
        return false;
    const QRectF room = QRectF(label.contentsRect()).translated(label.pos());
    const qreal space = QFontMetricsF(label.font()).horizontalAdvance(u' ');
    const QObjectList siblings = label.parentWidget()->children();
    for (const QRectF &word : wordRects(label)) {
        if (!room.contains(word))
            return false;
        for (qsizetype i = siblings.indexOf(&label) + 1; i < siblings.size(); ++i) {
            const auto *above = qobject_cast<const QWidget *>(siblings[i]);
            if (!above || above->isHidden())
                continue;
            for (const QRectF &hidden : covered(*above))
                if (hidden.adjusted(-space, 0, 0, 0).intersects(word))
                    return false;
        }
    }
    return true;
}

bool fits(const QGroupBox &frame)
{
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = frame.title();
    option.textAlignment = frame.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return frame.rect().contains(
        frame.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &frame));
}

// The phone box shows all seven digits at once.
bool fits(const PhoneNumberBox &box)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box);
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    const QMargins margins = box.textMargins();
    const qreal widest = QFontMetricsF(box.font()).horizontalAdvance(QString(kSubscriberDigits, u'0'));
    return widest <= contents.width() - margins.left() - margins.right() - 2 * kLineEditTextMargin;
}

bool captionsFit(QWidget &window)
{
    for (QLayout *layout : window.findChildren<QLayout *>()) // placed anew in the new font
        layout->activate();
    for (const QWidget *control : window.findChildren<QWidget *>()) {
        if (!control->isVisibleTo(&window))
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(control); label && !fits(*label))
            return false;
        if (const auto *button = qobject_cast<const QAbstractButton *>(control);
            button && button->sizeHint().width() > button->width())
            return false;
        if (const auto *frame = qobject_cast<const QGroupBox *>(control); frame && !fits(*frame))
            return false;
        if (const auto *box = qobject_cast<const PhoneNumberBox *>(control); box && !fits(*box))
            return false;
    }
    return true;
}

} // namespace

namespace WindowLook {

QPalette windowPalette()
{
    // Fusion's light colours, every role of every group set here, so none is taken from
    // the desktop: Fusion's own palette follows the desktop's.
    const QColor ground(239, 239, 239);
    QPalette palette(Qt::black, ground, Qt::white, QColor(159, 159, 159), QColor(184, 184, 184), Qt::black,
                     Qt::white, Qt::white, ground);
    palette.setColor(QPalette::Midlight, QColor(202, 202, 202));
    palette.setColor(QPalette::Shadow, QColor(118, 118, 118));
    palette.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0, 0, 255));
    palette.setColor(QPalette::LinkVisited, QColor(255, 0, 255));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(190, 190, 190));
    palette.setColor(QPalette::Disabled, QPalette::Base, ground);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    return palette;
}

QFont layoutFont()
{
    QFont font(u"Liberation Sans"_qs);
    font.setPointSize(kLayoutPointSize);
    return font;
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setGround(QWidget *widget, const QColor &ground, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ground);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void finishLook(QWidget *window)
{
    auto *style = new FocusMarkStyle;
    style->setParent(window);
    window->setStyle(style);
    for (QWidget *control : window->findChildren<QWidget *>())
        control->setStyle(style);
    QFont font = window->font();
    while (font.pointSizeF() > kSmallestPointSize && !captionsFit(*window)) {
        font.setPointSizeF(font.pointSizeF() - kPointSizeStep);
        window->setFont(font);
    }
}

void setApplicationStyle()
{
    QApplication::setStyle(new FocusMarkStyle);
}

} // namespace WindowLook

void StatusStrip::paintEvent(QPaintEvent *event)
{
    if (!text().isEmpty())
        QPainter(this).fillRect(rect(), WindowLook::kDisplayGround);
    QLabel::paintEvent(event);
}
