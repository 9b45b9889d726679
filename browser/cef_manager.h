#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace zel_comp {

// The browser runtime's settings record as the runtime reads it: its size first, the rest
// zero-filled unless set.
struct CefSettings {
    std::size_t size = sizeof(CefSettings);
    unsigned char fields[336 - sizeof(std::size_t)] = {};
};
static_assert(sizeof(CefSettings) == 336);

// Starts and ends the embedded browser runtime. The runtime library (zel_libcef.dll in the
// cef folder beside the executable) is loaded at run time: without it the launcher runs and
// shows no web pages.
class CefManager {
public:
    static CefManager* GetInstance();

    CefManager(const CefManager&) = delete;
    CefManager& operator=(const CefManager&) = delete;

    // When the folder "cef" stands beside the executable: PATH := that folder + ";" + the
    // previous PATH (kept whole however long it is), ComSpec := its dummy_cmd.exe, and true.
    // Otherwise nothing changes and the result is false.
    static bool PrependCefFolderToPath();

    // Loads the runtime and initialises it with settings; false when the library or its entry
    // points are missing or it refuses. The result is also kept in initialized(). The cache
    // folder goes into the settings' folder fields, which the browser component lays out.
    bool Initialize(const std::wstring& cacheFolder, CefSettings& settings);
    // Ends the runtime after the UI thread has ended; nothing when it was not initialised.
    void Shutdown();

    bool initialized() const { return initialized_; }

private:
    CefManager() = default;
    ~CefManager();

    HMODULE library_ = nullptr;
    bool initialized_ = false;
};

}  // namespace zel_comp
