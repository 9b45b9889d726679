// The skinned window base on real windows built from skin files: creation, the load failure
// box, the hit test, tracking limits, round corners, DPI changes, the system buttons and the
// object's end with its window.
#include "ui/window_impl_base.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/launcher_messages.h"
#include "tests/ui/dpi_scope.h"
#include "tests/ui/image_files.h"
#include "tests/ui/support/render_snapshot.h"
#include "tests/ui/window_test_support.h"
#include "ui/box.h"
#include "ui/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/shadow_box.h"

namespace {

using window_test::At;

// A button as far as the window base is concerned: a click raises the click event, and it
// stays clickable inside the caption band.
class Clicker : public ui::Control {
public:
    bool IsCaptionClickable() const override { return true; }
    void Activate() override { SendEvent(this, ui::kEventClick); }
};

// What a form did, kept outside the form, which deletes itself.
struct FormLog {
    std::vector<std::string> calls;
    std::vector<window_test::Message> messages;
    bool deleted = false;
};

class TestForm : public ui::WindowImplBase {
public:
    TestForm(std::wstring folder, FormLog& log) : folder_(std::move(folder)), log_(log) {}
    ~TestForm() override { log_.deleted = true; }

    std::wstring GetWindowClassName() const override { return L"UiTestForm"; }
    std::wstring GetSkinFolder() override {
        log_.calls.push_back("folder");
        return folder_;
    }
    std::wstring GetSkinFile() override {
        log_.calls.push_back("file");
        return L"skin.xml";
    }
    LONG GetStyle() override {
        log_.calls.push_back("style");
        return WindowImplBase::GetStyle();
    }
    ui::Control* CreateControl(const std::wstring& className) override {
        log_.calls.push_back("create " + std::string(className.begin(), className.end()));
        return className == L"Clicker" ? new Clicker : nullptr;
    }
    void InitWindow() override {
        log_.calls.push_back("init");
        SetWindowAttribute(L"caption", L"0,0,0,30");
        SetWindowAttribute(L"sizebox", L"4,4,4,4");
        if (!roundCorner.empty()) SetWindowAttribute(L"roundcorner", roundCorner);
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kMsgWindowStackChanged) log_.calls.push_back("stack changed");
        if (message == WM_CLOSE) log_.messages.push_back({message, wParam, lParam});
        return WindowImplBase::HandleMessage(message, wParam, lParam);
    }
    LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) override {
        log_.calls.push_back("close");
        if (keepOnClose) return 0;  // handled: the window stays
        return WindowImplBase::OnClose(message, wParam, lParam, handled);
    }

    std::wstring roundCorner;
    bool keepOnClose = false;

private:
    std::wstring folder_;
    FormLog& log_;
};

constexpr char kSkin[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window>
  <HBox name="content" width="200" height="100" bkcolor="form_panel">
    <Control name="label" width="60" height="30" bkcolor="form_label"/>
    <Clicker name="minbtn" width="30" height="30" bkcolor="form_button"/>
    <Clicker name="maxbtn" width="30" height="30" bkcolor="form_button"/>
    <Clicker name="restorebtn" width="30" height="30" visible="false" bkcolor="form_button"/>
    <Clicker name="closebtn" width="30" height="30" bkcolor="form_close"/>
  </HBox>
</Window>
)";

// A shadow picture: transparent at the outer edge, darker towards the inside.
void WriteShadowImage(const std::wstring& path) {
    constexpr int kSize = 90;  // corners of 30 and a middle of 30
    std::vector<image_files::Pixel> pixels;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int edge = std::min(std::min(x, y), std::min(kSize - 1 - x, kSize - 1 - y));
            const auto alpha = static_cast<Gdiplus::ARGB>(std::min(edge * 8, 0x60));
            pixels.push_back({x, y, alpha << 24});
        }
    }
    image_files::SaveImage(path, L"image/png", PixelFormat32bppARGB, kSize, kSize, 0, pixels);
}

class WindowImplBaseTest : public testing::Test {
protected:
    void SetUp() override {
        ui::GlobalManager::StartupRender();
        ui::GlobalManager::AddTextColor(L"form_panel", 0xFF2A3550);
        ui::GlobalManager::AddTextColor(L"form_label", 0xFF56627A);
        ui::GlobalManager::AddTextColor(L"form_button", 0xFF3C8CE7);
        ui::GlobalManager::AddTextColor(L"form_close", 0xFFE05A4F);
        std::filesystem::create_directories(folder_.Child(L"form"));
        std::filesystem::create_directories(folder_.Child(L"public"));
        WriteShadowImage(folder_.Child(L"public\\bk_shadow.png"));
    }
    void TearDown() override {
        if (form_ && !log_.deleted && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
        EXPECT_TRUE(!form_ || log_.deleted);  // every form ends with its window
    }

    // Creates a form of the skin text, placed at (100, 100), 228 x 128 (the content and its
    // shadow) when asked.
    HWND Open(const std::string& skin = kSkin, const std::wstring& roundCorner = L"", bool place = true) {
        image_files::WriteBytes(folder_.Child(L"form\\skin.xml"), skin);
        form_ = new TestForm(folder_.Child(L"form"), log_);
        form_->roundCorner = roundCorner;
        hwnd_ = form_->Create(nullptr, L"form", 0xCE0000, 0, true);
        if (hwnd_ && place) {
            ::SetWindowPos(hwnd_, nullptr, 100, 100, 228, 128, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
        return hwnd_;
    }

    void Click(const std::wstring& name) {
        const RECT rect = form_->FindControl(name)->GetPos();
        const LPARAM at = At((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ::PostMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(hwnd_, WM_LBUTTONUP, 0, at);
        window_test::PumpPending();
    }

    image_files::TempFolder folder_;
    FormLog log_;
    TestForm* form_ = nullptr;
    HWND hwnd_ = nullptr;
};

TEST_F(WindowImplBaseTest, CreationBuildsTheSkinIntoAShadowedRootInTheFixedOrder) {
    ASSERT_TRUE(Open());
    const std::vector<std::string> want = {"style",          "stack changed",  "folder",         "file",
                                           "create Clicker", "create Clicker", "create Clicker", "create Clicker",
                                           "init"};
    EXPECT_EQ(log_.calls, want);
    EXPECT_EQ(form_->GetResourcePath(), folder_.Child(L"form") + L"\\");
    EXPECT_EQ(::GetWindowLongW(hwnd_, GWL_STYLE) & WS_CAPTION, 0);

    ui::Box* root = form_->GetRoot();
    ASSERT_EQ(root, form_->GetShadow().box);
    EXPECT_EQ(root->GetFixedWidth(), 228);
    EXPECT_EQ(root->GetFixedHeight(), 128);
    EXPECT_EQ(root->GetItemAt(0), form_->FindControl(std::wstring(L"content")));

    // The first paint: the shadow picture around the opaque content.
    ASSERT_TRUE(window_test::PumpUntilLaidOut(*form_));
    window_test::PumpPending();
    ui::IRenderContext& bitmap = *form_->GetRenderContext();
    ui_test::WriteRenderContextPng(bitmap, L"window_impl_base_form.png", 2);
    EXPECT_EQ(ui_test::PixelAt(bitmap, 0, 0).a, 0);          // the picture's transparent edge
    EXPECT_GT(ui_test::PixelAt(bitmap, 100, 10).a, 0);       // its shadow band
    EXPECT_LT(ui_test::PixelAt(bitmap, 100, 10).a, 255);
    EXPECT_EQ(ui_test::PixelAt(bitmap, 100, 80).Argb(), 0xFF2A3550u);  // content
}

TEST_F(WindowImplBaseTest, AMissingSkinShowsTheFailureBoxAndMakesNoWindow) {
    // The box runs its own loop on this thread: a helper reads and dismisses it.
    const DWORD thread = ::GetCurrentThreadId();
    std::wstring text;
    std::wstring caption;
    std::thread dismisser([&] {
        const ULONGLONG deadline = ::GetTickCount64() + 10000;
        while (::GetTickCount64() < deadline) {
            HWND box = nullptr;
            ::EnumThreadWindows(
                thread,
                [](HWND hwnd, LPARAM found) {
                    wchar_t name[16] = {};
                    ::GetClassNameW(hwnd, name, 16);
                    if (std::wstring(name) != L"#32770") return TRUE;
                    *reinterpret_cast<HWND*>(found) = hwnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&box));
            if (box) {
                wchar_t buffer[512] = {};
                ::GetWindowTextW(box, buffer, 512);
                caption = buffer;
                ::GetDlgItemTextW(box, 0xFFFF, buffer, 512);
                text = buffer;
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            ::Sleep(20);
        }
    });
    form_ = new TestForm(folder_.Child(L"nowhere"), log_);
    hwnd_ = form_->Create(nullptr, L"form", 0xCE0000, 0, true);
    dismisser.join();
    EXPECT_EQ(hwnd_, nullptr);
    EXPECT_TRUE(log_.deleted);
    EXPECT_EQ(caption, L"Wexmora");
    EXPECT_EQ(text, L"Failed to load xml file " + folder_.Child(L"nowhere") + L"\\skin.xml");
    EXPECT_TRUE(std::find(log_.calls.begin(), log_.calls.end(), "init") == log_.calls.end());
}

TEST_F(WindowImplBaseTest, HitTestSizesFromInsideTheShadowAndDragsByTheCaption) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(window_test::PumpUntilLaidOut(*form_));
    struct Case {
        const char* name;
        POINT client;
        LRESULT want;
    } const cases[] = {
        {"shadow margin", {5, 5}, HTCLIENT},
        {"top left corner", {14, 14}, HTTOPLEFT},
        {"top band", {120, 15}, HTTOP},
        {"right band", {213, 60}, HTRIGHT},
        {"bottom band", {120, 113}, HTBOTTOM},
        {"caption over a plain control", {40, 25}, HTCAPTION},
        {"caption over a button", {90, 25}, HTCLIENT},
        {"caption over the box itself", {190, 25}, HTCAPTION},
        {"below the caption", {120, 60}, HTCLIENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(::SendMessageW(hwnd_, WM_NCHITTEST, 0, At(100 + c.client.x, 100 + c.client.y)), c.want);
    }
}

TEST_F(WindowImplBaseTest, TrackingLimitsComeFromTheSkinAndOnlyWhenSet) {
    ASSERT_TRUE(Open());
    const auto ask = [this] {
        MINMAXINFO info{};
        info.ptMaxTrackSize = POINT{7777, 7777};
        info.ptMinTrackSize = POINT{1, 1};
        ::SendMessageW(hwnd_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    };
    // No limits: the system's stay (a zero limit would collapse the window).
    MINMAXINFO info = ask();
    EXPECT_EQ(info.ptMaxTrackSize.x, 7777);
    EXPECT_EQ(info.ptMinTrackSize.y, 1);

    form_->SetMaxInfo(300, 200);
    form_->SetMinInfo(100, 0);
    info = ask();
    EXPECT_EQ(info.ptMaxTrackSize.x, 328);
    EXPECT_EQ(info.ptMaxTrackSize.y, 228);
    EXPECT_EQ(info.ptMinTrackSize.x, 128);
    EXPECT_EQ(info.ptMinTrackSize.y, 1);

    // A limit no larger than the shadow is none.
    form_->SetShadowAttached(false);
    form_->SetMaxInfo(28, 0);
    form_->SetShadowAttached(true);
    EXPECT_EQ(ask().ptMaxTrackSize.x, 7777);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(info.ptMaxSize.x, monitor.rcWork.right - monitor.rcWork.left);
    form_->SetMaximizedRect(RECT{10, 20, 310, 220});
    info = ask();
    EXPECT_EQ(info.ptMaxPosition.x, 10 + monitor.rcWork.left - monitor.rcMonitor.left);
    EXPECT_EQ(info.ptMaxSize.y, 200);
}

TEST_F(WindowImplBaseTest, RoundCornersClipTheWindowOnEveryResize) {
    ASSERT_TRUE(Open(kSkin, L"10,10"));
    ::SetWindowPos(hwnd_, nullptr, 0, 0, 240, 140, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(hwnd_, region), ERROR);
    EXPECT_FALSE(::PtInRegion(region, 0, 0));
    EXPECT_TRUE(::PtInRegion(region, 120, 70));
    EXPECT_TRUE(::PtInRegion(region, 239, 70));  // one pixel wider than the window
    ::DeleteObject(region);
}

TEST_F(WindowImplBaseTest, DpiChangeRescalesTheShadow) {
    DpiScope dpi(100);
    ASSERT_TRUE(Open());
    RECT suggested{100, 100, 328, 228};
    ::SendMessageW(hwnd_, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(ui::DpiManager::GetInstance()->GetScale(), 150);
    EXPECT_EQ(form_->GetShadowPadding().left, 21);
    EXPECT_EQ(form_->GetShadow().box->GetLayout()->GetPadding().bottom, 21);
}

TEST_F(WindowImplBaseTest, SystemButtonsMinimiseMaximiseRestoreAndClose) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(window_test::PumpUntilLaidOut(*form_));

    Click(L"maxbtn");
    EXPECT_TRUE(::IsZoomed(hwnd_));
    EXPECT_FALSE(form_->FindControl(std::wstring(L"maxbtn"))->IsVisible());
    EXPECT_TRUE(form_->FindControl(std::wstring(L"restorebtn"))->IsVisible());
    EXPECT_EQ(form_->GetShadowPadding().top, 0);  // a maximised window has no shadow
    // No resize bands while maximised.
    RECT maximized{};
    ::GetWindowRect(hwnd_, &maximized);
    EXPECT_NE(::SendMessageW(hwnd_, WM_NCHITTEST, 0, At(maximized.left + 1, maximized.top + 1)), HTTOPLEFT);

    ASSERT_TRUE(window_test::PumpUntilLaidOut(*form_));
    Click(L"restorebtn");
    EXPECT_FALSE(::IsZoomed(hwnd_));
    EXPECT_TRUE(form_->FindControl(std::wstring(L"maxbtn"))->IsVisible());
    EXPECT_EQ(form_->GetShadowPadding().top, 14);

    ASSERT_TRUE(window_test::PumpUntilLaidOut(*form_));
    Click(L"minbtn");
    EXPECT_TRUE(::IsIconic(hwnd_));
    form_->ActivateWindow();
    EXPECT_FALSE(::IsIconic(hwnd_));

    ASSERT_TRUE(window_test::PumpUntilLaidOut(*form_));
    Click(L"closebtn");
    ASSERT_TRUE(ui_test::PumpMessagesUntil([this] { return log_.deleted; }));
    ASSERT_EQ(log_.messages.size(), 1u);
    EXPECT_EQ(log_.messages[0].wParam, 1u);  // the close button's code
}

TEST_F(WindowImplBaseTest, SystemCloseCommandAsksTheFormFirst) {
    ASSERT_TRUE(Open());
    form_->keepOnClose = true;
    ::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(log_.calls.back(), "close");
    EXPECT_TRUE(::IsWindow(hwnd_));  // the form kept it

    form_->keepOnClose = false;
    ::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(log_.deleted);
}

TEST_F(WindowImplBaseTest, AnAutoSizedSkinSizesTheWindowToItsContent) {
    ASSERT_TRUE(Open(R"(<Window><Box width="auto" height="auto"><Control width="120" height="80"/></Box></Window>)",
                     L"", false));
    RECT rect{};
    ::GetWindowRect(hwnd_, &rect);
    EXPECT_EQ(rect.right - rect.left, 120 + 28);  // with the shadow
    EXPECT_EQ(rect.bottom - rect.top, 80 + 28);
}

}  // namespace
