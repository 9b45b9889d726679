#pragma once

#include <winsock2.h>

#include "base/unique_handle.h"

// WinSock ownership for the test support code.

struct SocketTraits {
    using Raw = SOCKET;
    static Raw Invalid() { return INVALID_SOCKET; }
    static void Close(Raw s) { ::closesocket(s); }
};
using ScopedSocket = kbase::UniqueHandle<SocketTraits>;

// One WSAStartup, matched by WSACleanup when the object goes.
class WinsockSession {
public:
    WinsockSession() {
        WSADATA data;
        started_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession() {
        if (started_) ::WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    bool started() const { return started_; }

private:
    bool started_ = false;
};
