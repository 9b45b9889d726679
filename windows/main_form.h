#pragma once

#include <windows.h>

// The launcher's main window ("Launcher"), for now a plain window with a game button. It
// registers with the launcher context, answers the messages of the core and of the game, and
// ends the UI loop when it is destroyed.
class MainForm {
public:
    static constexpr int kGameButtonId = 1001;

    // Creates, centres and shows the window; the window owns itself.
    static bool CreateAndShow();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    // Messages of the launcher's table; false for any other message.
    static bool HandleLauncherMessage(HWND window, UINT message, WPARAM w, LPARAM l);
    static void OnShow(HWND window, WPARAM w, LPARAM l);
    static void OnClose(HWND window);
    static void OnGameButton(HWND window);
};
