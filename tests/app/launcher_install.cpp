#include "tests/app/launcher_install.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "base/string_conversions.h"
#include "base/unique_handle.h"
#include "tests/app/launcher_process.h"

LauncherInstall::LauncherInstall() {
    if (!::CopyFileW(LauncherProcess::LauncherPath().c_str(), Launcher().c_str(), FALSE))
        throw std::runtime_error("cannot copy launcher.exe");
}

void LauncherInstall::CreateFolder(const std::wstring& relative) const {
    std::filesystem::create_directories(std::filesystem::path(Child(relative)));
}

void LauncherInstall::AddGame(const std::wstring& relativeFolder) const {
    CreateFolder(relativeFolder);
    if (!::CopyFileW(LauncherProcess::GamePath().c_str(), Child(relativeFolder + L"\\KORU.exe").c_str(), FALSE))
        throw std::runtime_error("cannot copy KORU.exe");
}

GameWindowsCloser::~GameWindowsCloser() {
    for (int tries = 0; tries < 5; ++tries) {
        HWND game = ::FindWindowW(L"UnityWndClass", nullptr);
        if (!game) return;
        DWORD process = 0;
        ::GetWindowThreadProcessId(game, &process);
        ::PostMessageW(game, WM_CLOSE, 0, 0);
        kbase::ScopedHandle handle(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, process));
        if (!handle) return;
        if (::WaitForSingleObject(handle.Get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(handle.Get(), 1);
        ::WaitForSingleObject(handle.Get(), 5000);
    }
}

void SetGameLog(const std::wstring& path, unsigned timeoutMs) {
    ::SetEnvironmentVariableW(L"KORU_LOG", path.c_str());
    ::SetEnvironmentVariableW(L"KORU_TIMEOUT_MS", std::to_wstring(timeoutMs).c_str());
}

std::vector<std::wstring> ReadGameLog(const std::wstring& path) {
    std::wstring text;
    kbase::CodePageToWide(ReadWholeFile(path), text, CP_UTF8);
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::wstring FindGameLogLine(const std::wstring& path, const std::wstring& prefix) {
    for (const std::wstring& line : ReadGameLog(path)) {
        if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
    }
    return std::wstring();
}

bool GameLogHas(const std::wstring& path, const std::wstring& line) {
    const std::vector<std::wstring> lines = ReadGameLog(path);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}
