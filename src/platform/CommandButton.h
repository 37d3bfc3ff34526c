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
};
