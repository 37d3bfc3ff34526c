#pragma once
// The words of every box the program shows: how a Send ended, and why a pasted text
// gave no number. Each box says what happened and what to do about it: after a refusal
// the server's words come first, then advice that depends on the step refused; after a
// socket error the number and its description, then advice that depends on the failure
// and where it came. Once the final "." is out, a silence or a hang-up leaves the
// message perhaps delivered, and the box says so.

#include "submission/Ending.h"
#include "submission/PhoneNumber.h"

#include <QString>

#include <chrono>

enum class MsgBoxIcon { Exclamation = 48, Information = 64 };

inline constexpr auto kApplicationTitle = u"Tallimo"; // the title of a box given none

struct Box
{
    QString prompt;
    MsgBoxIcon icon;
    QString title;

    friend bool operator==(const Box &, const Box &) = default;
};

// replyTimeout: how long each reply was awaited, which a time-out box names.
[[nodiscard]] Box boxFor(const Ending &ending, std::chrono::milliseconds replyTimeout);

// A paste into the phone box that held no number this gateway reaches; the box keeps
// what it had.
[[nodiscard]] Box boxFor(NumberProblem problem);
