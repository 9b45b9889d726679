#include "tests/support/raw_http.h"

#include <ws2tcpip.h>

#include <cstdio>

#include "tests/support/scoped_socket.h"

namespace {

constexpr DWORD kIoTimeoutMs = 30000;
constexpr size_t kMaxAnswer = 64 * 1024 * 1024;

ScopedSocket Connect(int port) {
    ScopedSocket sock(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!sock) return sock;
    const DWORD timeout = kIoTimeoutMs;
    ::setsockopt(sock.Get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    ::setsockopt(sock.Get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(sock.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) sock.Reset();
    return sock;
}

bool SendAll(SOCKET sock, const std::string& data) {
    for (size_t sent = 0; sent < data.size();) {
        const int n = ::send(sock, data.data() + sent, static_cast<int>(data.size() - sent), 0);
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

RawHttpAnswer RawHttpRequest(int port, const std::string& method, const std::string& path,
                             const std::string& extra_headers, const std::string& body) {
    RawHttpAnswer answer;
    ScopedSocket sock = Connect(port);
    const std::string request = method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" +
                                extra_headers + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    if (!sock || !SendAll(sock.Get(), request)) return answer;
    std::string data;
    char buffer[65536];
    for (;;) {
        const int n = ::recv(sock.Get(), buffer, sizeof(buffer), 0);
        if (n < 0) return answer;  // timed out or reset: no complete answer
        if (n == 0) break;
        if (data.size() + static_cast<size_t>(n) > kMaxAnswer) return answer;
        data.append(buffer, static_cast<size_t>(n));
    }
    const size_t end_of_head = data.find("\r\n\r\n");
    int status = 0;
    if (end_of_head == std::string::npos || std::sscanf(data.c_str(), "HTTP/1.%*d %d", &status) != 1) return answer;
    answer.status = status;
    answer.head = data.substr(0, end_of_head);
    answer.body = data.substr(end_of_head + 4);
    return answer;
}

bool AcceptsConnections(int port) { return static_cast<bool>(Connect(port)); }
