#pragma once

#include <string>

// What the application core asks of the update engine's self-update part, which sits above
// it: the embedded fonts, and the temporary copy of the launcher that installs what a running
// launcher cannot replace. The entry point registers the implementation before the threads
// start; until then GetSelfUpdateService() is null and the callers skip their call.
// The command that starts the launcher again: its executable in the working folder.
inline constexpr wchar_t kLauncherRestartCommand[] = L".\\launcher.exe";

class SelfUpdateService {
public:
    virtual ~SelfUpdateService() = default;

    // UI thread, at start-up after the endpoint file is read: the fonts in place and
    // registered, the UI's default faces and text anti-aliasing set from them.
    virtual void InstallFonts() = 0;
    // UI thread, at the exit when font files wait in update\: takes the fonts out of the
    // system first, so that the copy can replace them.
    virtual void UninstallFonts() = 0;
    // Starts the copy that installs what waits in update\, then starts restartCommand when it
    // is not empty; exeReplaced: a new launcher.exe waits too. At most one copy per process.
    virtual void StartSelfReplace(const std::wstring& restartCommand, bool exeReplaced) = 0;
};

void SetSelfUpdateService(SelfUpdateService* service);
SelfUpdateService* GetSelfUpdateService();
