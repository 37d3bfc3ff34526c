#include "platform/LineEditAccessible.h"

#include <QFontMetrics>
#include <QLineEdit>

LineEditAccessible::LineEditAccessible(QLineEdit *box)
    : QAccessibleWidget(box, QAccessible::EditableText)
{
    addControllingSignal(u"textChanged(const QString&)"_qs);
    addControllingSignal(u"returnPressed()"_qs);
}

QLineEdit *LineEditAccessible::box() const
{
    return static_cast<QLineEdit *>(widget());
}

void *LineEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

// The value is the text; the name and the rest come from the buddy label, as in Qt's.
QString LineEditAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return box()->text();
    return QAccessibleWidget::text(t);
}

void LineEditAccessible::setText(QAccessible::Text t, const QString &text)
{
    if (t != QAccessible::Value)
        return QAccessibleWidget::setText(t, text);
    replaceText(0, box()->text().size(), text);
}

QAccessible::State LineEditAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.readOnly = box()->isReadOnly();
    state.selectableText = true;
    return state;
}

// The one difference from Qt's: a run without attributes over the whole text.
QString LineEditAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

int LineEditAccessible::characterCount() const
{
    return int(box()->text().size());
}

QString LineEditAccessible::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset)
        return {};
    return box()->text().mid(startOffset, endOffset - startOffset);
}

int LineEditAccessible::cursorPosition() const
{
    return box()->cursorPosition();
}

void LineEditAccessible::setCursorPosition(int position)
{
    box()->setCursorPosition(position);
}

int LineEditAccessible::selectionCount() const
{
    return box()->hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::selection(int index, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (index != 0 || !box()->hasSelectedText())
        return;
    *startOffset = box()->selectionStart();
    *endOffset = box()->selectionEnd();
}

void LineEditAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int index)
{
    if (index == 0)
        box()->deselect();
}

void LineEditAccessible::setSelection(int index, int startOffset, int endOffset)
{
    if (index == 0)
        box()->setSelection(startOffset, endOffset - startOffset);
}

// Qt tells where it draws the caret, scrolling included; a character lies as far from it
// as the text between them is wide.
QRect LineEditAccessible::characterRect(int offset) const
{
    const QString character = text(offset, offset + 1);
    if (character.isEmpty())
        return {};
    const QFontMetrics metrics(box()->font());
    const QString all = box()->text();
    const QRect caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.center().x() + metrics.horizontalAdvance(all.left(offset))
        - metrics.horizontalAdvance(all.left(box()->cursorPosition()));
    return {box()->mapToGlobal(QPoint(x, caret.top())), QSize(metrics.horizontalAdvance(character), metrics.height())};
}

int LineEditAccessible::offsetAtPoint(const QPoint &point) const
{
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void LineEditAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    box()->setCursorPosition(endIndex);
    box()->setCursorPosition(startIndex);
}

void LineEditAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, {});
}

void LineEditAccessible::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

// An edit as typing or pasting makes one, so that the box judges it as such and Ctrl+Z
// takes it back.
void LineEditAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (box()->isReadOnly())
        return;
    box()->setSelection(startOffset, endOffset - startOffset);
    box()->insert(text);
}
