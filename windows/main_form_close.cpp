// Showing and hiding the main window, the close flow with its two questions, the end of the
// launcher, and the language switch that waits for the settings window to go.
#include <string>
#include <vector>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/thread_ids.h"
#include "base/string_conversions.h"
#include "base/thread_registry.h"
#include "ui/button.h"
#include "update/patch_applier.h"
#include "windows/main_form.h"

namespace {
constexpr wchar_t kSettingsWindowClass[] = L"SettingForm";
constexpr int kExitOption = 1;
}  // namespace

void MainForm::ShowLauncher(WPARAM wParam, LPARAM lParam) {
    ::ShowWindow(GetHWND(), ::IsIconic(GetHWND()) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(GetHWND());
    if (closeButton_) {
        // The pointer left it for the tray while it was hot: it comes back plain.
        closeButton_->SetHotAlpha(0);
        closeButton_->SetState(ui::kControlStateNormal);
        closeButton_->Invalidate();
    }
    LauncherContext* context = LauncherContext::Instance();
    if (context->IsUpdateInProgress()) return;
    if (wParam == 1) context->StartGameUpdate(lParam == 1, false);
    if (wParam == 2) context->StartLauncherUpdate();
}

void MainForm::HideToTray() {
    if (HWND settings = ::FindWindowW(kSettingsWindowClass, nullptr)) {
        ::SendMessageW(settings, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    ::ShowWindow(GetHWND(), SW_HIDE);
}

void MainForm::ExitLauncher() {
    PatchCancelFlag = true;  // a streaming patch stops at its next piece
    Close(0);
}

void MainForm::RequestClose() {
    LauncherContext* context = LauncherContext::Instance();
    if (context->settings.Get().closeToHide) {
        CloseOrHide();
        return;
    }
    if (context->IsUpdateInProgress() || context->preDownloadActive) {
        auto close = MakeWeakCallback([this](int answer) {
            if (answer != 0) CloseOrHide();
        });
        // The buttons exchange their looks: staying is the primary choice.
        context->ShowMessageBox(GetHWND(), L"STRING_NOTICE", L"STRING_CLOSE_CONFIRM_FOR_DOWNLOAD", L"STRING_CANCEL",
                                L"STRING_CONFIRM", close, true);
        return;
    }
    CloseOrHide();
}

void MainForm::CloseOrHide() {
    LauncherContext* context = LauncherContext::Instance();
    if (!context->firstRun || !context->askCloseBehaviour) {
        ::SendMessageW(GetHWND(), context->settings.Get().closeToHide ? kMsgHideToTray : kMsgExitLauncher, 0, 0);
        return;
    }
    context->askCloseBehaviour = false;  // asked once per run at most
    auto answer = MakeWeakCallback([this](int index) {
        LauncherContext* context = LauncherContext::Instance();
        LauncherSettings settings = context->settings.Get();
        settings.closeToHide = index != kExitOption;
        context->settings.Set(settings);
        context->SaveSettings();
        context->SendToMainWindow(kMsgStateChanged, 0, 0);
        ::SendMessageW(GetHWND(), index == kExitOption ? kMsgExitLauncher : kMsgHideToTray, 0, 0);
    });
    context->ShowOptionsBox(GetHWND(), L"", L"STRING_SHUT_OPTION_NOTICE",
                            {L"STRING_SHUT_OPTION_TRAYICON", L"STRING_SHUT_OPTION_EXIT"}, L"shutdown_options",
                            L"STRING_CONFIRM", answer);
}

void MainForm::ApplyPendingLanguage() {
    LauncherContext* context = LauncherContext::Instance();
    if (!context->languageChanged.exchange(false)) return;
    std::wstring code;
    kbase::CodePageToWide(context->settings.Get().language, code, CP_ACP);
    kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId, [code, context] { ReloadLanguageTask(code, context); });
}
