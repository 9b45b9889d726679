#include "windows/main_form.h"

#include <memory>
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
constexpr wchar_t kWindowName[] = L"Launcher";
constexpr int kWidth = 960;
constexpr int kHeight = 600;
}  // namespace

bool MainForm::CreateAndShow() {
    std::unique_ptr<MainForm> form(new MainForm);
    const HWND hwnd = form->Create(nullptr, kWindowName, kLauncherWindowStyle, 0, false, RECT{0, 0, kWidth, kHeight});
    if (!hwnd) return false;
    MainForm* window = form.release();  // its final message deletes it
    window->ownsItself_ = true;
    // Without a skin to draw one, the window keeps the system's caption that creation removed.
    ::SetWindowLongW(hwnd, GWL_STYLE, ::GetWindowLongW(hwnd, GWL_STYLE) | WS_CAPTION);
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    window->CenterWindow();
    window->ShowWindow(true, true);
    return true;
}

LRESULT MainForm::HandleMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            if (LOWORD(w) == kGameButtonId && HIWORD(w) == BN_CLICKED) OnGameButton();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            LauncherContext::Instance()->SetMainWindow(nullptr);
            ::PostQuitMessage(0);
            return 0;
        default:
            if (HandleLauncherMessage(message, w, l)) return 0;
            return ui::Window::HandleMessage(message, w, l);
    }
}

void MainForm::OnFinalMessage(HWND hwnd) {
    ui::Window::OnFinalMessage(hwnd);
    if (!ownsItself_) return;
    const std::unique_ptr<MainForm> self(this);  // the object ends with its window
}

void MainForm::OnCreate() {
    CreateChild(GetHWND(), L"BUTTON", BS_PUSHBUTTON, kGameButtonId, L"Start game", kWidth - 220, kHeight - 120, 180,
                48);
    LauncherContext::Instance()->SetMainWindow(GetHWND());
    Init(GetHWND());  // joins the framework's window list
}

bool MainForm::HandleLauncherMessage(UINT message, WPARAM w, LPARAM l) {
    LauncherContext* context = LauncherContext::Instance();
    switch (message) {
        case kMsgShowLauncher:
            OnShow(w, l);
            return true;
        case kMsgHideToTray:
            ::ShowWindow(GetHWND(), SW_HIDE);
            return true;
        case kMsgExitLauncher:
            PatchCancelFlag = true;  // a streaming patch stops at its next piece
            ::DestroyWindow(GetHWND());
            return true;
        case kMsgWindowStackChanged:
            ApplyPendingLanguage();
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

void MainForm::ApplyPendingLanguage() {
    LauncherContext* context = LauncherContext::Instance();
    if (!context->languageChanged.exchange(false)) return;
    std::wstring code;
    kbase::CodePageToWide(context->settings.Get().language, code, CP_ACP);
    kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId, [code, context] { ReloadLanguageTask(code, context); });
}

void MainForm::OnShow(WPARAM w, LPARAM l) {
    ::ShowWindow(GetHWND(), ::IsIconic(GetHWND()) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(GetHWND());
    LauncherContext* context = LauncherContext::Instance();
    if (context->IsUpdateInProgress()) return;
    if (w == 1) context->StartGameUpdate(l == 1, false);
    if (w == 2) context->StartLauncherUpdate();
}

void MainForm::OnClose() {
    LauncherContext* context = LauncherContext::Instance();
    context->askCloseBehaviour = false;
    ::SendMessageW(GetHWND(), context->settings.Get().closeToHide ? kMsgHideToTray : kMsgExitLauncher, 0, 0);
}

void MainForm::OnGameButton() {
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
    ::SendMessageW(GetHWND(), kMsgHideToTray, 0, 0);
}
