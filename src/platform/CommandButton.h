#pragma once
// A push button that only a deliberate press presses. A key held down repeats, and a
// repeat is no new press: a Return held a moment too long on a box that has just
// closed must not press the button under it again and again.

#include <QPushButton>

class CommandButton final : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    [[nodiscard]] bool isRepeatedPress(const QKeyEvent *event) const;

    int releasedKey_ = 0;
    quint64 releasedAt_ = 0; // the window system's time of that key's last release here
};
