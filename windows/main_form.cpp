#include "windows/main_form.h"

#include <memory>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "browser/cef_manager.h"
#include "ui/box.h"
#include "ui/button.h"
#include "ui/hbox.h"
#include "ui/label.h"
#include "ui/tab_box.h"
#include "windows/plain_window.h"
#include "windows/tab_asset.h"
#include "windows/tab_predlc.h"
#include "windows/web_view.h"

namespace {

constexpr int kAppIconId = 107;

// A control of the skin by name, null when it is missing or of another type.
template <typename T>
T* Find(const ui::Window& window, const wchar_t* name) {
    return dynamic_cast<T*>(window.FindControl(std::wstring(name)));
}

void SetIcons(HWND window) {
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    const auto load = [module](int cx, int cy) {
        return ::LoadImageW(module, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON, cx, cy, LR_SHARED);
    };
    if (HANDLE big = load(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON))) {
        ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (HANDLE small = load(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON))) {
        ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

}  // namespace

bool MainForm::CreateAndShow() {
    // From here the window owns the object; a creation that fails after WM_NCCREATE has
    // deleted it, one that fails before has not.
    MainForm* form = std::make_unique<MainForm>().release();
    const std::weak_ptr<kbase::WeakFlag> alive = form->ObtainWeakFlag();
    if (!form->Create(nullptr, L"Launcher", kLauncherWindowStyle, 0, false)) {
        if (!alive.expired()) std::unique_ptr<MainForm>{form};
        return false;
    }
    form->CenterWindow();
    form->ShowWindow(true, true);
    return true;
}

void MainForm::InitWindow() {
    SetIcons(GetHWND());
    InitSettingsButton();
    closeButton_ = Find<ui::Button>(*this, L"btn_close");
    if (closeButton_) {
        closeButton_->EventMapAt(ui::kEventClick).push_back(MakeWeakCallback([this](ui::EventArgs* args) {
            if (args->sender && args->sender->GetName() == L"btn_close") RequestClose();
            return true;
        }));
    }
    BindTitles();
    InitPosters();
    InitNewsTabs();
    InitGameArea();
    InitPreDlcArea();
    posterFrame_ = Find<ui::Box>(*this, L"poster_frame");
    InitWebView();
    jumpLinks_ = Find<ui::HBox>(*this, L"jump_links");
    RebuildJumpLinks();
    LauncherContext::Instance()->SetMainWindow(GetHWND());
    trayIcon_ = std::make_unique<TrayIcon>(GetHWND());
}

ui::Control* MainForm::CreateControl(const std::wstring& className) {
    if (className == L"CefControl") return CreateWebViewControl().release();
    return nullptr;
}

LRESULT MainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandleLauncherMessage(message, wParam, lParam)) return 0;
    return WindowImplBase::HandleMessage(message, wParam, lParam);
}

bool MainForm::HandleLauncherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LauncherContext* context = LauncherContext::Instance();
    switch (message) {
        case WM_COPYDATA:
            // Another process's balloon request; anything but the whole block is ignored.
            if (trayIcon_) trayIcon_->ShowBalloon(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            return true;
        case WM_COMMAND:
            // The tray menu's items carry the message they stand for.
            if (!trayIcon_ || !trayIcon_->IsMenuItem(LOWORD(wParam))) return false;
            ::SendMessageW(GetHWND(), LOWORD(wParam), 0, 0);
            return true;
        case kMsgTrayIcon:
            if (trayIcon_) trayIcon_->OnNotification(lParam);
            return true;
        case kMsgShowLauncher:
            ShowLauncher(wParam, lParam);
            return true;
        case kMsgHideToTray:
            HideToTray();
            return true;
        case kMsgExitLauncher:
            ExitLauncher();
            return true;
        case kMsgStateChanged:
            UpdateTitles();
            UpdateGameButton();
            RefreshSettingsPages();
            return true;
        case kMsgCheckProgress:
            UpdateCheckProgress(wParam, lParam);
            return true;
        case kMsgDownloadSpeed:
            ShowDownloadSpeed(wParam, lParam);
            return true;
        case kMsgDownloadProgress:
            ShowDownloadBytes(wParam, lParam);
            return true;
        case kMsgDownloadPaused:
            OnDownloadPaused(lParam);
            return true;
        case kMsgLanguageReloaded:
            UpdateTitles();
            RebuildPosters();
            RebuildNewsTabs();
            LoadWebViewUrl();
            UpdateGameButton();
            RefreshPreDlcTexts();
            RebuildJumpLinks();
            return true;
        case kMsgRefreshContent:
            RebuildPosters();
            RebuildNewsTabs();
            LoadWebViewUrl();
            return true;
        case kMsgGameUpdateAvailable:
            UpdateGameButton();
            return true;
        case kMsgPreDlcStatus:
            ShowPreDlcPage(wParam, lParam);
            return true;
        case kMsgUiTick:
            OnUiTick();
            return true;
        case kMsgGameWindow:
            RegisterGameWindow(reinterpret_cast<HWND>(lParam));
            return true;
        case kMsgQueryPreDlcState:
        case kMsgQueryPreDlcBytes:
        case kMsgQueryPreDlcSpeed:
            AnswerPreDlcQuery(message);
            return true;
        case kMsgPing:
            context->SendToGameWindows(kMsgPing, 0, 0);
            return true;
        case kMsgWindowStackChanged:
            ApplyPendingLanguage();
            return true;
        default:
            return false;
    }
}

LRESULT MainForm::OnClose(UINT, WPARAM, LPARAM, BOOL& handled) {
    closeButton_ = nullptr;
    titleLabel_ = versionLabel_ = mainTitleLabel_ = subTitleLabel_ = nullptr;
    ClearPosters();
    posterList_ = dotList_ = nullptr;
    scrollLeftButton_ = scrollRightButton_ = nullptr;
    ClearNewsTabs();
    newsTabList_ = nullptr;
    newsPages_ = nullptr;
    MainComponents::RemoveAssetPages(assetTabs_);
    MainComponents::RemovePreDlcPages(preDlcTabs_);
    assetTabs_ = preDlcTabs_ = nullptr;
    gameButton_ = nullptr;
    if (posterFrame_) {
        while (posterFrame_->GetCount() > 0) posterFrame_->RemoveAt(0);
        posterFrame_ = nullptr;
    }
    // The web views went with the poster area.
    zel_comp::CefManager::GetInstance().QuitWhenBrowsersClosed(0);
    webView_ = webViewDebug_ = nullptr;
    if (jumpLinks_) jumpLinks_->RemoveAll();
    jumpLinks_ = nullptr;
    trayIcon_.reset();  // nothing of the launcher stays in the notification area
    // No worker message reaches the window from here on.
    LauncherContext::Instance()->SetMainWindow(nullptr);
    ::PostQuitMessage(0);
    handled = FALSE;  // the default handling destroys the window
    return 0;
}

LRESULT MainForm::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        RequestClose();
        return 0;
    }
    return WindowImplBase::OnSysCommand(message, wParam, lParam, handled);
}
