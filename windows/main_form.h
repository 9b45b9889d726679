#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/button.h"
#include "ui/label.h"
#include "ui/window_impl_base.h"
#include "windows/game_button_rule.h"
#include "windows/poster_ticker.h"
#include "windows/tray_icon.h"

namespace zel_comp {
class CefControlBase;
}  // namespace zel_comp

namespace ui {
class Box;
class HBox;
class ListBox;
class TabBox;
struct EventArgs;
}  // namespace ui

// The launcher's main window ("Launcher", skin "main"): the title bar, the poster area with the
// headline and the community links, and the game band with the game-area pages, the
// pre-download pages and the game button. It is the one receiver of the worker's messages and
// the peer of the game's windows; closing it hides it to the tray or ends the launcher.
//
// The source is split by concern:
//   main_form.cpp           creation, the skin's controls, the message switch, the end
//   main_form_close.cpp     showing, hiding, the close flow and its questions
//   main_form_game.cpp      the game button: its rule, its click, its pause look
//   main_form_progress.cpp  progress of checks and downloads, pre-download pages, the game's queries
//   main_form_content.cpp   titles, community links, the activity web view
//   main_form_posters.cpp   the poster carousel
//   main_form_news.cpp      the news tabs
//   main_form_settings.cpp  opening the settings window and refreshing it
class MainForm : public ui::WindowImplBase {
public:
    // Creates, centres and shows the window; the window owns itself.
    static bool CreateAndShow();

    std::wstring GetWindowClassName() const override { return L"Launcher"; }
    std::wstring GetSkinFolder() override { return L"main"; }
    std::wstring GetSkinFile() override { return L"skin.xml"; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void InitWindow() override;
    ui::Control* CreateControl(const std::wstring& className) override;
    LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) override;
    LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) override;

    // The close button and the system's close: hides or exits, asking first when needed.
    void RequestClose();
    void CloseOrHide();

    void UpdateGameButton();
    bool OnGameButton(ui::EventArgs* args);

    void UpdateTitles();
    void RebuildJumpLinks();
    // Loads the activity page into the web view, once its address is known.
    void LoadWebViewUrl();
    // A page of the web view asked for a new window: it opens in the system's browser, and
    // only for http and https. Always false: the view itself opens nothing.
    bool OnWebViewPopup(const std::string& url);

private:
    // The messages of the launcher's table; false for any other message.
    bool HandleLauncherMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void ShowLauncher(WPARAM wParam, LPARAM lParam);
    void HideToTray();
    void ExitLauncher();
    void ApplyPendingLanguage();

    void BindTitles();
    void InitPosters();
    void ClearPosters();
    void RebuildPosters();
    void ShowPoster(int index, bool animate);
    void AdvancePoster();
    // A user's move to a poster: shown, and the automatic advance held back for a while.
    void MoveToPoster(int index);
    bool OnDotEvent(ui::EventArgs* args);
    void InitNewsTabs();
    void ClearNewsTabs();
    void RebuildNewsTabs();
    void SelectNewsTab(int index);
    bool OnNewsTabEvent(ui::EventArgs* args);

    void InitWebView();
    // The first page that finished loading shows the view, which stays shown.
    void OnWebViewLoadEnd();
    bool OnJumpLink(ui::EventArgs* args);

    // The title bar's settings button (every click of the window passes here) opens the
    // settings window; state changes refresh its pages.
    void InitSettingsButton();
    bool OnWindowEvent(ui::EventArgs* args);
    void RefreshSettingsPages();

    void InitGameArea();
    void InitPreDlcArea();
    void SetGameButtonText(const std::wstring& textId, bool keepLiteralText);
    void StartAutomatically(AutoStart start);
    void ShowPauseOnGameButton(bool paused);
    void ShowPreDlcPage(WPARAM page, LPARAM code);
    // The worker's figures go to the page that shows them: the pre-download's download page
    // while the pre-download downloads, else the current game-area page.
    bool PreDownloadDownloads() const;
    void UpdateCheckProgress(WPARAM counter, LPARAM percent);
    void ShowDownloadSpeed(WPARAM secondsLeft, LPARAM bytesPerSecond);
    void ShowDownloadBytes(WPARAM total, LPARAM done);
    void OnDownloadPaused(LPARAM lParam);
    void OnUiTick();
    void RefreshPreDlcTexts();
    void RegisterGameWindow(HWND window);
    void AnswerPreDlcQuery(UINT message);

    ui::Button* closeButton_ = nullptr;
    ui::Label* titleLabel_ = nullptr;
    ui::Label* versionLabel_ = nullptr;
    ui::Label* mainTitleLabel_ = nullptr;
    ui::Label* subTitleLabel_ = nullptr;
    ui::ListBox* posterList_ = nullptr;
    ui::ListBox* dotList_ = nullptr;
    int currentPoster_ = -1;
    std::shared_ptr<PosterHold> posterHold_ = std::make_shared<PosterHold>();  // shared with the worker's tick
    ui::Button* scrollLeftButton_ = nullptr;
    ui::Button* scrollRightButton_ = nullptr;
    ui::ListBox* newsTabList_ = nullptr;
    ui::TabBox* newsPages_ = nullptr;
    ui::TabBox* assetTabs_ = nullptr;
    ui::Button* gameButton_ = nullptr;
    PausedTextMemory pausedText_;
    ui::Box* posterFrame_ = nullptr;
    ui::TabBox* preDlcTabs_ = nullptr;
    ui::HBox* jumpLinks_ = nullptr;
    zel_comp::CefControlBase* webView_ = nullptr;
    zel_comp::CefControlBase* webViewDebug_ = nullptr;
    // From the end of InitWindow until OnClose.
    std::unique_ptr<TrayIcon> trayIcon_;
};
