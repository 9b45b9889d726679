#include "tests/download/download_test_support.h"

#include <condition_variable>
#include <fstream>
#include <thread>

#include <json/json.h>

#include "app/file_util.h"
#include "app/json_util.h"
#include "app/launcher_context.h"
#include "app/md5.h"
#include "app/thread_ids.h"
#include "base/message_loop.h"
#include "tests/base/thread_test_support.h"

namespace dltest {

// ---- Files and folders.

ScratchDir::ScratchDir() {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"dltest_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
            std::to_wstring(::GetTickCount()) + L"_" + std::to_wstring(++counter);
    CreateDirectoriesW(path_ + L"\\save");
    CreateDirectoriesW(path_ + L"\\www");
    wchar_t current[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, current);
    previous_ = current;
    ::SetCurrentDirectoryW(path_.c_str());
}

ScratchDir::~ScratchDir() {
    ::SetCurrentDirectoryW(previous_.c_str());
    DeleteFolderRecursiveW(path_);
}

std::string WriteTestFile(const std::string& file, std::int64_t size, unsigned seed) {
    std::string folder, name;
    if (SplitPath(file, folder, name)) CreateDirectories(folder);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    Md5Context md5;
    std::uint32_t state = seed * 2654435761u + 1;
    std::vector<char> block(1 << 20);
    for (std::int64_t left = size; left > 0;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(left, block.size()));
        for (std::size_t i = 0; i < n; ++i) {
            state = state * 1664525u + 1013904223u;
            block[i] = static_cast<char>(state >> 24);
        }
        out.write(block.data(), static_cast<std::streamsize>(n));
        md5.Update(block.data(), n);
        left -= static_cast<std::int64_t>(n);
    }
    return md5.HexDigest();
}

std::string ReadFileBytes(const std::string& file) {
    std::string bytes;
    ReadFileToString(file, bytes);
    return bytes;
}

bool FileExists(const std::string& file) {
    const DWORD attributes = ::GetFileAttributesA(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FileMd5(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string hex;
    std::int64_t size = 0;
    return Md5OfStream(in, hex, size) ? hex : std::string();
}

std::string ReadTrace() {
    return ReadFileBytes("save\\dltrace.log");
}

std::vector<LoggedRequest> ParseRequestLog(const std::string& json) {
    std::vector<LoggedRequest> out;
    Json::Value root;
    std::string errors;
    if (!ParseJson(json, root, errors) || !root.isArray()) return out;
    auto text = [](const Json::Value& entry, const char* key) {
        const Json::Value& value = entry[key];
        return value.isString() ? value.asString() : std::string();
    };
    for (const Json::Value& entry : root) {
        if (!entry.isObject()) continue;
        out.push_back({text(entry, "method"), text(entry, "path"), text(entry, "query"), text(entry, "range"),
                       text(entry, "user_agent"), text(entry, "content_type"), text(entry, "body")});
    }
    return out;
}

// ---- Callbacks.

namespace {

std::mutex g_callbackLock;
std::vector<DoneEvent> g_files;
std::vector<Callbacks::RequestEvent> g_requests;

}  // namespace

void Callbacks::Clear() {
    std::lock_guard<std::mutex> hold(g_callbackLock);
    g_files.clear();
    g_requests.clear();
}

std::vector<DoneEvent> Callbacks::Files() {
    std::lock_guard<std::mutex> hold(g_callbackLock);
    return g_files;
}

void Callbacks::OnFileDone(int tag, DownloadResult result, std::string url, std::string message) {
    std::lock_guard<std::mutex> hold(g_callbackLock);
    g_files.push_back({tag, ResultCode(result), std::move(url), std::move(message)});
}

std::vector<Callbacks::RequestEvent> Callbacks::Requests() {
    std::lock_guard<std::mutex> hold(g_callbackLock);
    return g_requests;
}

void Callbacks::OnRequestDone(int, DownloadResult result, std::string url, const char* body, int length, std::string error) {
    std::lock_guard<std::mutex> hold(g_callbackLock);
    g_requests.push_back({ResultCode(result), std::move(url), body ? std::string(body, length) : std::string(), std::move(error)});
}

void Callbacks::OnProbeDone(int, DownloadResult result, std::string url, bool exists, std::string error) {
    std::lock_guard<std::mutex> hold(g_callbackLock);
    g_requests.push_back({ResultCode(result), std::move(url), std::string(), std::move(error), exists});
}

bool RunUntil(const std::function<void()>& step, const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        step();
        ::Sleep(1);
    }
    return true;
}

// ---- The stand-in main window.

struct MainWindowRecorder::State {
    mutable std::mutex lock;
    mutable std::condition_variable changed;
    std::vector<Message> messages;
    HWND window = nullptr;
    std::unique_ptr<kbase_test::HookedThread> thread;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
        auto* state = reinterpret_cast<State*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (state && message >= WM_USER && message < 0x8000) {
            {
                std::lock_guard<std::mutex> hold(state->lock);
                state->messages.push_back({message, static_cast<std::int64_t>(w), static_cast<std::int64_t>(l)});
            }
            state->changed.notify_all();
            return 0;
        }
        return ::DefWindowProcW(window, message, w, l);
    }
};

MainWindowRecorder::MainWindowRecorder() : state_(std::make_unique<State>()) {
    State* state = state_.get();
    state->thread = std::make_unique<kbase_test::HookedThread>(
        [state] {
            kbase::ThreadRegistry::GetInstance()->AddCurrentThread(kUiThreadId);
            WNDCLASSW windowClass = {};
            windowClass.lpfnWndProc = &State::WindowProc;
            windowClass.hInstance = ::GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"DownloadTestMainWindow";
            ::RegisterClassW(&windowClass);
            state->window = ::CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            windowClass.hInstance, nullptr);
            ::SetWindowLongPtrW(state->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
            LauncherContext::Instance()->mainWindow = state->window;
        },
        [state] {
            LauncherContext::Instance()->mainWindow = nullptr;
            ::DestroyWindow(state->window);
            kbase::ThreadRegistry::GetInstance()->RemoveCurrentThread();
        });
    state->thread->StartWithLoop(kbase::MessageLoop::kDefaultLoop);
}

MainWindowRecorder::~MainWindowRecorder() {
    state_->thread->Stop();
}

std::vector<MainWindowRecorder::Message> MainWindowRecorder::Received(UINT message) const {
    std::lock_guard<std::mutex> hold(state_->lock);
    std::vector<Message> out;
    for (const Message& m : state_->messages) {
        if (m.message == message) out.push_back(m);
    }
    return out;
}

bool MainWindowRecorder::WaitFor(UINT message, std::int64_t l, std::chrono::milliseconds limit) const {
    std::unique_lock<std::mutex> hold(state_->lock);
    return state_->changed.wait_for(hold, limit, [&] {
        for (const Message& m : state_->messages) {
            if (m.message == message && m.l == l) return true;
        }
        return false;
    });
}

// ---- The fixture.

void DownloadTest::SetUp() {
    dir_ = std::make_unique<ScratchDir>();
    Callbacks::Clear();
    ASSERT_TRUE(server_.Start(dir_->WwwDir()));
    manager_ = std::make_unique<DownloadManager>();
    manager_->Init();
    manager_->activeUrls = {server_.BaseUrl(0)};
}

void DownloadTest::TearDown() {
    manager_.reset();
    dir_.reset();
}

bool DownloadTest::TickUntilFiles(std::size_t n, std::chrono::milliseconds limit) {
    return RunUntil([this] { manager_->Tick(); }, [n] { return Callbacks::Files().size() >= n; }, limit);
}

std::vector<LoggedRequest> DownloadTest::RequestsFor(const std::string& suffix) {
    std::vector<LoggedRequest> out;
    for (LoggedRequest& request : ParseRequestLog(server_.Log())) {
        if (request.path.size() >= suffix.size() &&
            request.path.compare(request.path.size() - suffix.size(), suffix.size(), suffix) == 0) {
            out.push_back(std::move(request));
        }
    }
    return out;
}

}  // namespace dltest
