#include "tools/browser_runtime/journal.h"

#include <windows.h>

#include <cstdio>
#include <mutex>
#include <vector>

#include "base/unique_handle.h"

namespace journal {
namespace {

struct State {
    std::mutex lock;
    kbase::UniqueHandle<kbase::FileHandleTraits> file;
    std::wstring path;
    std::vector<std::string> pending;
};

State& TheState() {
    static State state;
    return state;
}

// Lines kept while no file is open; a runtime never initialised keeps no more.
constexpr std::size_t kMaxPendingLines = 1000;

thread_local std::string threadName;

std::string Stamp() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char text[64];
    std::snprintf(text, sizeof(text), "[%02u:%02u:%02u.%03u] [%s] ", now.wHour, now.wMinute, now.wSecond,
                  now.wMilliseconds, threadName.empty() ? "caller" : threadName.c_str());
    return text;
}

void WriteWhole(HANDLE file, const std::string& text) {
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void Open(const std::wstring& path) {
    State& state = TheState();
    std::lock_guard<std::mutex> hold(state.lock);
    state.file.Reset();
    state.path.clear();
    if (path.empty()) return;
    // Appends from every process that shares the log (the helper writes its lines too).
    state.file.Reset(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!state.file) return;
    state.path = path;
    for (const std::string& line : state.pending) WriteWhole(state.file.Get(), line);
    state.pending.clear();
}

void Close() {
    State& state = TheState();
    std::lock_guard<std::mutex> hold(state.lock);
    state.file.Reset();
    state.path.clear();
}

void Write(const std::string& line) {
    const std::string text = Stamp() + line + "\r\n";
    State& state = TheState();
    std::lock_guard<std::mutex> hold(state.lock);
    if (state.file)
        WriteWhole(state.file.Get(), text);
    else if (state.pending.size() < kMaxPendingLines)
        state.pending.push_back(text);
}

std::wstring Path() {
    State& state = TheState();
    std::lock_guard<std::mutex> hold(state.lock);
    return state.path;
}

void NameThread(const char* name) { threadName = name; }

}  // namespace journal
