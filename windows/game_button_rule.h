#pragma once

#include <string>

// What the game button shows and offers, decided from values the worker publishes and from
// the game folder; no window is involved, so the rule is checked without a display.

inline constexpr wchar_t kGetGameText[] = L"STRING_GET_GAME";
inline constexpr wchar_t kContinueDownloadText[] = L"STRING_DOWNLOAD_CONTINUE";
inline constexpr wchar_t kUpdateGameText[] = L"STRING_UPDATE_GAME";
inline constexpr wchar_t kStartGameText[] = L"STRING_START_GAME";
inline constexpr wchar_t kPausedText[] = L"STRING_DLC_PAUSED";

// The game-area pages, by their index in the tab box.
enum GameAreaPage : int {
    kGameAreaNone = 0,
    kGameAreaSetup = 1,
    kGameAreaDownload = 2,
    kGameAreaCheck = 3,
};

struct GameButtonInputs {
    int stateType = 0;  // 0: no current state
    int stateMode = 0;
    bool downloadsPaused = false;
    bool gameExecutableExists = false;
    bool pendingVersionMap = false;  // an interrupted download left its map
    bool updateAvailable = false;
    bool autoUpdate = false;
    bool updateErrorShown = false;
    bool messageBoxOpen = false;
    bool messageBoxShown = false;
    bool gameRunning = false;
};

enum class AutoStart { kNone, kContinueDownload, kUpdate };

struct GameButtonLook {
    std::wstring textId;  // empty: the text stays as it is
    bool keepLiteralText = false;
    bool enabled = false;
    int page = kGameAreaNone;
    AutoStart autoStart = AutoStart::kNone;
};

GameButtonLook DecideGameButton(const GameButtonInputs& in);

// The text id a pause hides and a resume brings back. A second pause keeps the id from before
// the first, and a resume without a recorded pause leaves the button's text as it is.
class PausedTextMemory {
public:
    // The id to show while paused; current is what the button shows now.
    std::wstring Pause(const std::wstring& current);
    // The id to show again: the recorded one (then forgotten), or current when none was recorded.
    std::wstring Resume(const std::wstring& current);

private:
    std::wstring saved_;
};
