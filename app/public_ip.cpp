#include "app/public_ip.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>

#include "app/ip_address.h"

namespace {

// Keeps the socket library started while the resolver runs, whoever else uses it.
class WinsockSession {
public:
    WinsockSession() { started_ = ::WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
    ~WinsockSession() {
        if (started_) ::WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool started() const { return started_; }

private:
    WSADATA data_{};
    bool started_ = false;
};

struct AddrInfoDeleter {
    void operator()(addrinfo* info) const { ::freeaddrinfo(info); }
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::string PublicIpFromAnswer(int code, std::string_view body) {
    if (code < 0) return std::string();
    std::string address;
    for (char c : body) {
        if (!IsBlank(c)) address.push_back(c);
    }
    return IsIpAddressText(address) ? address : std::string();
}

std::string GetLocalIpAddress() {
    WinsockSession winsock;
    if (!winsock.started()) return std::string();
    char host[128] = {};
    if (::gethostname(host, sizeof(host) - 1) != 0) return std::string();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* raw = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &raw) != 0 || raw == nullptr) return std::string();
    const std::unique_ptr<addrinfo, AddrInfoDeleter> result(raw);
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(result->ai_addr);
    if (::inet_ntop(AF_INET, &address->sin_addr, text, sizeof(text)) == nullptr) return std::string();
    return text;
}
