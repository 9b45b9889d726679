// The executable's entry point and composition root: it joins the application core to the
// UI framework, the launcher windows, the browser runtime and the update engine above it.
#include <windows.h>

#include <ole2.h>

#include "app/command_line.h"
#include "app/launcher_context.h"
#include "app/main_thread.h"
#include "app/self_update_seam.h"
#include "app/single_instance.h"
#include "base/message_loop.h"
#include "base/path_util.h"
#include "browser/cef_manager.h"
#include "download/download_manager_service.h"
#include "update/self_replace.h"
#include "update/self_update_service.h"
#include "update/state_factory.h"
#include "update/version_map_writers.h"
#include "windows/launcher_ui.h"

namespace {

// The verbs that do their work and end the process; true when one did.
bool RunToolVerb(const CommandLine& commandLine) {
    const std::vector<std::wstring>& values = commandLine.values;
    switch (commandLine.verb) {
        case CommandLine::Verb::kReplace:
            RunReplaceStep(values[0], values[1], values[2]);
            return true;
        case CommandLine::Verb::kMakeVersion:
            MakeLauncherVersionMap(values[0]);
            return true;
        case CommandLine::Verb::kMakeDependenceVersion:
            MakeDependenceVersionMap(values[0]);
            return true;
        default:
            return false;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Every relative path of the launcher is relative to its own folder.
    ::SetCurrentDirectoryW(kbase::GetOwnModuleDirectory().c_str());

    const CommandLine commandLine = ParseCommandLine(SplitCommandLine(::GetCommandLineW()));
    if (RunToolVerb(commandLine)) return 0;
    StoreCommandLineValues(commandLine);

    const SingleInstance instance = AcquireSingleInstance();
    if (instance.alreadyRunning) {
        ActivateRunningLauncher(FindRunningLauncherWindow());
        return 0;
    }

    // A cef folder whose runtime cannot be loaded counts as none: every call into the runtime
    // would end the process.
    zel_comp::CefManager& browser = zel_comp::CefManager::GetInstance();
    const bool withBrowser = zel_comp::CefManager::PrependCefFolderToPath() && browser.LoadRuntimeLibrary();
    if (withBrowser) {
        ::OleInitialize(nullptr);
        CefSettings settings;
        browser.Initialize(kbase::GetOwnModuleDirectory() + L"cef_temp\\", settings);
    }

    LauncherContext::Instance()->SetUiServices(MakeLauncherUiServices());
    RegisterDownloadManager();
    static LauncherSelfUpdate selfUpdate(&ApplyInstalledFontsToUi);
    SetSelfUpdateService(&selfUpdate);
    LauncherContext::Instance()->SetStateFactory(MakeUpdateStateFactory());
    {
        MainThread mainThread;
        mainThread.RunOnCurrentThreadWithLoop(kbase::MessageLoop::kUILoop);
    }

    if (withBrowser) {
        browser.Shutdown();
        ::OleUninitialize();
    }
    return 0;
}
