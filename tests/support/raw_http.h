#pragma once

#include <string>

// A minimal HTTP/1.1 exchange with a server on 127.0.0.1 over plain WinSock, so that the tests can
// talk to their server without the download code under test. The caller's WinSock session must
// be started.

struct RawHttpAnswer {
    int status = 0;        // 0 when no well-formed answer arrived
    std::string head;      // status line and headers, without the blank line
    std::string body;
};

// Sends one request with "Connection: close" and reads the answer until the server closes.
// extra_headers are whole lines, each ending with "\r\n".
RawHttpAnswer RawHttpRequest(int port, const std::string& method, const std::string& path,
                             const std::string& extra_headers = "", const std::string& body = "");

// True when a TCP connection to 127.0.0.1:port is accepted.
bool AcceptsConnections(int port);
