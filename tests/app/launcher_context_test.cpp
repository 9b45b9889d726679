#include "app/launcher_context.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/launcher_messages.h"
#include "app/thread_ids.h"
#include "base/message_loop.h"
#include "base/thread_registry.h"
#include "tests/app/launcher_process.h"
#include "tests/app/recording_state.h"
#include "tests/app/scratch_folder.h"
#include "tests/base/thread_test_support.h"

namespace {

using kbase_test::RunOn;

// Messages that reached the recording windows, from any thread.
class MessageLog {
public:
    struct Entry {
        HWND window;
        UINT message;
        WPARAM w;
        LPARAM l;
    };
    static MessageLog& Get() {
        static MessageLog log;
        return log;
    }
    void Add(const Entry& entry) {
        std::lock_guard<std::mutex> hold(mutex_);
        entries_.push_back(entry);
    }
    bool Has(HWND window, UINT message, WPARAM w, LPARAM l) {
        std::lock_guard<std::mutex> hold(mutex_);
        return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) {
            return e.window == window && e.message == message && e.w == w && e.l == l;
        });
    }
    int Count(UINT message) {
        std::lock_guard<std::mutex> hold(mutex_);
        return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                              [&](const Entry& e) { return e.message == message; }));
    }
    void Clear() {
        std::lock_guard<std::mutex> hold(mutex_);
        entries_.clear();
    }

private:
    std::mutex mutex_;
    std::vector<Entry> entries_;
};

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message >= kMsgTrayIcon && message <= kMsgWindowStackChanged) {
        MessageLog::Get().Add({window, message, w, l});
        return 0;
    }
    return ::DefWindowProcW(window, message, w, l);
}

// A top-level window of the calling thread that records the launcher's messages.
HWND MakeRecordingWindow() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &RecordingProcedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"LauncherContextTestWindow";
    ::RegisterClassExW(&windowClass);
    return ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

// The launcher's two threads as the context expects them: a UI loop registered as 0 and a
// default loop registered as 1.
class LauncherContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ui_.StartWithLoop(kbase::MessageLoop::kUILoop));
        ASSERT_TRUE(worker_.StartWithLoop(kbase::MessageLoop::kDefaultLoop));
        MessageLog::Get().Clear();
    }
    void TearDown() override {
        RunOnWorker([this] { context_->SetState(nullptr); });
        RunOnWorker([this] { context_->StopPreDownload(true); });
        RunOnUi([this] {
            context_->SetMainWindow(nullptr);
            for (HWND window : windows_) ::DestroyWindow(window);
        });
        context_->gameWindows.Refresh();
        context_->SetUiServices({});
        context_->SetStateFactory({});
        context_->SetTelemetrySink(nullptr);
        worker_.Stop();
        ui_.Stop();
    }

    void RunOnUi(std::function<void()> task) { ASSERT_TRUE(RunOn(ui_.LoopProxy(), std::move(task))); }
    void RunOnWorker(std::function<void()> task) { ASSERT_TRUE(RunOn(worker_.LoopProxy(), std::move(task))); }
    HWND WindowOnUi() {
        HWND window = nullptr;
        RunOnUi([&] { window = MakeRecordingWindow(); });
        windows_.push_back(window);
        return window;
    }
    std::unique_ptr<UpdateState> Make(int type, int mode, const std::string& name) {
        return std::make_unique<RecordingState>(type, mode, name, journal_);
    }

    kbase_test::Watchdog watchdog_{"launcher context test", std::chrono::seconds(120)};
    LauncherContext* context_ = LauncherContext::Instance();
    kbase_test::RegisteredThread ui_{kUiThreadId};
    kbase_test::RegisteredThread worker_{kWorkerThreadId};
    Journal journal_;
    std::vector<HWND> windows_;
};

TEST_F(LauncherContextTest, SetStateExitsOldEntersNewThenDeletesOldAndRefusesTheSameKind) {
    struct Step {
        int type;  // 0: a null state
        int mode;
        const char* name;
        std::vector<std::string> events;
        bool busy;
    } const steps[] = {
        {kPrepareStateType, kLauncherMode, "a", {"a.enter(null)"}, true},
        {kPrepareStateType, kLauncherMode, "b", {"b.deleted"}, true},  // same type, same mode
        {kPrepareStateType, kGameMode, "c", {"a.exit(c)", "c.enter(a)", "a.deleted"}, true},
        {kPrepareStateType, 5, "d", {"d.deleted"}, true},  // any non-zero mode is game mode
        {kEnterGameStateType, kGameMode, "e", {"c.exit(e)", "e.enter(c)", "c.deleted"}, false},
        {kApplyUpdateStateType, kLauncherMode, "f", {"e.exit(f)", "f.enter(e)", "e.deleted"}, true},
        {0, 0, "null", {"f.exit(null)", "f.deleted"}, false},
        {0, 0, "null again", {}, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        context_->SetState(step.type ? Make(step.type, step.mode, step.name) : nullptr);
        EXPECT_EQ(journal_.Take(), step.events);
        EXPECT_EQ(context_->IsUpdateInProgress(), step.busy);
        EXPECT_EQ(context_->CurrentStateType(), context_->currentState ? context_->currentState->GetType() : 0);
    }
}

TEST_F(LauncherContextTest, MainWindowGetsOnlyWhatIsSentWhileItIsRegistered) {
    context_->SendToMainWindow(kMsgStateChanged, 1, 2);  // no main window yet: dropped
    HWND window = WindowOnUi();
    RunOnUi([&] { context_->SetMainWindow(window); });
    EXPECT_EQ(::GetPropW(window, kLauncherWindowProperty), static_cast<HANDLE>(window));

    context_->SendToMainWindow(kMsgCheckProgress, 0, 55);
    EXPECT_TRUE(WaitFor([&] { return MessageLog::Get().Has(window, kMsgCheckProgress, 0, 55); }, 10000));
    EXPECT_EQ(MessageLog::Get().Count(kMsgStateChanged), 0);

    RunOnUi([&] { context_->SetMainWindow(nullptr); });
    EXPECT_EQ(context_->mainWindow.load(), nullptr);
    EXPECT_EQ(::GetPropW(window, kLauncherWindowProperty), nullptr);
    context_->SendToMainWindow(kMsgUiTick, 0, 0);
    RunOnUi([] {});
    EXPECT_EQ(MessageLog::Get().Count(kMsgUiTick), 0);
}

TEST_F(LauncherContextTest, GameWindowsAreFoundByTheirPropertyAndGetTheMessageFromTheWorker) {
    HWND game = WindowOnUi();
    ::SetPropW(game, kGameWindowProperty, game);
    context_->gameWindows.Refresh();
    ASSERT_TRUE(context_->gameWindows.Snapshot().size() >= 1u);
    context_->SendToGameWindows(kMsgPreDlcState, 0, 3);
    EXPECT_TRUE(WaitFor([&] { return MessageLog::Get().Has(game, kMsgPreDlcState, 0, 3); }, 10000));
}

TEST(ComposeMessageBox, KeysWinOverLiteralsAndButtonsGoTogether) {
    struct Case {
        MessageBoxRequest request;
        MessageBoxContent want;
    };
    MessageBoxRequest keys;
    keys.titleKey = L"T";
    keys.titleText = L"title";
    keys.textText = L"text";
    keys.detailKey = L"D";
    keys.secondButtonKey = L"STRING_CONFIRM";
    keys.firstButtonText = L"ignored";
    keys.swapButtonLooks = true;
    MessageBoxRequest literals;
    literals.titleText = L"title";
    literals.textKey = L"X";
    literals.firstButtonText = L"no";
    literals.secondButtonText = L"yes";
    const Case cases[] = {
        {keys, {{true, L"T"}, {false, L"text"}, {true, L"D"}, true, L"", L"STRING_CONFIRM", true}},
        {literals, {{false, L"title"}, {true, L"X"}, {false, L""}, false, L"no", L"yes", false}},
    };
    for (const Case& c : cases) {
        const MessageBoxContent got = ComposeMessageBox(c.request);
        EXPECT_EQ(std::tie(got.title.isKey, got.title.text), std::tie(c.want.title.isKey, c.want.title.text));
        EXPECT_EQ(std::tie(got.message.isKey, got.message.text),
                  std::tie(c.want.message.isKey, c.want.message.text));
        EXPECT_EQ(std::tie(got.detail.isKey, got.detail.text), std::tie(c.want.detail.isKey, c.want.detail.text));
        EXPECT_EQ(got.buttonsAreKeys, c.want.buttonsAreKeys);
        EXPECT_EQ(got.firstButton, c.want.firstButton);
        EXPECT_EQ(got.secondButton, c.want.secondButton);
        EXPECT_EQ(got.swapButtonLooks, c.want.swapButtonLooks);
    }
}

TEST_F(LauncherContextTest, AMessageBoxWithoutOwnerAnswersCancelAndOneWithOwnerIsShownOverIt) {
    std::atomic<int> shown{0};
    std::atomic<HWND> shownOwner{nullptr};
    UiServices ui;
    ui.showMessageBox = [&](HWND owner, const MessageBoxContent& content, std::function<void(int)> callback) {
        shownOwner = owner;
        ++shown;
        EXPECT_EQ(content.secondButton, L"STRING_CONFIRM");
        callback(1);
    };
    context_->SetUiServices(ui);

    std::atomic<int> answer{-1};
    std::atomic<DWORD> answeredOn{0};
    auto callback = [&](int result) {
        answeredOn = ::GetCurrentThreadId();
        answer = result;
    };
    context_->ShowMessageBox(nullptr, L"STRING_ERROR_NOTICE", L"X", L"", L"STRING_CONFIRM", callback);
    EXPECT_TRUE(context_->messageBoxShown);
    ASSERT_TRUE(WaitFor([&] { return answer != -1; }, 10000));
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(answeredOn, ui_.thread_id());
    EXPECT_FALSE(context_->messageBoxOpen);
    EXPECT_EQ(shown, 0);

    HWND window = WindowOnUi();
    RunOnUi([&] { context_->SetMainWindow(window); });
    answer = -1;
    context_->ShowMessageBox(nullptr, L"STRING_ERROR_NOTICE", L"X", L"", L"STRING_CONFIRM", callback);
    ASSERT_TRUE(WaitFor([&] { return answer != -1; }, 10000));
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(shownOwner.load(), window);
}

TEST_F(LauncherContextTest, TheOptionsBoxNeedsTheMainWindow) {
    std::vector<OptionsRequest> shown;
    UiServices ui;
    ui.showOptionsBox = [&](HWND, const OptionsRequest& request) { shown.push_back(request); };
    context_->SetUiServices(ui);
    const std::vector<std::wstring> options{L"STRING_TRAY", L"STRING_EXIT"};
    context_->ShowOptionsBox(nullptr, L"T", L"X", options, L"close", L"STRING_CONFIRM", [](int) {});
    RunOnUi([] {});
    EXPECT_TRUE(shown.empty());

    HWND window = WindowOnUi();
    RunOnUi([&] { context_->SetMainWindow(window); });
    context_->ShowOptionsBox(nullptr, L"T", L"X", options, L"close", L"STRING_CONFIRM", [](int) {});
    RunOnUi([] {});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].options, options);
    EXPECT_EQ(shown[0].groupName, L"close");
    EXPECT_EQ(shown[0].confirmKey, L"STRING_CONFIRM");
    EXPECT_EQ(shown[0].selected, 0);
}

TEST_F(LauncherContextTest, UpdateRequestsMakePrepareStatesOnTheWorker) {
    std::atomic<int> made{0};
    std::atomic<DWORD> madeOn{0};
    context_->SetStateFactory({[&](int mode) {
                                   madeOn = ::GetCurrentThreadId();
                                   return Make(kPrepareStateType, mode, "p" + std::to_string(++made));
                               },
                               {}});
    context_->endpoints.DisableAutoEnterGame = true;
    context_->StartGameUpdate(true, true);
    EXPECT_FALSE(context_->autoEnterGame);  // honoured
    RunOnWorker([] {});
    EXPECT_EQ(journal_.Take(), std::vector<std::string>{"p1.enter(null)"});
    EXPECT_EQ(madeOn, worker_.thread_id());
    EXPECT_EQ(context_->CurrentStateMode(), kGameMode);

    context_->StartGameUpdate(true, false);  // a game update runs already: refused
    EXPECT_TRUE(context_->autoEnterGame);
    RunOnWorker([] {});
    EXPECT_EQ(journal_.Take(), std::vector<std::string>{"p2.deleted"});

    context_->StartLauncherUpdate();
    EXPECT_FALSE(context_->autoEnterGame);
    RunOnWorker([] {});
    EXPECT_EQ(journal_.Take(), (std::vector<std::string>{"p1.exit(p3)", "p3.enter(p1)", "p1.deleted"}));
    EXPECT_EQ(context_->CurrentStateMode(), kLauncherMode);
    context_->endpoints.DisableAutoEnterGame = false;
}

TEST_F(LauncherContextTest, ThePreDownloadTaskIsMadeOnceAndStoppedOnTheWorker) {
    std::atomic<int> made{0};
    context_->SetStateFactory({{}, [&] { return Make(kPreDownloadStateType, kGameMode, "pre" + std::to_string(++made)); }});
    context_->StartPreDownload();
    context_->StartPreDownload();
    RunOnWorker([] {});
    EXPECT_EQ(made, 1);
    EXPECT_EQ(journal_.Take(), std::vector<std::string>{"pre1.enter(null)"});
    context_->StopPreDownload(false);
    RunOnWorker([] {});
    EXPECT_EQ(journal_.Take(), (std::vector<std::string>{"pre1.exit(null)", "pre1.deleted"}));
    RunOnWorker([&] { EXPECT_EQ(context_->preDownloadState, nullptr); });
}

TEST_F(LauncherContextTest, LanguageSwitchReloadsOnlyForAnotherLanguage) {
    std::wstring language = L"zh_TW";
    std::vector<std::wstring> calls;
    UiServices ui;
    ui.currentLanguage = [&] { return language; };
    ui.setLanguage = [&](const std::wstring& code) {
        calls.push_back(L"set " + code);
        language = code;
    };
    ui.setUiFontFaces = [&] { calls.push_back(L"faces"); };
    ui.reloadLanguage = [&] { calls.push_back(L"reload"); };
    ui.readResourceFile = [&](const std::wstring& name, std::string& text) {
        calls.push_back(L"read " + name);
        if (name != L"common_config.json") return false;
        text = R"({"OverwriteStrings": [{"key": "STRING_GAME_TITLE", "value": "Tarvenor"}],
                   "Privacy": {"en": "https://example.org/privacy"}})";
        return true;
    };
    ui.setTextOverride = [&](const std::wstring& id, const std::wstring& text) {
        calls.push_back(L"override " + id + L"=" + text);
    };
    context_->SetUiServices(ui);
    HWND window = WindowOnUi();
    RunOnUi([&] {
        context_->SetMainWindow(window);
        ReloadLanguageTask(L"zh_TW", context_);
    });
    EXPECT_TRUE(calls.empty());

    RunOnUi([&] { ReloadLanguageTask(L"en", context_); });
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"set en", L"faces", L"reload", L"read common_config_CHANNEL_TW.json",
                                                 L"read common_config.json",
                                                 L"override STRING_GAME_TITLE=Tarvenor"}));
    RunOnUi([] {});
    EXPECT_TRUE(MessageLog::Get().Has(window, kMsgLanguageReloaded, 0, 0));
    EXPECT_EQ(context_->links["Privacy"], "https://example.org/privacy");
}

// Records which kind of send each record took, and on which thread.
class RecordingSink : public TelemetrySink {
public:
    void PostJson(const std::string& body) override { Add("post", body); }
    void Track(const std::string& body, bool now) override { Add(now ? "track now" : "track queued", body); }
    void TrackActivity(const std::string& query) override { Add("activity", query); }

    std::vector<std::string> Kinds() {
        std::lock_guard<std::mutex> hold(mutex_);
        return kinds_;
    }
    std::vector<DWORD> Threads() {
        std::lock_guard<std::mutex> hold(mutex_);
        return threads_;
    }

private:
    void Add(const std::string& kind, const std::string& body) {
        std::lock_guard<std::mutex> hold(mutex_);
        kinds_.push_back(kind);
        threads_.push_back(::GetCurrentThreadId());
        EXPECT_FALSE(body.empty());
    }

    std::mutex mutex_;
    std::vector<std::string> kinds_;
    std::vector<DWORD> threads_;
};

TEST_F(LauncherContextTest, TelemetryIsBuiltAndSentOnTheWorkerAsEachRecordRequires) {
    RecordingSink sink;
    context_->SetTelemetrySink(&sink);
    context_->TrackLauncherEvent("rungame", "", "", "", "pre_install", false);
    context_->TrackLauncherEvent("start", "", "", "", "", true);
    context_->TrackLauncherDetail("13", "0", "0", "0");
    context_->TrackActivity("click_launch_start_open", "0", "0", "0");
    context_->TrackSettings("1", "", 0, 0);
    TrackUiClick("community", "Forum");
    RunOnWorker([] {});
    EXPECT_EQ(sink.Kinds(), (std::vector<std::string>{"track queued", "track now", "post", "activity",
                                                       "track queued", "track queued"}));
    for (DWORD thread : sink.Threads()) EXPECT_EQ(thread, worker_.thread_id());
}

TEST_F(LauncherContextTest, InitKeepsThisBuildsLanguageAndAppliedSettingsSaveOnlyChanges) {
    ScratchFolder folder;
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.path().c_str()));
    CommandLineLanguage.Store(L"ja");

    context_->Init();
    const LauncherSettings settings = context_->settings.Get();
    EXPECT_TRUE(context_->firstRun);
    EXPECT_EQ(settings.languageType, 4);
    EXPECT_EQ(settings.language, "zh_TW");
    EXPECT_EQ(ChannelName.Get(), L"TW");
    EXPECT_EQ(context_->gameFileRenames.size(), 2u);
    EXPECT_FALSE(ReadWholeFile(folder.Child(L"save\\EnvConfig.json")).empty());
    EXPECT_FALSE(ReadWholeFile(folder.Child(L"save\\Log.json")).empty());

    RecordingSink sink;
    context_->SetTelemetrySink(&sink);
    ASSERT_TRUE(::DeleteFileW(folder.Child(L"save\\EnvConfig.json").c_str()));
    context_->ApplySettings(settings);  // nothing differs: nothing is written or reported
    EXPECT_TRUE(ReadWholeFile(folder.Child(L"save\\EnvConfig.json")).empty());
    EXPECT_FALSE(context_->languageChanged);

    LauncherSettings edited = settings;
    edited.languageType = 0;
    edited.closeToHide = !settings.closeToHide;
    context_->ApplySettings(edited);
    EXPECT_FALSE(ReadWholeFile(folder.Child(L"save\\EnvConfig.json")).empty());
    EXPECT_TRUE(context_->languageChanged);
    EXPECT_EQ(context_->settings.Get().language, "en");
    RunOnWorker([] {});
    EXPECT_EQ(sink.Kinds(), std::vector<std::string>{"track queued"});

    context_->languageChanged = false;
    ::SetCurrentDirectoryW(previous);
}

}  // namespace
