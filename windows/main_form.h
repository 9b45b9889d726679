#pragma once

#include <windows.h>

#include <string>

#include "ui/window.h"

// The launcher's main window ("Launcher"), for now a framework window without a skin that
// carries a game button. It registers with the launcher context, answers the messages of the
// core and of the game, applies a pending language change when the framework's window list
// changes, and ends the UI loop when it is destroyed. It owns itself once created.
class MainForm : public ui::Window {
public:
    static constexpr int kGameButtonId = 1001;

    // Creates, centres and shows the window.
    static bool CreateAndShow();

    std::wstring GetWindowClassName() const override { return L"Launcher"; }
    LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override;
    void OnFinalMessage(HWND hwnd) override;

private:
    MainForm() = default;

    void OnCreate();
    // Messages of the launcher's table; false for any other message.
    bool HandleLauncherMessage(UINT message, WPARAM w, LPARAM l);
    // Posts the language switch when the settings asked for another language.
    void ApplyPendingLanguage();
    void OnShow(WPARAM w, LPARAM l);
    void OnClose();
    void OnGameButton();

    bool ownsItself_ = false;
};
