#pragma once

#include <string>
#include <vector>

#include "tests/support/raw_http.h"
#include "tests/support/scoped_socket.h"

// The project's test HTTP server (tools/test_server, Python) run by a test under Wine. It serves a
// folder under any base prefix, with per-path faults and a request log; see the package's docs.
//
// Wine gives a Linux child neither a process handle nor its pipes, but it does hand over socket
// handles as the child's descriptors: the server's stdin and stdout are one end of a loopback
// socket pair. Its READY line arrives through it, and closing our end is the server's stdin EOF,
// which the OS also delivers when the test process dies.
class TestServer {
public:
    TestServer() = default;
    // Stops the server: closes its stdin, waits for it to go, and forces it out after a timeout.
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // Serves root_dir (a Windows path) and waits until the server is ready; false on any failure.
    bool Start(const std::wstring& root_dir);
    // Runs another program of tools/ that is built on the server and speaks its READY protocol
    // (e.g. "publisher") with these UTF-8 arguments, and waits until it is ready. Paths among the
    // arguments must be Linux paths (UnixPath).
    bool StartTool(const std::string& tool, const std::vector<std::string>& arguments);
    // The Linux path of a Windows path whose folder exists; empty when there is none (not under Wine).
    static std::string UnixPath(const std::wstring& windows_path);

    int Port() const { return port_; }
    // A port on 127.0.0.1 that refuses connections at once.
    int ClosedPort() const { return closed_port_; }
    // "http://127.0.0.1:<port>/b<n>/": every n names another base URL over the same folder.
    std::string BaseUrl(int n) const;
    // "http://127.0.0.1:<port>" + path, for the sinks ("/sink/...") and the address echo ("/ip").
    std::string Url(const std::string& path) const;

    // A fault as the server's JSON object, e.g. {"path":"/b0/a.bin","fail_first":2}; false unless
    // the server accepted it.
    bool SetFault(const std::string& json);
    // Clears every fault and the request log.
    bool Reset();
    // The request log: the server's JSON list as text, empty when it could not be read.
    std::string Log();
    // Any request to the server, answered in full.
    RawHttpAnswer Request(const std::string& method, const std::string& path, const std::string& extra_headers = "",
                          const std::string& body = "");

private:
    bool ReadReadyLine(SOCKET sock);
    bool WaitUntilGone() const;

    WinsockSession winsock_;
    ScopedSocket stdio_;  // our end of the server's stdin and stdout
    int port_ = 0;
    int closed_port_ = 0;
};
