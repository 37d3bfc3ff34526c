#pragma once
// A line edit as screen readers read it, Qt's way but for one thing. Qt 6.4 tells the
// text's attributes as a run of no characters at every offset, and Orca 43, which
// splits the line it speaks at the runs, drops the last character: 1234567 is heard as
// "123456". Here one run covers the whole text. Qt's own interface for a line edit is not
// exported, so this one is written on QLineEdit's public API.

#include <QAccessibleWidget>

class QLineEdit;

class LineEditAccessible final : public QAccessibleWidget,
                                 public QAccessibleTextInterface,
                                 public QAccessibleEditableTextInterface
{
public:
    explicit LineEditAccessible(QLineEdit *box);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::State state() const override;

    QString attributes(int offset, int *startOffset, int *endOffset) const override;
    int characterCount() const override;
    QString text(int startOffset, int endOffset) const override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    int selectionCount() const override;
    void selection(int index, int *startOffset, int *endOffset) const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int index) override;
    void setSelection(int index, int startOffset, int endOffset) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    [[nodiscard]] QLineEdit *box() const;
};
