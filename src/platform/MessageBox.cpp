#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {

constexpr qsizetype kShownCharacters = 400; // with kShownLines, fits a 640 × 480 screen
constexpr qsizetype kShownLines = 10;
constexpr qsizetype kUnbrokenRun = 60; // longer runs without a space get a place to wrap

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
};

} // namespace

std::unique_ptr<QMessageBox> QtMessageBox::build(const QString &prompt, MsgBoxIcon icon, const QString &title)
{
    auto box = std::make_unique<ShownBox>(
        icon == MsgBoxIcon::Exclamation ? QMessageBox::Warning : QMessageBox::Information,
        title.isEmpty() ? QString::fromUtf16(kApplicationTitle) : title, QString(), QMessageBox::Ok,
        QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText); // a server's reply is shown as it came, never as markup
    const auto [shown, cut] = shownPart(prompt);
    box->setText(shown);
    if (cut)
        box->setDetailedText(prompt);
    return box;
}

void QtMessageBox::MsgBox(const QString &prompt, MsgBoxIcon icon, const QString &title)
{
    build(prompt, icon, title)->exec();
}
