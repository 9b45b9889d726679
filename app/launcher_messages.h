#pragma once

#include <windows.h>

// The window messages between the application core, the main window and the game's windows
// (w and l are the two message parameters).
enum LauncherMessage : UINT {
    kMsgTrayIcon = 2025,            // shell -> main window: tray icon notification
    kMsgShowLauncher = 2026,        // w 0 show; 1 show and update the game (l 1: enter it); 2 show and check the launcher
    kMsgHideToTray = 2027,          // close the settings window and hide the main window
    kMsgExitLauncher = 2028,        // stop the patch applier, close the main window
    kMsgHoverDone = 2125,
    kMsgStateChanged = 2126,        // refresh titles, game button, version label
    kMsgCheckProgress = 2127,       // l percent 0 to 100
    kMsgDownloadSpeed = 2128,       // w remaining seconds, l bytes per second
    kMsgDownloadProgress = 2129,    // w total bytes, l bytes done
    kMsgDownloadPaused = 2130,      // l 1 paused, 0 resumed
    kMsgLanguageReloaded = 2225,    // full refresh after the archive or the language changed
    kMsgRefreshContent = 2226,      // refresh posters, news and web view
    kMsgGameUpdateAvailable = 2325,
    kMsgPreDlcStatus = 2326,        // w page, l refresh code
    kMsgUiTick = 2425,              // every 500 ms from the UI thread
    kMsgWindowStackChanged = 3025,

    // With the game's windows.
    kMsgGameWindow = 2525,          // game -> main window: l the game window to register
    kMsgQueryPreDlcState = 2526,    // answered with kMsgPreDlcState
    kMsgPreDlcState = 2527,         // l 0 none, 1 available, 2 paused or busy, 3 downloading, 4 finished
    kMsgQueryPreDlcBytes = 2528,    // answered with kMsgPreDlcBytes
    kMsgPreDlcBytes = 2529,         // w total bytes, l bytes done
    kMsgQueryPreDlcSpeed = 2530,    // answered with kMsgPreDlcSpeed
    kMsgPreDlcSpeed = 2531,         // w remaining seconds, l bytes per second
    kMsgPing = 2532,                // ping and its answer
};

// The main window carries this property with its own handle as value; a second launcher and
// the game find it by it. It is also the name of the single-instance semaphore.
inline constexpr wchar_t kLauncherWindowProperty[] = L"_TVN_LAUNCHER_TW";
// Each game window carries this property with its own handle as value.
inline constexpr wchar_t kGameWindowProperty[] = L"_TVN_GAME_TW";
// The game's window class, used when no window carries the property.
inline constexpr wchar_t kGameWindowClass[] = L"UnityWndClass";
// The game's single-instance mutex.
inline constexpr wchar_t kGameInstanceMutex[] = L"_Koru_Instance_";
// The game executable in the game folder.
inline constexpr wchar_t kGameExecutableName[] = L"KORU.exe";
