#include "tests/support/test_server.h"

#include <cstdio>
#include <vector>

#include "base/string_conversions.h"
#include "tests/support/linux_process.h"

namespace {

// A Linux program: Wine starts it as a native process.
constexpr wchar_t kPython[] = L"Z:\\usr\\bin\\python3";
constexpr DWORD kReadyTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 5000;

// One command-line argument, quoted; paths with quotes are not supported.
bool Quote(const std::string& utf8, std::wstring& out) {
    std::wstring wide;
    if (utf8.empty() || utf8.find('"') != std::string::npos || !kbase::Utf8ToWide(utf8.c_str(), wide)) return false;
    out += L" \"" + wide + L"\"";
    return true;
}

}  // namespace

// Wine's own export that maps a Windows path to the Linux one.
std::string TestServer::UnixPath(const std::wstring& windows_path) {
    using Convert = char*(CDECL*)(const wchar_t*);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return {};
    char* unix_path = convert(windows_path.c_str());
    if (!unix_path) return {};
    std::string result(unix_path);
    ::HeapFree(::GetProcessHeap(), 0, unix_path);
    return result;
}

TestServer::~TestServer() {
    if (!stdio_) return;
    stdio_.Reset();
    if (WaitUntilGone()) return;
    Request("POST", "/_control/exit");
    WaitUntilGone();
}

bool TestServer::Start(const std::wstring& root_dir) {
    return StartTool("test_server", {"--root", UnixPath(root_dir)});
}

bool TestServer::StartTool(const std::string& tool, const std::vector<std::string>& arguments) {
    if (stdio_ || !winsock_.started()) return false;
    std::wstring command_line = L"python3";
    if (!Quote(LAUNCHER_SOURCE_DIR "/tools/" + tool, command_line)) return false;
    for (const std::string& argument : arguments) {
        if (!Quote(argument, command_line)) return false;
    }
    ScopedSocket ours;
    if (!LaunchLinuxProgram(kPython, command_line, L"", ours) || !ReadReadyLine(ours.Get())) return false;
    stdio_ = std::move(ours);
    return true;
}

bool TestServer::ReadReadyLine(SOCKET sock) {
    const DWORD timeout = kReadyTimeoutMs;
    ::setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    std::string line;
    char c = 0;
    while (line.size() < 100 && ::recv(sock, &c, 1, 0) == 1 && c != '\n') line += c;
    int port = 0;
    int closed_port = 0;
    if (c != '\n' || std::sscanf(line.c_str(), "READY %d %d", &port, &closed_port) != 2 || port <= 0 ||
        closed_port <= 0) {
        return false;
    }
    port_ = port;
    closed_port_ = closed_port;
    return true;
}

bool TestServer::WaitUntilGone() const {
    const ULONGLONG deadline = ::GetTickCount64() + kExitTimeoutMs;
    while (AcceptsConnections(port_)) {
        if (::GetTickCount64() >= deadline) return false;
        ::Sleep(20);
    }
    return true;
}

std::string TestServer::BaseUrl(int n) const { return Url("/b" + std::to_string(n) + "/"); }

std::string TestServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

bool TestServer::SetFault(const std::string& json) {
    return Request("POST", "/_control/fault", "Content-Type: application/json\r\n", json).status == 200;
}

bool TestServer::Reset() { return Request("POST", "/_control/reset").status == 200; }

std::string TestServer::Log() {
    RawHttpAnswer answer = Request("GET", "/_control/log");
    return answer.status == 200 ? answer.body : std::string();
}

RawHttpAnswer TestServer::Request(const std::string& method, const std::string& path, const std::string& extra_headers,
                                  const std::string& body) {
    if (!port_) return {};
    return RawHttpRequest(port_, method, path, extra_headers, body);
}
