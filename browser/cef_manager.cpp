#include "browser/cef_manager.h"

#include <vector>

#include "base/path_util.h"
#include "base/thread_registry.h"
#include "browser/client_app.h"
#include "browser/runtime/cef_app.h"
#include "browser/runtime/cef_task.h"

namespace zel_comp {
namespace {

constexpr kbase::TimeDelta kQuitRetryDelay = 500000;  // microseconds

// The variable's whole value; empty when it is not set.
std::wstring ReadEnvironment(const wchar_t* name) {
    const DWORD needed = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) return std::wstring();
    std::vector<wchar_t> buffer(needed);
    const DWORD written = ::GetEnvironmentVariableW(name, buffer.data(), needed);
    return written < needed ? std::wstring(buffer.data(), written) : std::wstring();
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

CefManager& CefManager::GetInstance() {
    static CefManager manager;
    return manager;
}

bool CefManager::PrependCefFolderToPath() {
    const std::wstring folder = kbase::GetOwnModuleDirectory() + L"cef";
    if (!IsDirectory(folder)) return false;
    const std::wstring path = folder + L";" + ReadEnvironment(L"path");
    ::SetEnvironmentVariableW(L"path", path.c_str());
    ::SetEnvironmentVariableW(L"ComSpec", (folder + L"\\dummy_cmd.exe").c_str());
    return true;
}

bool CefManager::LoadRuntimeLibrary() {
    if (!library_) library_.Reset(::LoadLibraryW(L"zel_libcef.dll"));
    return static_cast<bool>(library_);
}

bool CefManager::Initialize(const std::wstring& appDataFolder, CefSettings& settings) {
    CefEnableHighDPISupport();
    offScreenRendering_ = true;
    const CefMainArgs args{::GetModuleHandleW(nullptr)};
    const CefRefPtr<ClientApp> application(new ClientApp());
    // A runtime sub-process has run to its end here.
    if (CefExecuteProcess(args, application, nullptr) >= 0) return false;

    FillSettings(appDataFolder, settings);
    const bool started = CefInitialize(args, settings, application, nullptr);
    if (offScreenRendering_) ParkRuntimeWindow();
    initialized_ = started;
    return started;
}

void CefManager::FillSettings(const std::wstring& appDataFolder, CefSettings& settings) {
    if (!IsDirectory(appDataFolder)) kbase::CreateDirectoryTree(appDataFolder.c_str());
    settings.no_sandbox = 1;
    settings.cache_path = appDataFolder + L"CefLocalStorage";
    settings.log_file = appDataFolder + L"cef.log";
    settings.single_process = 0;
    settings.multi_threaded_message_loop = 1;
    settings.windowless_rendering_enabled = offScreenRendering_ ? 1 : 0;
    settings.browser_subprocess_path = std::wstring(L".\\cef") + L"\\cef_helper.exe";
}

void CefManager::Shutdown() {
    if (!library_) return;
    CefShutdown();
    initialized_ = false;
}

void CefManager::ParkRuntimeWindow() {
    const HWND popup = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    CefPostClosure(TID_UI, [popup] {
        ::CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 0, 0, popup, nullptr, nullptr, nullptr);
        ::PostMessageW(popup, WM_CLOSE, 0, 0);
    });
}

void CefManager::QuitWhenBrowsersClosed(int exitCode) {
    kbase::ThreadRegistry* threads = kbase::ThreadRegistry::GetInstance();
    if (browserCount_ != 0) {
        threads->PostDelayedTask(0, [exitCode] { GetInstance().QuitWhenBrowsersClosed(exitCode); }, kQuitRetryDelay);
    } else {
        threads->PostTask(0, [exitCode] { ::PostQuitMessage(exitCode); });
    }
}

}  // namespace zel_comp
