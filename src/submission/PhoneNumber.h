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
