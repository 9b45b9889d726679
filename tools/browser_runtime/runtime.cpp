#include "tools/browser_runtime/runtime.h"

#include <windows.h>
#include <shlobj.h>

#include <map>
#include <mutex>

#include "tools/browser_runtime/browser.h"
#include "tools/browser_runtime/command_line.h"
#include "tools/browser_runtime/helper_process.h"
#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/page_log.h"

namespace runtime {
namespace {

class SchemeRegistrar final : public RefCounted<CefSchemeRegistrar> {};

struct State {
    std::mutex lock;
    bool running = false;
    Options options;
    CefRefPtr<CefApp> application;
    CefRefPtr<CefBrowserProcessHandler> browserProcess;
    CefRefPtr<CefRenderProcessHandler> renderProcess;
    std::map<int, CefRefPtr<Browser>> browsers;
    std::vector<Extension> extensions;
    std::atomic<bool> stopping{false};
    std::atomic<int> nextId{1};
    TaskThread ui{"ui"};
    TaskThread io{"io"};
    TaskThread render{"render"};
};

State& TheState() {
    static State state;
    return state;
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH * 4];
    const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    return length > 0 && length < std::size(full) ? std::wstring(full, length) : path;
}

}  // namespace

bool Start(const CefMainArgs&, const CefSettings& settings, CefRefPtr<CefApp> application) {
    State& state = TheState();
    if (IsRunning()) {
        journal::Write("refused: the runtime runs already");
        return false;
    }
    journal::Open(FullPath(settings.log_file.empty() ? L"debug.log" : settings.log_file.ToWString()));
    journal::Write("settings: no_sandbox=" + std::to_string(settings.no_sandbox) +
                   " single_process=" + std::to_string(settings.single_process) +
                   " multi_threaded_message_loop=" + std::to_string(settings.multi_threaded_message_loop) +
                   " windowless_rendering_enabled=" + std::to_string(settings.windowless_rendering_enabled) +
                   " cache_path=" + settings.cache_path.ToString() + " log_file=" + settings.log_file.ToString() +
                   " browser_subprocess_path=" + settings.browser_subprocess_path.ToString());
    if (!settings.multi_threaded_message_loop || settings.single_process) {
        journal::Write("refused: the stand-in runs only with its own threads (multi_threaded_message_loop, no "
                       "single_process)");
        journal::Close();
        return false;
    }
    if (!settings.cache_path.empty()) {
        const std::wstring cache = FullPath(settings.cache_path.ToWString());
        const int made = ::SHCreateDirectoryExW(nullptr, cache.c_str(), nullptr);
        journal::Write("cache folder " + CefString(cache).ToString() +
                       (made == ERROR_SUCCESS ? " created" : made == ERROR_ALREADY_EXISTS ? " exists" : " not created"));
    }
    {
        std::lock_guard<std::mutex> hold(state.lock);
        state.options = Options{settings.user_agent.ToString(), settings.locale.ToString(),
                                settings.windowless_rendering_enabled != 0};
        state.application = application;
        state.stopping = false;
    }
    CefRefPtr<CommandLine> commandLine = CommandLine::FromText(::GetCommandLineW());
    if (application) {
        journal::Write("-> OnBeforeCommandLineProcessing(\"\")");
        application->OnBeforeCommandLineProcessing(CefString(), commandLine.get());
        journal::Write("switches: " + commandLine->DescribeSwitches());
        journal::Write("-> OnRegisterCustomSchemes");
        application->OnRegisterCustomSchemes(new SchemeRegistrar());
        journal::Write("-> GetBrowserProcessHandler, GetRenderProcessHandler");
        CefRefPtr<CefBrowserProcessHandler> browserProcess = application->GetBrowserProcessHandler();
        CefRefPtr<CefRenderProcessHandler> renderProcess = application->GetRenderProcessHandler();
        std::lock_guard<std::mutex> hold(state.lock);
        state.browserProcess = browserProcess;
        state.renderProcess = renderProcess;
    }
    state.ui.Start();
    state.io.Start();
    bool helperStarted = true;
    if (!settings.browser_subprocess_path.empty()) {
        const std::wstring helper = FullPath(settings.browser_subprocess_path.ToWString());
        state.ui.PostAndWait([&] { helperStarted = helper_process::Start(helper, journal::Path(), BrowserProcessHandler()); },
                             10000);
    } else {
        journal::Write("no helper path: no helper process");
    }
    if (!helperStarted) {
        journal::Write("refused: the helper process did not start");
        state.ui.Stop();
        state.io.Stop();
        std::lock_guard<std::mutex> hold(state.lock);
        state.application = nullptr;
        state.browserProcess = nullptr;
        state.renderProcess = nullptr;
        journal::Close();
        return false;
    }
    {
        std::lock_guard<std::mutex> hold(state.lock);
        state.running = true;
    }
    // The render side starts with what the browser side gives it, then its page machinery.
    CefRefPtr<ListValue> extraInfo = new ListValue();
    state.ui.PostAndWait(
        [&] {
            if (CefRefPtr<CefBrowserProcessHandler> handler = BrowserProcessHandler()) {
                journal::Write("-> OnRenderProcessThreadCreated");
                handler->OnRenderProcessThreadCreated(extraInfo.get());
            }
        },
        10000);
    state.render.Start();
    state.render.Post([extraInfo = extraInfo->Copy()] {
        if (CefRefPtr<CefRenderProcessHandler> handler = RenderProcessHandler()) {
            journal::Write("-> OnRenderThreadCreated(" + extraInfo->Describe() + ")");
            handler->OnRenderThreadCreated(extraInfo.get());
            journal::Write("-> OnWebKitInitialized");
            handler->OnWebKitInitialized();
        }
    });
    state.ui.Post([] {
        if (CefRefPtr<CefBrowserProcessHandler> handler = BrowserProcessHandler()) {
            journal::Write("-> OnContextInitialized");
            handler->OnContextInitialized();
        }
    });
    journal::Write("started");
    return true;
}

void Stop() {
    State& state = TheState();
    if (!IsRunning()) return;
    for (const CefRefPtr<Browser>& browser : Browsers()) {
        journal::Write("browser " + std::to_string(browser->GetIdentifier()) + " still open at shutdown: closed");
        state.ui.PostAndWait([browser] { browser->CloseNow(true); }, 10000);
    }
    state.render.Stop();
    state.stopping = true;
    state.io.Stop();
    state.ui.Stop();
    helper_process::Stop();
    std::lock_guard<std::mutex> hold(state.lock);
    state.running = false;
    state.browsers.clear();
    state.extensions.clear();
    state.application = nullptr;
    state.browserProcess = nullptr;
    state.renderProcess = nullptr;
    page_log::Clear();
}

bool IsRunning() {
    State& state = TheState();
    std::lock_guard<std::mutex> hold(state.lock);
    return state.running;
}

const Options& GetOptions() { return TheState().options; }

TaskThread* Thread(int threadId) {
    if (!IsRunning()) return nullptr;
    switch (threadId) {
    case TID_UI:
        return &Ui();
    case TID_IO:
        return &Io();
    case TID_RENDERER:
        return &Render();
    default:
        return nullptr;
    }
}

TaskThread& Ui() { return TheState().ui; }
TaskThread& Io() { return TheState().io; }
TaskThread& Render() { return TheState().render; }
const std::atomic<bool>& StopFlag() { return TheState().stopping; }

CefRefPtr<CefBrowserProcessHandler> BrowserProcessHandler() {
    std::lock_guard<std::mutex> hold(TheState().lock);
    return TheState().browserProcess;
}

CefRefPtr<CefRenderProcessHandler> RenderProcessHandler() {
    std::lock_guard<std::mutex> hold(TheState().lock);
    return TheState().renderProcess;
}

void AddBrowser(CefRefPtr<Browser> browser) {
    std::lock_guard<std::mutex> hold(TheState().lock);
    TheState().browsers[browser->GetIdentifier()] = browser;
}

void RemoveBrowser(int id) {
    std::lock_guard<std::mutex> hold(TheState().lock);
    TheState().browsers.erase(id);
}

CefRefPtr<Browser> FindBrowser(int id) {
    std::lock_guard<std::mutex> hold(TheState().lock);
    auto found = TheState().browsers.find(id);
    return found == TheState().browsers.end() ? nullptr : found->second;
}

std::vector<CefRefPtr<Browser>> Browsers() {
    std::lock_guard<std::mutex> hold(TheState().lock);
    std::vector<CefRefPtr<Browser>> browsers;
    for (const auto& entry : TheState().browsers) browsers.push_back(entry.second);
    return browsers;
}

int NextId() { return TheState().nextId++; }

bool RegisterExtension(Extension extension) {
    std::lock_guard<std::mutex> hold(TheState().lock);
    for (const Extension& known : TheState().extensions)
        if (known.name == extension.name) return false;
    TheState().extensions.push_back(std::move(extension));
    return true;
}

const Extension* FindExtension(const std::string& objectName, const std::string& functionName) {
    std::lock_guard<std::mutex> hold(TheState().lock);
    for (const Extension& extension : TheState().extensions) {
        const std::string code = extension.code.ToString();
        if (code.find(objectName) != std::string::npos &&
            code.find("native function " + functionName + "(") != std::string::npos)
            return &extension;
    }
    return nullptr;
}

}  // namespace runtime
