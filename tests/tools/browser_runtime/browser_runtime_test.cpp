#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "browser/runtime/cef_runtime.h"
#include "tests/app/scratch_folder.h"
#include "tests/support/test_server.h"
#include "tests/tools/browser_runtime/recording_handlers.h"
#include "tools/browser_runtime/test_driver.h"

namespace {

// The runtime folder the build made (the delay-loaded library is found there once loaded).
const std::wstring kRuntimeFolder = ZEL_CEF_FOLDER;

std::vector<std::string> ReadLines(const std::wstring& path) {
    std::vector<std::string> lines;
    std::string text = ReadWholeFile(path), line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

// The lines of `lines` that are in `wanted`, in their order.
std::vector<std::string> Only(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
    std::vector<std::string> kept;
    for (const std::string& line : lines)
        for (const std::string& prefix : wanted)
            if (line.rfind(prefix, 0) == 0) kept.push_back(line);
    return kept;
}

class BrowserRuntimeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(::LoadLibraryW((kRuntimeFolder + L"\\zel_libcef.dll").c_str())); }

    void SetUp() override {
        settings_.multi_threaded_message_loop = 1;
        settings_.windowless_rendering_enabled = 1;
        settings_.no_sandbox = 1;
        settings_.cache_path = folder_.Child(L"cef_temp\\CefLocalStorage");
        settings_.log_file = folder_.Child(L"cef_temp\\cef.log");
        settings_.browser_subprocess_path = kRuntimeFolder + L"\\cef_helper.exe";
        args_.instance = ::GetModuleHandleW(nullptr);
        ::CreateDirectoryW(folder_.Child(L"site").c_str(), nullptr);
        folder_.WriteFile(L"site\\blue.html",
                          "<html><head><title>Blue &amp; page</title></head>"
                          "<body style=\"margin:0; background: #2040a0\"><p>x</p></body></html>");
    }

    void TearDown() override {
        if (started_) CefShutdown();
    }

    bool Start() {
        ::CreateDirectoryW(folder_.Child(L"cef_temp").c_str(), nullptr);
        started_ = CefInitialize(args_, settings_, app_, nullptr);
        return started_;
    }

    CefRefPtr<CefBrowser> OpenBrowser(const std::string& url) {
        CefWindowInfo info;
        info.windowless_rendering_enabled = 1;
        if (!CefBrowserHost::CreateBrowser(info, client_, url, CefBrowserSettings(), nullptr) || !recorder_.WaitFor("created"))
            return nullptr;
        return client_->Browser();
    }

    std::vector<std::string> Journal() { return ReadLines(settings_.log_file.ToWString()); }

    std::string PageLog(int browserId) {
        std::string text(zel_test_page_log(browserId, nullptr, 0) + 1, '\0');
        text.resize(zel_test_page_log(browserId, text.data(), text.size()));
        return text;
    }

    ScratchFolder folder_;
    Recorder recorder_;
    CefSettings settings_;
    CefMainArgs args_;
    CefRefPtr<RecordingApp> app_ = new RecordingApp(recorder_);
    CefRefPtr<RecordingClient> client_ = new RecordingClient(recorder_);
    bool started_ = false;
};

TEST_F(BrowserRuntimeTest, StartsItsThreadsAndHelperAndEndsThemAtShutdown) {
    EXPECT_EQ(CefExecuteProcess(args_, app_, nullptr), -1);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(recorder_.WaitFor("context initialized"));
    ASSERT_TRUE(recorder_.WaitFor("webkit"));
    EXPECT_EQ(Only(recorder_.Lines(), {"command line", "schemes", "render thread", "webkit"}),
              (std::vector<std::string>{"command line []", "schemes", "render thread", "webkit extension"}));
    EXPECT_TRUE(recorder_.AllOn("context initialized", TID_UI));
    EXPECT_TRUE(recorder_.AllOn("render thread", TID_RENDERER));
    EXPECT_TRUE(recorder_.AllOn("webkit", TID_RENDERER));
    EXPECT_FALSE(CefCurrentlyOn(TID_UI));
    const DWORD attributes = ::GetFileAttributesW(settings_.cache_path.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));

    bool ranOnUi = false;
    ASSERT_TRUE(CefPostClosure(TID_UI, [&] {
        ranOnUi = CefCurrentlyOn(TID_UI);
        recorder_.Note("task");
    }));
    ASSERT_TRUE(recorder_.WaitFor("task"));
    EXPECT_TRUE(ranOnUi);

    // The helper runs beside the browser process until the shutdown ends it.
    std::vector<std::string> journal = Journal();
    auto started = std::find_if(journal.begin(), journal.end(),
                                [](const std::string& line) { return line.find("helper started: process ") != std::string::npos; });
    ASSERT_NE(started, journal.end());
    const DWORD helperId = std::stoul(started->substr(started->find("process ") + 8));
    HANDLE helper = ::OpenProcess(SYNCHRONIZE, FALSE, helperId);
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(::WaitForSingleObject(helper, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    CefShutdown();
    started_ = false;
    EXPECT_EQ(::WaitForSingleObject(helper, 0), WAIT_OBJECT_0);
    ::CloseHandle(helper);
    EXPECT_FALSE(CefPostClosure(TID_UI, [] {}));
    journal = Journal();
    for (const char* line : {"cef_initialize", "switches: ", "--disable-gpu", "-> OnContextInitialized",
                             "cookie manager: SetSupportedSchemes(http, https)", "[helper] helper: serving browser process",
                             "[helper] helper: told to end", "cef_shutdown: done"})
        EXPECT_TRUE(Contains(journal, line)) << line;
}

TEST_F(BrowserRuntimeTest, RefusesSettingsItCannotRunWith) {
    settings_.multi_threaded_message_loop = 0;
    EXPECT_FALSE(Start());
    settings_.multi_threaded_message_loop = 1;
    settings_.browser_subprocess_path = folder_.Child(L"missing\\cef_helper.exe");
    EXPECT_FALSE(Start());
    EXPECT_TRUE(Contains(Journal(), "refused: the helper process did not start"));
    settings_.browser_subprocess_path = kRuntimeFolder + L"\\cef_helper.exe";
    EXPECT_TRUE(Start());
}

TEST_F(BrowserRuntimeTest, LoadsAPageOverHttpAndPaintsItsColourAndTitle) {
    TestServer server;
    ASSERT_TRUE(server.Start(folder_.Child(L"site")));
    ASSERT_TRUE(Start());
    const std::string url = server.BaseUrl(0) + "blue.html";
    CefRefPtr<CefBrowser> browser = OpenBrowser(url);
    ASSERT_TRUE(browser);
    ASSERT_TRUE(recorder_.WaitFor("loaded"));
    EXPECT_EQ(Only(recorder_.Lines(), {"created", "loading", "resource", "address", "load start", "title", "paint view",
                                       "load end", "loaded"}),
              (std::vector<std::string>{"created " + std::to_string(browser->GetIdentifier()), "loading", "resource " + url,
                                        "address " + url, "load start", "title Blue & page", "paint view 320x200",
                                        "load end 200", "loaded"}));
    EXPECT_TRUE(recorder_.AllOn("load", TID_UI));
    EXPECT_TRUE(recorder_.AllOn("paint", TID_UI));
    EXPECT_EQ(browser->GetMainFrame()->GetURL().ToString(), url);
    EXPECT_TRUE(server.Log().find("/b0/blue.html") != std::string::npos);

    int width = 0, height = 0;
    const std::vector<std::uint8_t> frame = client_->Frame(width, height);
    ASSERT_EQ(frame.size(), 320u * 200u * 4u);
    auto pixel = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 4;
        return std::vector<int>{frame[at], frame[at + 1], frame[at + 2], frame[at + 3]};
    };
    EXPECT_EQ(pixel(300, 190), (std::vector<int>{0xa0, 0x40, 0x20, 255}));  // blue, green, red, alpha
    bool titleInk = false;
    for (int y = 12; y < 40 && !titleInk; ++y)
        for (int x = 16; x < 200 && !titleInk; ++x) titleInk = pixel(x, y) != pixel(300, 190);
    EXPECT_TRUE(titleInk);

    browser->GetHost()->CloseBrowser(true);
    ASSERT_TRUE(recorder_.WaitFor("closing"));
}

TEST_F(BrowserRuntimeTest, ReportsFailedAndRefusedLoads) {
    TestServer server;
    ASSERT_TRUE(server.Start(folder_.Child(L"site")));
    ASSERT_TRUE(Start());
    struct Case {
        std::string url;
        CefReturnValue answer;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {server.BaseUrl(0) + "missing.html", RV_CONTINUE, "load end 404"},
        {"http://127.0.0.1:" + std::to_string(server.ClosedPort()) + "/", RV_CONTINUE, "load error -2"},
        {server.BaseUrl(0) + "blue.html", RV_CANCEL, "load error -3"},
    };
    CefRefPtr<CefBrowser> browser = OpenBrowser("");
    ASSERT_TRUE(browser);
    for (const Case& check : cases) {
        client_->resourceAnswer = check.answer;
        const std::size_t before = recorder_.Lines().size();
        browser->GetMainFrame()->LoadURL(check.url);
        ASSERT_TRUE(zel_test_wait_idle(10000));
        ASSERT_TRUE(recorder_.WaitFor("loaded"));
        const std::vector<std::string> lines = recorder_.Lines();
        const std::vector<std::string> after(lines.begin() + before, lines.end());
        EXPECT_TRUE(Contains(after, check.expected)) << check.url;
        EXPECT_EQ(Contains(after, "load start"), check.expected == "load end 404") << check.url;
    }
}

TEST_F(BrowserRuntimeTest, RoutesProcessMessagesBetweenTheTwoSides) {
    ASSERT_TRUE(Start());
    CefRefPtr<CefBrowser> browser = OpenBrowser("about:blank");
    ASSERT_TRUE(browser);
    CefRefPtr<CefProcessMessage> ping = CefProcessMessage::Create("Ping");
    ping->GetArgumentList()->SetInt(0, 41);
    ASSERT_TRUE(browser->SendProcessMessage(PID_RENDERER, ping));
    ping->GetArgumentList()->SetInt(0, 0);  // the sent message was a copy
    ASSERT_TRUE(recorder_.WaitFor("message Pong"));
    EXPECT_TRUE(Contains(recorder_.Lines(), "render message Ping 41 from browser"));
    EXPECT_TRUE(Contains(recorder_.Lines(), "message Pong 42 from renderer"));
    EXPECT_TRUE(recorder_.AllOn("render message", TID_RENDERER));
    EXPECT_TRUE(recorder_.AllOn("message", TID_UI));
    EXPECT_TRUE(Contains(Journal(), "SendProcessMessage(PID_RENDERER, \"Ping\" [41])"));
}

TEST_F(BrowserRuntimeTest, APageCallThroughTheExtensionComesBackToItsCallback) {
    ASSERT_TRUE(Start());
    CefRefPtr<CefBrowser> browser = OpenBrowser("about:blank");
    ASSERT_TRUE(browser);
    ASSERT_TRUE(recorder_.WaitFor("render context"));
    const int id = browser->GetIdentifier();
    ASSERT_EQ(zel_test_call_native(id, "Bridge", "call", R"(["Echo", "{\"a\":1}", {"$function": "done"}])"), 1);
    ASSERT_TRUE(recorder_.WaitFor("message CallCpp"));
    ASSERT_TRUE(zel_test_wait_idle(10000));
    EXPECT_EQ(PageLog(id),
              R"([{"event":"native-call","exception":"","function":"Bridge.call","handled":true,"result":{"$undefined":true}},)"
              R"({"arguments":[false,{"a":1}],"event":"function-called","label":"done"}])");

    // Script errors come back as the handler's exception; unknown objects are not there.
    ASSERT_EQ(zel_test_call_native(id, "Bridge", "call", R"(["Echo"])"), 1);
    ASSERT_EQ(zel_test_call_native(id, "Missing", "call", R"([])"), 1);
    const std::string log = PageLog(id);
    EXPECT_NE(log.find(R"("exception":"Invalid arguments.")"), std::string::npos);
    EXPECT_NE(log.find(R"("exception":"ReferenceError: Missing is not defined")"), std::string::npos);

    // A new page releases the old context while the frame still answers with it.
    browser->GetMainFrame()->LoadURL("about:blank");
    ASSERT_TRUE(recorder_.WaitFor("render context released"));
    EXPECT_TRUE(Contains(recorder_.Lines(), "render context released, the frame's"));
    EXPECT_TRUE(recorder_.AllOn("render context", TID_RENDERER));
}

TEST_F(BrowserRuntimeTest, DriverActionsReachTheHandlers) {
    TestServer server;
    folder_.WriteFile(L"site\\file.bin", std::string(100000, 'z'));
    ASSERT_TRUE(server.Start(folder_.Child(L"site")));
    ASSERT_TRUE(Start());
    CefRefPtr<CefBrowser> browser = OpenBrowser("about:blank");
    ASSERT_TRUE(browser);
    ASSERT_TRUE(recorder_.WaitFor("render context"));
    const int id = browser->GetIdentifier();

    client_->cancelPopups = true;
    ASSERT_EQ(zel_test_open_popup(id, "http://127.0.0.1/a"), 1);
    client_->cancelPopups = false;
    ASSERT_EQ(zel_test_open_popup(id, (server.BaseUrl(0) + "blue.html").c_str()), 1);
    ASSERT_TRUE(recorder_.WaitFor("title Blue & page"));

    client_->downloadFolder = folder_.path();
    ASSERT_EQ(zel_test_request_download(id, (server.BaseUrl(0) + "file.bin").c_str(), "saved.bin"), 1);
    ASSERT_TRUE(recorder_.WaitFor("download complete"));
    EXPECT_EQ(ReadWholeFile(folder_.Child(L"saved.bin")), std::string(100000, 'z'));

    ASSERT_EQ(zel_test_focus_node(id, 1), 1);
    ASSERT_EQ(zel_test_popup_widget(id, 1, 10, 20, 60, 40), 1);
    ASSERT_TRUE(zel_test_wait_idle(10000));
    const std::vector<std::string> lines = recorder_.Lines();
    EXPECT_EQ(Only(lines, {"popup", "download", "focus", "paint popup"}),
              (std::vector<std::string>{"popup http://127.0.0.1/a", "popup " + server.BaseUrl(0) + "blue.html",
                                        "download asked saved.bin", "download complete 100000", "focus editable",
                                        "paint popup 60x40"}));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("created", 0) == 0; }), 2);
    EXPECT_EQ(zel_test_open_popup(9999, "http://127.0.0.1/"), 0);
}

}  // namespace
