#pragma once

#include <windows.h>

#include <string>

#include "base/unique_handle.h"
#include "base/weak_callback.h"
#include "browser/cef_message_loop_dispatcher.h"
#include "browser/runtime/cef_types.h"

namespace zel_comp {

// The process-wide owner of the browser runtime's state. The entry point starts the runtime
// before any window exists and shuts it down after the UI loop; the browser handlers count the
// live browsers here, and the main window's close waits for them to close. UI thread only,
// apart from the static operations, which the entry point calls before any thread starts.
class CefManager : public kbase::SupportWeakCallback {
public:
    static CefManager& GetInstance();

    CefManager(const CefManager&) = delete;
    CefManager& operator=(const CefManager&) = delete;

    // When the folder "cef" stands beside the executable: PATH := that folder + ";" + the
    // previous PATH (kept whole however long it is), ComSpec := its dummy_cmd.exe, and true.
    // Otherwise nothing changes and the result is false.
    static bool PrependCefFolderToPath();
    // Loads zel_libcef.dll (found through the PATH set above) and keeps it loaded; false when
    // it cannot be loaded, and the launcher then runs without the browser: every later call
    // into the runtime would end the process.
    bool LoadRuntimeLibrary();

    // Starts the runtime with the launcher's settings, the cache and log under appDataFolder
    // (which ends with a backslash); true when it started in this, the browser, process. A
    // runtime sub-process runs to its end inside and gets false.
    bool Initialize(const std::wstring& appDataFolder, CefSettings& settings);
    void FillSettings(const std::wstring& appDataFolder, CefSettings& settings);
    // Ends the runtime after the UI loop (also after a failed start); nothing when the runtime
    // library was not loaded.
    void Shutdown();

    bool IsInitialized() const { return initialized_; }
    bool IsOffScreenRendering() const { return offScreenRendering_; }
    int GetBrowserCount() const { return browserCount_; }
    void IncrementBrowserCount() { ++browserCount_; }
    void DecrementBrowserCount() { --browserCount_; }
    // Ends thread 0's loop with exitCode once no browser is left, checking every 500 ms.
    void QuitWhenBrowsersClosed(int exitCode);

private:
    struct LibraryTraits {
        using Raw = HMODULE;
        static Raw Invalid() { return nullptr; }
        static void Close(Raw library) { ::FreeLibrary(library); }
    };

    CefManager() = default;
    ~CefManager() override = default;

    // Parks a window on the runtime's UI thread under a hidden popup of this thread, which
    // closes itself once the child exists.
    static void ParkRuntimeWindow();

    CefMessageLoopDispatcher dispatcher_;
    int browserCount_ = 0;
    bool offScreenRendering_ = true;
    bool initialized_ = false;
    kbase::UniqueHandle<LibraryTraits> library_;
};

}  // namespace zel_comp
