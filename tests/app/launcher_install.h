#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/app/scratch_folder.h"

// launcher.exe copied into a fresh folder of its own, so that each test starts from a first
// run and leaves nothing behind.
class LauncherInstall {
public:
    LauncherInstall();

    const std::wstring& path() const { return folder_.path(); }
    std::wstring Child(const std::wstring& relative) const { return folder_.Child(relative); }
    std::wstring Launcher() const { return Child(L"launcher.exe"); }
    void WriteFile(const std::wstring& relative, std::string_view bytes) const { folder_.WriteFile(relative, bytes); }
    // Creates the folder (and those above it) below the install.
    void CreateFolder(const std::wstring& relative) const;
    // Copies the stand-in game KORU.exe into the folder below the install.
    void AddGame(const std::wstring& relativeFolder) const;

private:
    ScratchFolder folder_;
};

// Closes every window of the stand-in game still open when the scope ends, so that no game
// outlives its test.
class GameWindowsCloser {
public:
    ~GameWindowsCloser();
};

// The stand-in game's log (see tests/fake_game): where it goes and what it says. Setting the
// log also sets how long a game started from now on stays (KORU_TIMEOUT_MS).
void SetGameLog(const std::wstring& path, unsigned timeoutMs = 60000);
std::vector<std::wstring> ReadGameLog(const std::wstring& path);
// The first line starting with prefix, without the prefix; empty when there is none.
std::wstring FindGameLogLine(const std::wstring& path, const std::wstring& prefix);
bool GameLogHas(const std::wstring& path, const std::wstring& line);
