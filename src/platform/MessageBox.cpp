#include "platform/MessageBox.h"

#include "platform/Accessibility.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>

namespace {

constexpr qsizetype kShownCharacters = 400; // with kShownLines, fits a 640 × 480 screen
constexpr qsizetype kShownLines = 10;
constexpr qsizetype kUnbrokenRun = 60; // longer runs without a space get a place to wrap
constexpr int kQtWrapWidth = 500;      // QMessageBox wraps a long text at half the screen, at most this

// The start of prompt that a box can show, and whether anything was left out.
std::pair<QString, bool> shownPart(const QString &prompt)
{
    QString shown;
    qsizetype lines = 1, run = 0;
    for (qsizetype at = 0; at < prompt.size(); ++at) {
        const QChar c = prompt.at(at);
        if (shown.size() >= kShownCharacters || (c == u'\n' && ++lines > kShownLines))
            return {shown.trimmed() + u"\n[…]"_qs, true};
        run = c.isSpace() ? 0 : run + 1;
        if (run > kUnbrokenRun) {
            shown += QChar(0x200B); // zero width space: a line may break here
            run = 1;
        }
        shown += c;
    }
    return {shown, false};
}

class ShownBox final : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    // Its OK shows the focus from the start, as the window's controls do.
    void showEvent(QShowEvent *event) override
    {
        setAttribute(Qt::WA_KeyboardFocusChange);
        QMessageBox::showEvent(event);
    }

    // Qt widens a box to show its whole title, up to the screen's width: a refusal's long
    // title made the box as wide as a small screen, its frame off it. The box keeps to the
    // width its text needs, as Qt reckons it without the title, which the window manager
    // may cut instead.
    void resizeEvent(QResizeEvent *event) override
    {
        QMessageBox::resizeEvent(event);
        const int body = bodyWidth();
        if (body < width())
            setFixedSize(body, layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(body)
                                                              : layout()->totalMinimumSize().height());
    }

private:
    int bodyWidth() const
    {
        const int least = layout()->totalMinimumSize().width();
        const auto *text = findChild<const QLabel *>(u"qt_msgbox_label"_qs);
        if (!text || !text->wordWrap())
            return least;
        return std::max(least, std::min(screen()->availableGeometry().width() / 2, kQtWrapWidth));
    }
};

} // namespace

std::unique_ptr<QMessageBox> QtMessageBox::build(const QString &prompt, MsgBoxIcon icon, const QString &title)
{
    auto box = std::make_unique<ShownBox>(
        icon == MsgBoxIcon::Exclamation ? QMessageBox::Warning : QMessageBox::Information,
        title.isEmpty() ? QString::fromUtf16(kApplicationTitle) : title, QString(), QMessageBox::Ok,
        QApplication::activeWindow());
    setAccessibleRole(box.get(), QAccessible::AlertMessage);
    box->setTextFormat(Qt::PlainText); // a server's reply is shown as it came, never as markup
    qsizetype end = prompt.size(); // without the reply's closing CRLF, which would show as an empty line
    while (end > 0 && (prompt[end - 1] == u'\n' || prompt[end - 1] == u'\r'))
        --end;
    const auto [shown, cut] = shownPart(prompt.left(end));
    box->setText(shown);
    if (cut)
        box->setDetailedText(prompt);
    return box;
}

void QtMessageBox::MsgBox(const QString &prompt, MsgBoxIcon icon, const QString &title)
{
    build(prompt, icon, title)->exec();
}
