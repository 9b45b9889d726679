#include "ui/on_screen_keyboard_manager.h"

#include <shellapi.h>

#include <vector>

#include "ui/com_ptr.h"
#include "ui/dpi_manager.h"
#include "ui/platform_abi.h"
#include "ui/timer_manager.h"

namespace ui {
namespace {

constexpr wchar_t kKeyboardWindowClass[] = L"IPTip_Main_Window";
constexpr wchar_t kTabTipUnderCommonFiles[] = L"\\microsoft shared\\ink\\TabTip.exe";
// The fallback as the platform's documentation spells it, doubled backslash included.
constexpr wchar_t kDefaultTabTipPath[] = L"C:\\\\Program Files\\Common Files\\microsoft shared\\ink\\TabTip.exe";
constexpr int kApplyDelayMs = 10;
constexpr DWORD kKeyboardClassContext = CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

std::wstring EnvironmentVariable(const wchar_t* name) {
    const DWORD needed = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) return std::wstring();
    std::vector<wchar_t> buffer(needed, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(name, buffer.data(), needed);
    return length < needed ? std::wstring(buffer.data(), length) : std::wstring();
}

}  // namespace

OnScreenKeyboardManager* OnScreenKeyboardManager::GetInstance() {
    static OnScreenKeyboardManager instance;
    return &instance;
}

void OnScreenKeyboardManager::ShowOSK(bool show) {
    static const bool windows8 = IsWindowsVersionAtLeast(2);
    if (!windows8) return;
    show_ = show;
    TimerManager::GetInstance()->AddCancelableTimer(
        ObtainWeakFlag(), MakeWeakCallback([this] { ApplyKeyboardState(); }), kApplyDelayMs, 1);
}

bool OnScreenKeyboardManager::IsKeyboardShown() {
    const HWND keyboard = ::FindWindowW(kKeyboardWindowClass, nullptr);
    if (!keyboard) return false;
    const LONG style = ::GetWindowLongW(keyboard, GWL_STYLE);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

void OnScreenKeyboardManager::ApplyKeyboardState() {
    const bool shown = IsKeyboardShown();
    if (shown == show_) return;
    if (show_) {
        ComPtr<ITipInvocation> invocation;
        if (SUCCEEDED(::CoCreateInstance(kClsidTouchKeyboardHost, nullptr, kKeyboardClassContext, kIidTipInvocation,
                                         invocation.Receive()))) {
            invocation->Toggle(::GetDesktopWindow());
        } else {
            LaunchTabTip();
        }
        return;
    }
    if (const HWND keyboard = ::FindWindowW(kKeyboardWindowClass, nullptr)) {
        ::PostMessageW(keyboard, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

std::wstring OnScreenKeyboardManager::TabTipPath(const std::wstring& commonFiles) {
    return commonFiles.empty() ? std::wstring(kDefaultTabTipPath) : commonFiles + kTabTipUnderCommonFiles;
}

void OnScreenKeyboardManager::LaunchTabTip() {
    const std::wstring path = TabTipPath(EnvironmentVariable(L"CommonProgramW6432"));
    ::ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
}

}  // namespace ui
