#include "tests/update/update_flow_support.h"

#include <condition_variable>
#include <mutex>
#include <utility>

#include <json/json.h>

#include "app/file_util.h"
#include "app/json_util.h"
#include "app/launcher_context.h"
#include "app/md5.h"
#include "app/thread_ids.h"
#include "base/message_loop.h"
#include "base/string_conversions.h"
#include "download/download_manager.h"
#include "tests/base/thread_test_support.h"
#include "tests/update/patch_test_support.h"
#include "update/patch_applier.h"
#include "update/state.h"
#include "update/state_factory.h"

namespace uptest {

namespace {

constexpr auto kWaitLimit = std::chrono::seconds(60);

std::wstring Wide(const std::string& utf8) {
    std::wstring wide;
    kbase::Utf8ToWide(utf8.c_str(), wide);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    std::string utf8;
    kbase::WideToUtf8(wide, utf8);
    return utf8;
}

std::string JsonText(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    return Json::writeString(builder, value);
}

}  // namespace

std::string Md5Of(const std::string& bytes) {
    Md5Context md5;
    md5.Update(bytes.data(), bytes.size());
    return md5.HexDigest();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    const std::wstring wide = NormalizePathW(Wide(path), false);
    std::wstring folder, name;
    if (SplitPathW(wide, folder, name)) CreateDirectoriesW(folder);
    ASSERT_TRUE(WriteStringToFileW(wide, bytes)) << path;
}

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    ReadFileToStringW(NormalizePathW(Wide(path), false), bytes);
    return bytes;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(NormalizePathW(Wide(path), false).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

VersionMap MapOf(const FileSet& files) {
    VersionMap map;
    for (const auto& [name, bytes] : files) map[name] = {Md5Of(bytes), static_cast<std::int64_t>(bytes.size())};
    return map;
}

std::string Changed(const std::string& bytes, unsigned salt) {
    std::string out = bytes;
    for (std::size_t i = salt % 97; i < out.size(); i += 97) out[i] = static_cast<char>(out[i] + 1 + salt);
    return out;
}

std::string PatchBetween(const std::string& oldBytes, const std::string& newBytes) {
    std::string diff(newBytes.size(), '\0');
    for (std::size_t i = 0; i < newBytes.size(); ++i) {
        const unsigned char old = i < oldBytes.size() ? static_cast<unsigned char>(oldBytes[i]) : 0;
        diff[i] = static_cast<char>(static_cast<unsigned char>(newBytes[i]) - old);
    }
    const auto size = static_cast<std::int64_t>(newBytes.size());
    return patchtest::PatchFile(patchtest::Inflated({{size, 0, 0}}, diff, "", size));
}

std::string FlatMapText(const std::string& version, const VersionMap& map) {
    Json::Value root(Json::objectValue);
    for (const auto& [name, entry] : map) {
        root[name]["md5"] = entry.md5;
        root[name]["size"] = static_cast<Json::Int64>(entry.size);
    }
    if (!version.empty()) root["version"]["md5"] = version;
    return JsonText(root);
}

// ---- The stand-in threads.

struct UpdateFlowTest::Threads {
    mutable std::mutex lock;
    std::vector<Message> messages;
    std::vector<MessageBoxContent> boxes;
    HWND window = nullptr;
    std::unique_ptr<kbase_test::HookedThread> ui;
    std::unique_ptr<kbase_test::HookedThread> worker;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
        auto* threads = reinterpret_cast<Threads*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (threads && message >= WM_USER && message < 0x8000) {
            std::lock_guard<std::mutex> hold(threads->lock);
            threads->messages.push_back({message, static_cast<std::int64_t>(w), static_cast<std::int64_t>(l)});
            return 0;
        }
        return ::DefWindowProcW(window, message, w, l);
    }

    void StartUi() {
        ui = std::make_unique<kbase_test::HookedThread>(
            [this] {
                kbase::ThreadRegistry::GetInstance()->AddCurrentThread(kUiThreadId);
                WNDCLASSW windowClass = {};
                windowClass.lpfnWndProc = &WindowProc;
                windowClass.hInstance = ::GetModuleHandleW(nullptr);
                windowClass.lpszClassName = L"UpdateFlowMainWindow";
                ::RegisterClassW(&windowClass);
                window = ::CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                         windowClass.hInstance, nullptr);
                ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
                LauncherContext::Instance()->mainWindow = window;
            },
            [this] {
                LauncherContext::Instance()->mainWindow = nullptr;
                ::DestroyWindow(window);
                kbase::ThreadRegistry::GetInstance()->RemoveCurrentThread();
            });
        ui->StartWithLoop(kbase::MessageLoop::kDefaultLoop);
    }

    // The launcher's worker: the states and the download manager, ticked every 2 ms.
    void StartWorker() {
        worker = std::make_unique<kbase_test::HookedThread>(
            [this] {
                auto* registry = kbase::ThreadRegistry::GetInstance();
                registry->AddCurrentThread(kWorkerThreadId);
                LauncherContext::Instance()->InitVersionState();
                DownloadManager::Instance().Init();
                registry->PostRecurringTask(kWorkerThreadId, worker->MakeWeakCallback([] {
                    LauncherContext* context = LauncherContext::Instance();
                    if (context->currentState) context->currentState->Update();
                    if (context->preDownloadState) context->preDownloadState->Update();
                    DownloadManager::Instance().Tick();
                }),
                                            2000, -1);
            },
            [] {
                LauncherContext::Instance()->Shutdown();
                DownloadManager::Instance().Shutdown();
                kbase::ThreadRegistry::GetInstance()->RemoveCurrentThread();
            });
        worker->StartWithLoop(kbase::MessageLoop::kDefaultLoop);
    }
};

UpdateFlowTest::UpdateFlowTest() = default;
UpdateFlowTest::~UpdateFlowTest() = default;

void UpdateFlowTest::SetUp() {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"uptest_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
            std::to_wstring(++counter);
    DeleteFolderRecursiveW(root_);
    for (const wchar_t* folder : {L"\\save", L"\\update", L"\\www", L"\\game"}) CreateDirectoriesW(root_ + folder);
    wchar_t current[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, current);
    previousDir_ = current;
    ::SetCurrentDirectoryW(root_.c_str());
    gameDir_ = Narrow(root_) + "\\game";
    ASSERT_TRUE(server_.Start(root_ + L"\\www"));

    LauncherContext* context = LauncherContext::Instance();
    context->settings.Update([this](LauncherSettings& s) { s.gamePath = root_ + L"\\game"; });
    context->endpoints = EndpointConfig();
    context->endpoints.GateURLs = {server_.Url("/g0/")};
    context->clientIp.Set("127.0.0.1");
    context->downloadLog.Set(DownloadLog());
    context->remotePreDownloadVersion.Set("");
    context->PatchOption = 2;
    context->PreDlcCheck = false;
    context->UseWebExtraParam = false;
    context->predownloadRequested = false;
    context->predownloadPaused = false;
    AltPatchSuffix = false;

    threads_ = std::make_unique<Threads>();
    Threads* threads = threads_.get();
    UiServices ui;
    ui.getText = [](const std::wstring& id) { return id; };
    ui.showMessageBox = [this, threads](HWND, const MessageBoxContent& content, std::function<void(int)> callback) {
        {
            std::lock_guard<std::mutex> hold(threads->lock);
            threads->boxes.push_back(content);
        }
        if (callback) callback(boxAnswer_);
    };
    context->SetUiServices(std::move(ui));
    context->SetStateFactory(MakeUpdateStateFactory());
    // The flows must not depend on how full the test machine's disk is.
    context->SetFreeSpaceQuery([](const std::wstring&, std::uint64_t& freeBytes) {
        freeBytes = kRequiredFreeBytes;
        return true;
    });
    threads_->StartUi();
    threads_->StartWorker();
}

void UpdateFlowTest::TearDown() {
    if (threads_) {
        threads_->worker.reset();
        threads_->ui.reset();
    }
    LauncherContext::Instance()->SetUiServices(UiServices());
    LauncherContext::Instance()->SetFreeSpaceQuery(QueryFreeDiskSpace);
    ::SetCurrentDirectoryW(previousDir_.c_str());
    DeleteFolderRecursiveW(root_);
}

void UpdateFlowTest::Publish(const std::string& version, const FileSet& files) {
    const std::string www = Narrow(root_) + "\\www\\";
    for (const auto& [name, bytes] : files) WriteBytes(www + name, bytes);
    WriteBytes(www + "version_map.txt", FlatMapText(version, MapOf(files)));
}

void UpdateFlowTest::Install(const std::string& version, const FileSet& files) {
    for (const auto& [name, bytes] : files) WriteBytes(GamePath(name), bytes);
    WriteBytes(GamePath("version_map.txt"), FlatMapText(version, MapOf(files)));
    // The launcher reads the installed version at start; this game was installed later.
    RunOnWorker([] { LauncherContext::Instance()->LoadLocalGameVersion(); });
}

void UpdateFlowTest::ServeRaw(const std::string& path, const std::string& body) {
    Json::Value fault;
    fault["path"] = path;
    fault["raw"] = body;
    ASSERT_TRUE(server_.SetFault(JsonText(fault))) << path;
}

void UpdateFlowTest::SetGateAnswer(const std::string& body) {
    ServeRaw("/g0/get/urls", body);
}

void UpdateFlowTest::SetPreDownloadAnswer(const std::string& body) {
    ServeRaw("/g0/pre_download", body);
}

std::string UpdateFlowTest::GateAnswerWith(const std::vector<std::string>& dlcAddr) {
    Json::Value answer;
    answer["DlcAddr"] = Json::arrayValue;
    for (const std::string& url : dlcAddr) answer["DlcAddr"].append(url);
    return JsonText(answer);
}

void UpdateFlowTest::RunOnWorker(const std::function<void()>& task) {
    ASSERT_TRUE(kbase_test::RunOn(threads_->worker->LoopProxy(), task));
}

void UpdateFlowTest::RunOnUi(const std::function<void()>& task) {
    ASSERT_TRUE(kbase_test::RunOn(threads_->ui->LoopProxy(), task));
}

bool UpdateFlowTest::WaitOnWorker(const std::function<bool()>& pred, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        bool done = false;
        if (!kbase_test::RunOn(threads_->worker->LoopProxy(), [&] { done = pred(); })) return false;
        if (done) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        ::Sleep(10);
    }
}

int UpdateFlowTest::WaitUntilResting() {
    int type = 0;
    EXPECT_TRUE(WaitOnWorker(
        [&type] {
            type = LauncherContext::Instance()->CurrentStateType();
            return type == kEnterGameStateType || type == kExceptionStateType;
        },
        kWaitLimit))
        << "the update did not come to rest";
    // Whatever the states posted to the UI thread until now has been handled after this.
    RunOnUi([] {});
    return type;
}

int UpdateFlowTest::RunGameUpdate() {
    RunOnWorker([] { LauncherContext::Instance()->StartGameUpdate(false, false); });
    return WaitUntilResting();
}

std::vector<Message> UpdateFlowTest::Messages(UINT message) const {
    std::lock_guard<std::mutex> hold(threads_->lock);
    std::vector<Message> out;
    for (const Message& m : threads_->messages) {
        if (m.message == message) out.push_back(m);
    }
    return out;
}

std::vector<MessageBoxContent> UpdateFlowTest::Boxes() const {
    std::lock_guard<std::mutex> hold(threads_->lock);
    return threads_->boxes;
}

std::vector<std::string> UpdateFlowTest::RequestPaths(const std::string& prefix) {
    std::vector<std::string> out;
    Json::Value log;
    std::string errors;
    if (!ParseJson(server_.Log(), log, errors) || !log.isArray()) return out;
    for (const Json::Value& entry : log) {
        const Json::Value& path = entry["path"];
        if (path.isString() && path.asString().compare(0, prefix.size(), prefix) == 0) out.push_back(path.asString());
    }
    return out;
}

}  // namespace uptest
