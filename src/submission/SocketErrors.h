#pragma once
// The Windows socket error numbers that users and operators know a failed connection
// by, one row each: the socket adapter numbers what Qt and connect() report from it,
// and the boxes learn from it which failures mean there is no network to reach.

enum class SocketError {
    AccessDenied,        // a route that forbids the connection
    AddressInUse,
    AddressNotAvailable, // no address to send from
    NetworkDown,
    NetworkUnreachable,
    NoBuffers,           // out of resources
    TimedOut,
    ConnectionReset,
    ConnectionRefused,
    HostUnreachable,
    HostNotFound,
};

struct SocketErrorRow
{
    SocketError error;
    int number;
    bool meansNoNetwork; // no network or no route to the relay: check the connection
};

inline constexpr SocketErrorRow kSocketErrors[] = {
    {SocketError::AccessDenied, 10013, true},         // WSAEACCES
    {SocketError::AddressInUse, 10048, false},        // WSAEADDRINUSE
    {SocketError::AddressNotAvailable, 10049, true},  // WSAEADDRNOTAVAIL
    {SocketError::NetworkDown, 10050, true},          // WSAENETDOWN
    {SocketError::NetworkUnreachable, 10051, true},   // WSAENETUNREACH
    {SocketError::ConnectionReset, 10054, false},     // WSAECONNRESET
    {SocketError::NoBuffers, 10055, false},           // WSAENOBUFS
    {SocketError::TimedOut, 10060, false},            // WSAETIMEDOUT
    {SocketError::ConnectionRefused, 10061, false},   // WSAECONNREFUSED
    {SocketError::HostUnreachable, 10065, true},      // WSAEHOSTUNREACH
    {SocketError::HostNotFound, 11001, false},        // WSAHOST_NOT_FOUND
};

// At compile time, so that a value without a row does not build.
[[nodiscard]] consteval int socketErrorNumber(SocketError error)
{
    for (const SocketErrorRow &row : kSocketErrors)
        if (row.error == error)
            return row.number;
    throw "a socket error without a row";
}

[[nodiscard]] constexpr bool meansNoNetwork(int number)
{
    for (const SocketErrorRow &row : kSocketErrors)
        if (row.number == number)
            return row.meansNoNetwork;
    return false;
}
