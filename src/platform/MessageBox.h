#pragma once
// The modal message box through which the program reports every outcome. The window
// reaches it through this interface so that tests can see what would be shown.

#include <QString>

enum class MsgBoxIcon { Exclamation = 48, Information = 64 };

inline constexpr auto kApplicationTitle = u"Tallimo"; // the title of a box given none

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
};
