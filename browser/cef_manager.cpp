#include "browser/cef_manager.h"

#include <vector>

#include "base/path_util.h"

namespace zel_comp {
namespace {

// The entry points of the runtime's C interface that start and end it.
struct MainArgs {
    HINSTANCE instance;
};
using ExecuteProcessFunction = int(__cdecl*)(const MainArgs*, void* app, void* sandbox);
using InitializeFunction = int(__cdecl*)(const MainArgs*, const CefSettings*, void* app, void* sandbox);
using ShutdownFunction = void(__cdecl*)();

// The variable's whole value; empty when it is not set.
std::wstring ReadEnvironment(const wchar_t* name) {
    const DWORD needed = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) return std::wstring();
    std::vector<wchar_t> buffer(needed);
    const DWORD written = ::GetEnvironmentVariableW(name, buffer.data(), needed);
    return written < needed ? std::wstring(buffer.data(), written) : std::wstring();
}

template <class Function>
Function Lookup(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

}  // namespace

CefManager* CefManager::GetInstance() {
    static CefManager manager;
    return &manager;
}

CefManager::~CefManager() {
    if (library_) ::FreeLibrary(library_);
}

bool CefManager::PrependCefFolderToPath() {
    const std::wstring folder = kbase::GetOwnModuleDirectory() + L"cef";
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const std::wstring path = folder + L";" + ReadEnvironment(L"PATH");
    ::SetEnvironmentVariableW(L"PATH", path.c_str());
    ::SetEnvironmentVariableW(L"ComSpec", (folder + L"\\dummy_cmd.exe").c_str());
    return true;
}

bool CefManager::Initialize(const std::wstring&, CefSettings& settings) {
    initialized_ = false;
    if (!library_) library_ = ::LoadLibraryW(L"zel_libcef.dll");
    if (!library_) return false;
    const auto execute = Lookup<ExecuteProcessFunction>(library_, "cef_execute_process");
    const auto initialize = Lookup<InitializeFunction>(library_, "cef_initialize");
    if (!execute || !initialize || !Lookup<ShutdownFunction>(library_, "cef_shutdown")) return false;
    const MainArgs args{::GetModuleHandleW(nullptr)};
    // A runtime sub-process ends here; the launcher itself goes on.
    if (execute(&args, nullptr, nullptr) >= 0) return false;
    initialized_ = initialize(&args, &settings, nullptr, nullptr) != 0;
    return initialized_;
}

void CefManager::Shutdown() {
    if (!initialized_) return;
    if (const auto shutdown = Lookup<ShutdownFunction>(library_, "cef_shutdown")) shutdown();
    initialized_ = false;
}

}  // namespace zel_comp
