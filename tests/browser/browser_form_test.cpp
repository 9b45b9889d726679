// The off-screen browser control in a skinned window of its own, on the stand-in runtime: a
// page from the local test server painted into the window, a click and a key reaching the
// runtime, the page object's round trip through the launcher, and a popup and a download
// request handled as the launcher handles them.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <json/json.h>

#include "base/message_loop.h"
#include "base/path_util.h"
#include "browser/cef_control.h"
#include "browser/cef_js_bridge.h"
#include "browser/cef_manager.h"
#include "tests/base/thread_test_support.h"
#include "tests/support/test_server.h"
#include "tests/ui/support/render_snapshot.h"
#include "tools/browser_runtime/test_driver.h"
#include "ui/global_manager.h"
#include "ui/window_impl_base.h"

namespace {

constexpr DWORD kWaitMs = 15000;

// The stand-in runtime started once for the process, from the cef folder beside the tests.
class RuntimeEnvironment : public testing::Environment {
public:
    void SetUp() override {
        ::SetCurrentDirectoryW(kbase::GetOwnModuleDirectory().c_str());
        zel_comp::CefManager& manager = zel_comp::CefManager::GetInstance();
        ASSERT_TRUE(zel_comp::CefManager::PrependCefFolderToPath()) << "no cef folder beside the test";
        ASSERT_TRUE(manager.LoadRuntimeLibrary());
        CefSettings settings;
        ASSERT_TRUE(manager.Initialize(kbase::GetOwnModuleDirectory() + L"cef_temp\\", settings));
    }
    void TearDown() override { zel_comp::CefManager::GetInstance().Shutdown(); }
};
const auto* const environment = testing::AddGlobalTestEnvironment(new RuntimeEnvironment);

// A window of the test skin whose "CefControl" element becomes the off-screen browser control.
class BrowserForm : public ui::WindowImplBase {
public:
    std::wstring GetWindowClassName() const override { return L"BrowserTestForm"; }
    std::wstring GetSkinFolder() override { return BROWSER_FORM_SKIN_DIR_W; }
    std::wstring GetSkinFile() override { return L"skin.xml"; }
    ui::Control* CreateControl(const std::wstring& className) override {
        return className == L"CefControl" ? new zel_comp::CefControl() : nullptr;
    }
    zel_comp::CefControl* WebView() const { return dynamic_cast<zel_comp::CefControl*>(FindControl(L"webview")); }
};

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::wstring& path, const std::string& text) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << text;
}

std::string Page(const char* title, const char* colour) {
    return std::string("<html><head><title>") + title + "</title></head><body bgcolor=\"" + colour +
           "\"><a href=\"next.html\">next</a></body></html>";
}

// True once done() holds, asked again every 50 ms until the limit. Meanwhile this thread's
// messages are dispatched: it started the runtime, whose UI thread parks a window under one of
// this thread's.
bool WaitFor(const std::function<bool()>& done, DWORD ms = kWaitMs) {
    const ULONGLONG deadline = ::GetTickCount64() + ms;
    while (!done()) {
        if (::GetTickCount64() >= deadline) return false;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return true;
}

class BrowserFormTest : public testing::Test {
protected:
    void SetUp() override {
        site_ = kbase::GetOwnModuleDirectory() + L"browser_form_site";
        ::CreateDirectoryW(site_.c_str(), nullptr);
        WriteFile(site_ + L"\\page.html", Page("Activity", "#3366cc"));
        WriteFile(site_ + L"\\next.html", Page("Next", "#cc6633"));
        ASSERT_TRUE(server_.Start(site_));
        ASSERT_TRUE(ui_.StartWithLoop(kbase::MessageLoop::kUILoop));
        OnUi([this] {
            ui::GlobalManager::StartupRender();
            ui::GlobalManager::AddTextColor(L"browser_form_back", 0xFF202830);
            ui::GlobalManager::AddTextColor(L"browser_form_band", 0xFF405060);
            form_ = new BrowserForm();
            hwnd_ = form_->Create(nullptr, L"browser form", WS_POPUP, 0, false);
            ASSERT_NE(hwnd_, nullptr);
            ::SetWindowPos(hwnd_, nullptr, 50, 50, 420, 330, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            form_->WebView()->NavigateTo(server_.BaseUrl(0) + "page.html");
        });
        ASSERT_TRUE(WaitFor([this] { return WebViewColour() == 0xFF3366CCu; })) << "page not painted";
        OnUi([this] { browserId_ = form_->WebView()->GetHandler()->GetMainBrowser()->GetIdentifier(); });
    }
    void TearDown() override {
        OnUi([this] {
            if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
        });
        // The control closed its browser; the runtime reports it gone.
        EXPECT_TRUE(WaitFor([this] {
            int count = -1;
            OnUi([&] { count = zel_comp::CefManager::GetInstance().GetBrowserCount(); });
            return count == 0;
        }));
        ui_.Stop();
    }

    void OnUi(std::function<void()> task) { ASSERT_TRUE(kbase_test::RunOn(ui_.LoopProxy(), std::move(task))); }
    // The window's pixel in the lower right of the web view, away from the page's title.
    std::uint32_t WebViewColour() {
        std::uint32_t argb = 0;
        OnUi([&] {
            const RECT rect = form_->WebView()->GetPos();
            ::UpdateWindow(hwnd_);
            argb = ui_test::PixelAt(*form_->GetRenderContext(), rect.right - 20, rect.bottom - 20).Argb();
        });
        return argb;
    }
    POINT WebViewPoint(int dx, int dy) {
        POINT point{};
        OnUi([&] {
            const RECT rect = form_->WebView()->GetPos();
            point = POINT{rect.left + dx, rect.top + dy};
        });
        return point;
    }
    static std::string Journal() { return ReadFile(kbase::GetOwnModuleDirectory() + L"cef_temp\\cef.log"); }
    Json::Value PageLog() {
        std::string text(64 * 1024, '\0');
        text.resize(zel_test_page_log(browserId_, text.data(), text.size()));
        Json::Value log;
        Json::Reader().parse(text, log);
        return log;
    }
    // The page log's events of one kind.
    std::vector<Json::Value> Events(const char* kind) {
        std::vector<Json::Value> events;
        for (const Json::Value& event : PageLog()) {
            if (event["event"].asString() == kind) events.push_back(event);
        }
        return events;
    }

    kbase_test::Watchdog watchdog_{"browser form test", std::chrono::seconds(120)};
    std::wstring site_;
    TestServer server_;
    kbase_test::RegisteredThread ui_{0};
    BrowserForm* form_ = nullptr;  // deletes itself with its window
    HWND hwnd_ = nullptr;
    int browserId_ = 0;
};

TEST_F(BrowserFormTest, ThePageIsPaintedAndAClickAndAKeyReachTheBrowser) {
    OnUi([this] { ui_test::WriteRenderContextPng(*form_->GetRenderContext(), L"browser_form_page.png", 1); });
    const POINT point = WebViewPoint(30, 40);
    ::PostMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    ::PostMessageW(hwnd_, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    ::PostMessageW(hwnd_, WM_KEYDOWN, 'K', 0x00250001);
    const std::string browser = "browser " + std::to_string(browserId_) + ": ";
    EXPECT_TRUE(WaitFor([&] {
        const std::string journal = Journal();
        return journal.find(browser + "SendMouseClickEvent(30,40 flags 16, button 0, down, clicks 1)") != std::string::npos &&
               journal.find(browser + "SendMouseClickEvent(30,40 flags 0, button 0, up, clicks 1)") != std::string::npos &&
               journal.find(browser + "SendKeyEvent(type 0, key 75") != std::string::npos;
    })) << Journal();
}

TEST_F(BrowserFormTest, APageCallsTheLauncherAndGetsTheAnswerBack) {
    OnUi([this] {
        form_->WebView()->GetBridge()->RegisterCppFunction("echo", [](const std::string& parameters,
                                                                      zel_comp::CefJSBridge::ReportResult report) {
            report(false, "{\"echoed\":" + parameters + "}");
        });
    });
    ASSERT_TRUE(zel_test_call_native(browserId_, "ZelCefWebInstance", "call",
                                     R"(["echo", "{\"a\":1}", {"$function": "answer"}])"));
    ASSERT_TRUE(zel_test_call_native(browserId_, "ZelCefWebInstance", "call",
                                     R"(["missing", {"$function": "refused"}])"));
    std::vector<Json::Value> calls;
    EXPECT_TRUE(WaitFor([&] { return (calls = Events("function-called")).size() == 2; })) << PageLog();
    ASSERT_EQ(calls.size(), 2u);
    for (const Json::Value& call : calls) {
        SCOPED_TRACE(call.toStyledString());
        if (call["label"] == "answer") {
            EXPECT_EQ(call["arguments"][0], false);
            EXPECT_EQ(call["arguments"][1]["echoed"]["a"], 1);
        } else {
            EXPECT_EQ(call["label"], "refused");
            EXPECT_EQ(call["arguments"][0], true);
            EXPECT_EQ(call["arguments"][1]["message"], "Function does not exist.");
        }
    }
}

TEST_F(BrowserFormTest, APopupLoadsInTheMainBrowserOnlyWhenTheWindowLetsIt) {
    const std::string next = server_.BaseUrl(0) + "next.html";
    ASSERT_TRUE(zel_test_open_popup(browserId_, next.c_str()));
    std::vector<Json::Value> popups = Events("popup");
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0]["created"], false);
    ASSERT_TRUE(zel_test_wait_idle(kWaitMs));
    EXPECT_EQ(WebViewColour(), 0xFF3366CCu);  // refused without a popup callback: the page stays

    OnUi([this] { form_->WebView()->AttachBeforePopup([](const std::wstring&) { return true; }); });
    ASSERT_TRUE(zel_test_open_popup(browserId_, next.c_str()));
    EXPECT_EQ(Events("popup").size(), 2u);
    EXPECT_TRUE(WaitFor([this] { return WebViewColour() == 0xFFCC6633u; })) << "next page not shown";
    OnUi([this] { EXPECT_EQ(zel_comp::CefManager::GetInstance().GetBrowserCount(), 1); });
}

TEST_F(BrowserFormTest, ADownloadIsNotStartedWithoutTheWindowsConsent) {
    WriteFile(site_ + L"\\file.bin", std::string(1000, 'x'));
    const std::string url = server_.BaseUrl(0) + "file.bin";
    ASSERT_TRUE(zel_test_request_download(browserId_, url.c_str(), "file.bin"));
    ASSERT_TRUE(zel_test_wait_idle(kWaitMs));
    const std::vector<Json::Value> downloads = Events("download");
    ASSERT_EQ(downloads.size(), 1u) << PageLog();
    EXPECT_NE(Journal().find("OnBeforeDownload"), std::string::npos);
    EXPECT_EQ(server_.Log().find("file.bin"), std::string::npos) << "the file was fetched";
}

TEST_F(BrowserFormTest, ThePageObjectRefusesBadCallsWithItsExceptionTexts) {
    struct Case {
        const char* function;
        const char* arguments;
        bool handled;
        const char* exception;
    } const cases[] = {
        {"call", R"(["f"])", false, "Invalid arguments."},
        {"call", R"(["f", "{\"a\":1}"])", false, "Invalid arguments."},
        {"call", R"([1, {"$function": "cb"}])", false, "Invalid arguments."},
        {"register", R"(["page", {"$function": "offered"}])", true, ""},
        {"register", R"(["page", {"$function": "again"}])", false, "Failed to register function."},
        {"register", R"(["page", "not a function"])", false, "Invalid arguments."},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(zel_test_call_native(browserId_, "ZelCefWebInstance", c.function, c.arguments));
    }
    const std::vector<Json::Value> calls = Events("native-call");
    ASSERT_EQ(calls.size(), std::size(cases)) << PageLog();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(cases[i].arguments);
        EXPECT_EQ(calls[i]["handled"].asBool(), cases[i].handled);
        EXPECT_EQ(calls[i]["exception"].asString(), cases[i].exception);
    }
    // Nothing of the refused calls reached the launcher.
    EXPECT_EQ(Journal().find("\"CallCppFunction\" [\"f\""), std::string::npos);
}

TEST_F(BrowserFormTest, OnlyAChangeOfTheFocusedNodesKindIsReported) {
    auto editable = [this] {
        bool value = false;
        OnUi([&] { value = form_->WebView()->GetHandler()->IsFocusedNodeEditable(); });
        return value;
    };
    const auto reports = [] {
        const std::string journal = Journal();
        std::size_t count = 0;
        for (std::size_t at = journal.find("SendProcessMessage(PID_BROWSER, \"FocusedNodeChanged\"");
             at != std::string::npos; at = journal.find("SendProcessMessage(PID_BROWSER, \"FocusedNodeChanged\"", at + 1)) {
            ++count;
        }
        return count;
    };
    const std::size_t before = reports();
    ASSERT_TRUE(zel_test_focus_node(browserId_, 0));  // a button first: nothing to report
    ASSERT_TRUE(zel_test_focus_node(browserId_, 1));
    ASSERT_TRUE(zel_test_focus_node(browserId_, 1));  // another text field
    ASSERT_TRUE(zel_test_wait_idle(kWaitMs));
    EXPECT_TRUE(WaitFor(editable));
    ASSERT_TRUE(zel_test_focus_node(browserId_, 0));
    ASSERT_TRUE(zel_test_wait_idle(kWaitMs));
    EXPECT_TRUE(WaitFor([&] { return !editable(); }));
    EXPECT_EQ(reports() - before, 2u);
}

}  // namespace
