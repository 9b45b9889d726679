// The off-screen browser control in a real window on thread 0, with a fake runtime: input
// forwarded to the browser, frames painted into the window, navigation and the page's events.
#include "browser/cef_control.h"

#include <gtest/gtest.h>

#include "base/message_loop.h"
#include "browser/cef_manager.h"
#include "tests/base/thread_test_support.h"
#include "tests/browser/fake_runtime.h"
#include "tests/ui/support/render_snapshot.h"
#include "tests/ui/window_test_support.h"
#include "ui/box.h"
#include "ui/global_manager.h"
#include "ui/layout.h"

namespace {

using fake_runtime::FakeBrowser;
using fake_runtime::Journal;
using fake_runtime::RuntimeThread;
using Lines = std::vector<std::string>;
using window_test::At;

// The control's rectangle in the window: (100, 50) to (300, 150).
constexpr RECT kControl{100, 50, 300, 150};

// A frame of one colour (0xAARRGGBB) in the runtime's byte order.
std::string Frame(int width, int height, std::uint32_t argb) {
    std::string pixels;
    pixels.reserve(static_cast<std::size_t>(width) * height * 4);
    for (int i = 0; i < width * height; ++i) {
        pixels += static_cast<char>(argb & 0xff);
        pixels += static_cast<char>((argb >> 8) & 0xff);
        pixels += static_cast<char>((argb >> 16) & 0xff);
        pixels += static_cast<char>(argb >> 24);
    }
    return pixels;
}

class CefControlTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ui_.StartWithLoop(kbase::MessageLoop::kUILoop));
        OnUi([this] {
            window_ = std::make_unique<window_test::TestWindow>(L"BrowserControlTest");
            ASSERT_TRUE(window_->Open(false, RECT{100, 100, 500, 400}));
            auto* root = new ui::Box(new ui::Layout);
            ui::GlobalManager::AddTextColor(L"browser_test_back", 0xFF202020);
            root->SetBkColor(L"browser_test_back");
            window_->AttachRoot(root);
            control_ = new zel_comp::CefControl();
            control_->SetFixedWidth(kControl.right - kControl.left, true, false);
            control_->SetFixedHeight(kControl.bottom - kControl.top, false);
            control_->SetMargin(RECT{kControl.left, kControl.top, 0, 0}, false);
            root->Add(control_);
        });
        WaitLaidOut();
        Journal::Get().Take();
    }
    void TearDown() override {
        OnUi([this] { window_.reset(); });
        if (browser_) Close();
        ui_.Stop();
        Journal::Get().Take();
    }

    void OnUi(std::function<void()> task) { ASSERT_TRUE(kbase_test::RunOn(ui_.LoopProxy(), std::move(task))); }
    void Settle() {
        ASSERT_TRUE(RuntimeThread::Get().Run([] {}));
        OnUi([] {});
    }
    void WaitLaidOut() {
        bool laidOut = false;
        for (int i = 0; i < 200 && !laidOut; ++i) OnUi([&] { laidOut = !window_->IsArrangePending(); });
        ASSERT_TRUE(laidOut);
    }
    // The browser the runtime reports for the control.
    void Arrive() {
        browser_ = new FakeBrowser("main");
        handler_ = control_->GetHandler();
        ASSERT_TRUE(RuntimeThread::Get().Run([&] { handler_->OnAfterCreated(browser_); }));
        Settle();
    }
    void Close() {
        ASSERT_TRUE(RuntimeThread::Get().Run([&] { handler_->OnBeforeClose(browser_); }));
        Settle();
        browser_ = nullptr;
    }
    void Send(UINT message, WPARAM wParam, LPARAM lParam) {
        OnUi([&] { ::SendMessageW(window_->GetHWND(), message, wParam, lParam); });
    }
    void Paint(CefPaintElementType type, const std::string& pixels, int width, int height) {
        const CefRefPtr<zel_comp::BrowserHandler> handler = control_->GetHandler();
        ASSERT_TRUE(RuntimeThread::Get().Run([&] { handler->OnPaint(browser_, type, {}, pixels.data(), width, height); }));
        Settle();
        OnUi([this] { ::UpdateWindow(window_->GetHWND()); });
    }
    std::uint32_t PixelAt(int x, int y) {
        std::uint32_t argb = 0;
        OnUi([&] {
            ::UpdateWindow(window_->GetHWND());
            argb = ui_test::PixelAt(*window_->GetRenderContext(), x, y).Argb();
        });
        return argb;
    }

    kbase_test::Watchdog watchdog_{"browser control test"};
    kbase_test::RegisteredThread ui_{0};
    std::unique_ptr<window_test::TestWindow> window_;
    zel_comp::CefControl* control_ = nullptr;  // owned by the window's tree
    CefRefPtr<CefBrowser> browser_;
    CefRefPtr<zel_comp::BrowserHandler> handler_;  // the control's, kept when the control goes first
};

TEST_F(CefControlTest, NavigationsBeforeTheBrowserWaitAndRunInOrder) {
    OnUi([this] {
        control_->NavigateTo("http://a/");
        control_->NavigateTo("http://b/");
    });
    EXPECT_EQ(Journal::Get().Take(), Lines{});
    Arrive();
    EXPECT_EQ(Journal::Get().Take(), (Lines{"main load http://a/", "main load http://b/"}));
    OnUi([this] { control_->NavigateTo("http://c/"); });
    EXPECT_EQ(Journal::Get().Take(), Lines{"main load http://c/"});
    OnUi([this] { control_->RecreateBrowser(); });  // a browser exists: nothing
}

TEST_F(CefControlTest, MouseAndKeysReachTheBrowserRelativeToTheControl) {
    Arrive();
    Journal::Get().Take();
    Send(WM_KEYDOWN, 'A', 0);                          // no focus yet: not forwarded
    Send(WM_MOUSEMOVE, 0, At(20, 20));                 // outside, no capture
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));      // outside
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(20, 20));        // outside, but the window holds the capture
    Send(WM_LBUTTONUP, 0, At(20, 20));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(150, 80));     // inside: takes the focus first
    Send(WM_LBUTTONUP, 0, At(150, 80));
    Send(WM_RBUTTONUP, 0, At(150, 80));                // keeps the window's coordinates
    Send(WM_RBUTTONDBLCLK, MK_RBUTTON, At(150, 80));   // a left double click
    Send(WM_MOUSEMOVE, MK_SHIFT, At(299, 149));
    Send(WM_MOUSELEAVE, 0, At(20, 20));                // outside
    Send(WM_MOUSELEAVE, 0, At(120, 60));
    Send(WM_KEYDOWN, 'A', 0x001E0001);
    Send(WM_SYSCHAR, 'a', 0x20000001);
    Lines seen = Journal::Get().Take();
    // The window's own capture changes come as they come; they are checked below.
    std::erase(seen, "main capture lost");
    EXPECT_EQ(seen, (Lines{"main move -80,-30", "main click -80,-30 button 0 up x1", "main focus event", "main click 50,30 button 0 down x1",
                           "main click 50,30 button 0 up x1", "main click 150,80 button 2 up x1",
                           "main click 50,30 button 0 down x2", "main move 199,99", "main leave 20,10",
                           "main key 0 65", "main key 3 97 system"}));
    Send(WM_CANCELMODE, 0, 0);
    EXPECT_EQ(Journal::Get().Take(), Lines{"main capture lost"});

    OnUi([this] { control_->SetVisible(false); });
    Journal::Get().Take();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(150, 80));
    Send(WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(Journal::Get().Take(), Lines{});
}

TEST_F(CefControlTest, TheWheelScrollsOnlyOverTheControlAndSidewaysWithShift) {
    Arrive();
    Journal::Get().Take();
    POINT inside{150, 80};
    POINT outside{20, 20};
    OnUi([&] {
        // The wheel goes only to the window under the pointer; other tests' windows share the display.
        ::SetWindowPos(window_->GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::ClientToScreen(window_->GetHWND(), &inside);
        ::ClientToScreen(window_->GetHWND(), &outside);
    });
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), At(outside.x, outside.y));
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), At(inside.x, inside.y));
    OnUi([] {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = 0x80;
        ::SetKeyboardState(keys);
    });
    Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, WHEEL_DELTA), At(inside.x, inside.y));
    OnUi([] {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
    });
    EXPECT_EQ(Journal::Get().Take(), (Lines{"main wheel 50,30 by 0,-120", "main wheel 50,30 by 120,0"}));
}

TEST_F(CefControlTest, FramesArePaintedIntoTheControlWithThePopupOverThem) {
    Arrive();
    const int midX = (kControl.left + kControl.right) / 2;
    const int midY = (kControl.top + kControl.bottom) / 2;
    EXPECT_EQ(PixelAt(midX, midY), 0xFF202020u);  // no frame yet: the window's background

    OnUi([this] { control_->OnPopupSize(browser_, CefRect{-10, 5, 40, 30}); });
    Paint(PET_POPUP, Frame(40, 30, 0xFF00FF00), 40, 30);  // before any view: dropped
    EXPECT_EQ(PixelAt(kControl.left + 5, kControl.top + 10), 0xFF202020u);

    Paint(PET_VIEW, Frame(200, 100, 0xFFCC6633), 200, 100);
    EXPECT_EQ(PixelAt(midX, midY), 0xFFCC6633u);
    Paint(PET_POPUP, Frame(40, 30, 0xFF00FF00), 40, 30);
    EXPECT_EQ(PixelAt(kControl.left + 5, kControl.top + 10), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(kControl.left + 5, kControl.top + 2), 0xFFCC6633u);  // above the popup
    OnUi([this] { ui_test::WriteRenderContextPng(*window_->GetRenderContext(), L"browser_control_popup.png", 1); });

    Journal::Get().Take();
    OnUi([this] {
        control_->OnPopupShow(browser_, false);
        control_->Invalidate();
        ::UpdateWindow(window_->GetHWND());
    });
    EXPECT_EQ(Journal::Get().Take(), Lines{"main invalidate 0"});
    EXPECT_EQ(PixelAt(kControl.left + 5, kControl.top + 10), 0xFFCC6633u);
}

TEST_F(CefControlTest, AddressChangesReportTheMainFramesPageOnlyWhenItChanges) {
    Arrive();
    std::vector<std::wstring> urls;
    std::vector<std::string> pages;
    OnUi([&] {
        control_->AttachUrlChange([&](const std::wstring& url) { urls.push_back(url); });
        control_->AttachMainUrlChange([&](const CefString& from, const CefString& to) {
            pages.push_back(from.ToString() + " -> " + to.ToString());
        });
        const CefRefPtr<CefFrame> main = browser_->GetMainFrame();
        const CefRefPtr<CefFrame> sub(new fake_runtime::FakeFrame(nullptr, "sub", false));
        for (const char* url : {"http://a/x#1", "http://a/x#2", "http://a/y"}) {
            main->LoadURL(url);
            control_->OnAddressChange(browser_, main, url);
        }
        control_->OnAddressChange(browser_, sub, "http://frame/");
    });
    EXPECT_EQ(urls, (std::vector<std::wstring>{L"http://a/x#1", L"http://a/x#2", L"http://a/y", L"http://frame/"}));
    EXPECT_EQ(pages, (std::vector<std::string>{" -> http://a/x#1", "http://a/x#2 -> http://a/y"}));
}

TEST_F(CefControlTest, DefaultAnswersWithoutCallbacks) {
    Arrive();
    OnUi([this] {
        CefWindowInfo info;
        CefRefPtr<CefClient> client;
        CefBrowserSettings settings;
        EXPECT_FALSE(control_->OnBeforePopup(browser_, nullptr, "http://x/", "", WOD_NEW_POPUP, true,
                                             CefPopupFeatures(), info, client, settings, nullptr));
        EXPECT_EQ(control_->OnBeforeResourceLoad(browser_, nullptr, nullptr, nullptr), RV_CONTINUE);
        EXPECT_FALSE(control_->OnBeforeBrowse(browser_, nullptr, nullptr, false));
        EXPECT_FALSE(control_->OnFileDialog(browser_, FILE_DIALOG_OPEN, "", "", {}, 0, nullptr));
        bool popupAsked = false;
        control_->AttachBeforePopup([&](const std::wstring&) { return popupAsked = true; });
        EXPECT_FALSE(control_->OnBeforePopup(browser_, nullptr, "", "", WOD_NEW_POPUP, true, CefPopupFeatures(), info,
                                             client, settings, nullptr));
        EXPECT_FALSE(popupAsked);
        EXPECT_TRUE(control_->OnBeforePopup(browser_, nullptr, "http://x/", "", WOD_NEW_POPUP, true,
                                            CefPopupFeatures(), info, client, settings, nullptr));
        // Developer tools need a browser control as their view.
        EXPECT_TRUE(control_->ShowDevToolsIn(window_->GetRoot()));
        EXPECT_FALSE(control_->IsDevToolsShown());
        control_->HideDevTools();
    });
}

TEST_F(CefControlTest, AControlDestroyedBeforeItsBrowserClosesItOnArrival) {
    handler_ = control_->GetHandler();
    OnUi([this] { window_.reset(); });
    EXPECT_EQ(Journal::Get().Take(), Lines{});  // no browser to close yet
    browser_ = new FakeBrowser("late");
    ASSERT_TRUE(RuntimeThread::Get().Run([this] { handler_->OnAfterCreated(browser_); }));
    Settle();
    EXPECT_EQ(Journal::Get().Take(), Lines{"late close forced"});
    Close();
    EXPECT_EQ(zel_comp::CefManager::GetInstance().GetBrowserCount(), 0);
}

}  // namespace
