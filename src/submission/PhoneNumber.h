#pragma once
// The subscriber's number: seven digits after the operator code 067. Send takes nothing
// else. People paste a number as their contact cards write it, "+380 67 123 45 67",
// "(067) 123-45-67", "123-45-67"; such a text is read whole, or not at all, so a longer
// number is never cut into the seven digits of someone else.
//
// A number read from a text: an optional "+" (or "tel:") and ASCII digits, with spaces,
// dashes, dots, slashes, brackets, line ends and invisible marks around and between
// them, nothing else. The digits are the subscriber's seven alone, or those seven after
// 67, 067, 8 067 (the old long-distance form) or 380 67 (with or without "+").

#include <QString>

#include <variant>

inline constexpr int kSubscriberDigits = 7;

// Why a text holds no number this gateway can reach.
enum class NumberProblem {
    OtherOperator,        // a number, but not one of 067: another operator, another country
    NotASubscriberNumber, // letters, or too many or too few digits
};

// Exactly seven digits 0-9: a number Send takes as it is.
[[nodiscard]] bool isSubscriberNumber(QStringView number);

// The seven subscriber digits the text holds, or why it holds none.
[[nodiscard]] std::variant<QString, NumberProblem> readPhoneNumber(QStringView text);

// How the phone box takes an edit, whatever brought it in. A key (or an auto-typer's
// character) is taken while the box holds at most seven characters, and past that while
// it is still written as a number ("067 123 4"), up to the longest way of writing one:
// once the text reads whole as a number, it becomes its seven digits; otherwise Send
// refuses it and says what it holds. A digit past seven is never refused, since the
// seven kept would be someone else's number ("0501234" of 050 123 45 67). More text at
// once (a paste, a drop, an input method's or a screen reader's text, a redo) is read as
// a paste: it becomes the number that the box's new text, or else the text put in,
// holds, or it is refused.
// Taking characters away is always taken. So no edit leaves a cut piece of a longer
// number in the box as if it were the number.
struct NumberBoxEdit
{
    enum class Kind {
        Taken,       // the box holds the text the edit left
        Number,      // the box holds number instead
        KeyRefused,  // the box keeps what it had: a key past what a number can be
        TextRefused, // the box keeps what it had: problem
    };
    Kind kind;
    QString number = {};
    NumberProblem problem = NumberProblem::NotASubscriberNumber;
};

[[nodiscard]] NumberBoxEdit judgeNumberBoxEdit(QStringView before, QStringView after);
