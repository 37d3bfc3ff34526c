#pragma once
// The modal message box through which the program reports every outcome. The window
// reaches it through this interface so that tests can see what would be shown.

#include "submission/Boxes.h"

#include <QString>

#include <memory>

class QMessageBox;

class MessageBox
{
public:
    virtual ~MessageBox() = default;
    // Returns when the user has closed the box.
    virtual void MsgBox(const QString &prompt, MsgBoxIcon icon, const QString &title) = 0;
};

class QtMessageBox final : public MessageBox
{
public:
    void MsgBox(const QString &prompt, MsgBoxIcon icon, const QString &title) override;

    // The box as shown: plain text, never markup; a prompt too long for a small screen
    // (a server's long reply) shown by its start, marked as cut, the whole of it in the
    // box's details, so the box and its OK button always fit on the screen.
    [[nodiscard]] static std::unique_ptr<QMessageBox> build(const QString &prompt, MsgBoxIcon icon,
                                                            const QString &title);
};
