#pragma once
// Where every message goes: the operator's SMTP relay and its e-mail-to-SMS gateways.
// The program talks to this one relay only; tests and the demo reach a local server
// by handing the window another Relay.

#include <QString>

#include <chrono>

inline constexpr auto kRelayAddress = u"212.58.160.25";          // the operator's SMTP relay
inline constexpr quint16 kSmtpPort = 25;
inline constexpr auto kContractGatewayDomain = u"sms.kyivstar.net"; // contract subscribers
inline constexpr auto kAceBaseGatewayDomain = u"2sms.kyivstar.net"; // Ace&base subscribers

inline constexpr auto kRecipientPrefix = u"38067";  // country and operator code, without "+"
inline constexpr auto kSenderLocalPart = u"0000000"; // the gateway takes any sender; this is ours

// A silent or trickling server must not hold the window in its waiting look for ever:
// the whole of each reply must come within this.
inline constexpr std::chrono::milliseconds kReplyTimeout = std::chrono::seconds(60);
// Once the message is taken, QUIT's reply is only politeness: a server answers it at
// once or not at all, and the user should not wait longer than a blink for the news.
inline constexpr std::chrono::milliseconds kQuitGrace = std::chrono::seconds(2);

struct Relay
{
    QString host = QString::fromUtf16(kRelayAddress);
    quint16 port = kSmtpPort;
    std::chrono::milliseconds replyTimeout = kReplyTimeout;
    std::chrono::milliseconds quitGrace = kQuitGrace;
};
