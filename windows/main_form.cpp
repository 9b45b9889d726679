#include "windows/main_form.h"

#include <string>

#include "app/file_util.h"
#include "app/game_launcher.h"
#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/md5.h"
#include "app/thread_ids.h"
#include "base/string_conversions.h"
#include "base/thread_registry.h"
#include "update/patch_applier.h"
#include "windows/plain_window.h"

namespace {
constexpr wchar_t kClassName[] = L"Launcher";
constexpr int kWidth = 960;
constexpr int kHeight = 600;
}  // namespace

bool MainForm::CreateAndShow() {
    if (!RegisterPlainWindowClass(kClassName, &MainForm::WindowProc)) return false;
    HWND window = ::CreateWindowExW(0, kClassName, kClassName, kLauncherWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                    kWidth, kHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!window) return false;
    CenterWindow(window, nullptr);
    ::ShowWindow(window, SW_SHOW);
    ::SetFocus(window);
    return true;
}

LRESULT CALLBACK MainForm::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    LauncherContext* context = LauncherContext::Instance();
    switch (message) {
        case WM_CREATE:
            CreateChild(window, L"BUTTON", BS_PUSHBUTTON, kGameButtonId, L"Start game", kWidth - 220, kHeight - 120,
                        180, 48);
            context->SetMainWindow(window);
            return 0;
        case WM_COMMAND:
            if (LOWORD(w) == kGameButtonId && HIWORD(w) == BN_CLICKED) OnGameButton(window);
            return 0;
        case WM_CLOSE:
            OnClose(window);
            return 0;
        case WM_DESTROY:
            context->SetMainWindow(nullptr);
            ::PostQuitMessage(0);
            return 0;
        default:
            if (HandleLauncherMessage(window, message, w, l)) return 0;
            return ::DefWindowProcW(window, message, w, l);
    }
}

bool MainForm::HandleLauncherMessage(HWND window, UINT message, WPARAM w, LPARAM l) {
    LauncherContext* context = LauncherContext::Instance();
    switch (message) {
        case kMsgShowLauncher:
            OnShow(window, w, l);
            return true;
        case kMsgHideToTray:
            ::ShowWindow(window, SW_HIDE);
            return true;
        case kMsgExitLauncher:
            PatchCancelFlag = true;  // a streaming patch stops at its next piece
            ::DestroyWindow(window);
            return true;
        case kMsgWindowStackChanged:
            if (context->languageChanged.exchange(false)) {
                std::wstring code;
                kbase::CodePageToWide(context->settings.Get().language, code, CP_ACP);
                kbase::ThreadRegistry::GetInstance()->PostTask(
                    kUiThreadId, [code, context] { ReloadLanguageTask(code, context); });
            }
            return true;
        case kMsgGameWindow:
            context->gameWindows.Register(reinterpret_cast<HWND>(l));
            return true;
        case kMsgQueryPreDlcState:
            context->SendToGameWindows(kMsgPreDlcState, 0, 0);
            return true;
        case kMsgQueryPreDlcBytes:
            context->SendToGameWindows(kMsgPreDlcBytes, 0, 0);
            return true;
        case kMsgQueryPreDlcSpeed:
            context->SendToGameWindows(kMsgPreDlcSpeed, 0, 0);
            return true;
        case kMsgPing:
            context->SendToGameWindows(kMsgPing, 0, 0);
            return true;
        case kMsgHoverDone:
        case kMsgStateChanged:
        case kMsgCheckProgress:
        case kMsgDownloadSpeed:
        case kMsgDownloadProgress:
        case kMsgDownloadPaused:
        case kMsgLanguageReloaded:
        case kMsgRefreshContent:
        case kMsgGameUpdateAvailable:
        case kMsgPreDlcStatus:
        case kMsgUiTick:
            return true;  // this window shows no progress, pages or details yet
        default:
            return false;
    }
}

void MainForm::OnShow(HWND window, WPARAM w, LPARAM l) {
    ::ShowWindow(window, ::IsIconic(window) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(window);
    LauncherContext* context = LauncherContext::Instance();
    if (context->IsUpdateInProgress()) return;
    if (w == 1) context->StartGameUpdate(l == 1, false);
    if (w == 2) context->StartLauncherUpdate();
}

void MainForm::OnClose(HWND window) {
    LauncherContext* context = LauncherContext::Instance();
    context->askCloseBehaviour = false;
    ::SendMessageW(window, context->settings.Get().closeToHide ? kMsgHideToTray : kMsgExitLauncher, 0, 0);
}

void MainForm::OnGameButton(HWND window) {
    LauncherContext* context = LauncherContext::Instance();
    if (IsGameRunning()) {
        context->BringGameToFront();
        return;
    }
    if (!context->IsGameInstalled(L"")) {
        context->StartGameUpdate(true, false);
        return;
    }
    std::string md5;
    std::int64_t size = 0;
    const std::wstring map = NormalizePathW(context->settings.Get().gamePath, true) + L"version_map.txt";
    if (!Md5OfFile(map, md5, size)) md5.clear();
    context->StartGame(md5, 0);
    ::SendMessageW(window, kMsgHideToTray, 0, 0);
}
