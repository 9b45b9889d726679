// The main window's activity view on the stand-in browser runtime: the gate's activity address
// with the language is loaded, the view appears with the page's pixels, and a refresh loads the
// address the gate names by then.
#include "windows/main_form.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "base/path_util.h"
#include "browser/cef_manager.h"
#include "tests/app/scratch_folder.h"
#include "tests/support/test_server.h"
#include "tests/ui/support/render_snapshot.h"
#include "tests/windows/dialog_test_support.h"
#include "windows/launcher_ui.h"

namespace {

using dialog_test::WaitUntil;

std::string Page(const char* title, const char* colour) {
    return std::string("<html><head><title>") + title + "</title></head><body style=\"background:" + colour +
           "\"></body></html>";
}

// Equal but for the view's blending just below opaque.
bool Near(const ui_test::Pixel& pixel, DWORD rgb) {
    const auto close = [](int a, int b) { return std::abs(a - b) <= 3; };
    return close(pixel.r, (rgb >> 16) & 0xFF) && close(pixel.g, (rgb >> 8) & 0xFF) && close(pixel.b, rgb & 0xFF);
}

// The stand-in runtime started on the UI thread from the cef folder beside the test, as the
// launcher starts it before its window, with its cache and journal in a scratch folder.
class MainWindowWebViewTest : public dialog_test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        site_.WriteFile(L"activity.html", Page("Activity", "#2a8f5c"));
        site_.WriteFile(L"later.html", Page("Later", "#8f2a5c"));
        ASSERT_TRUE(server_.Start(site_.path()));
        RunOnUi([this] {
            ::SetCurrentDirectoryW(kbase::GetOwnModuleDirectory().c_str());
            zel_comp::CefManager& manager = zel_comp::CefManager::GetInstance();
            ASSERT_TRUE(zel_comp::CefManager::PrependCefFolderToPath()) << "no cef folder beside the test";
            ASSERT_TRUE(manager.LoadRuntimeLibrary());
            CefSettings settings;
            ASSERT_TRUE(manager.Initialize(runtimeData_.path() + L"\\", settings));
        });
        context_->SetUiServices(MakeLauncherUiServices());
        context_->firstRun = false;
        context_->ActivityAddr.Set(server_.BaseUrl(0) + "activity.html?from=gate");
        RunOnUi([] { ASSERT_TRUE(MainForm::CreateAndShow()); });
        window_ = context_->mainWindow.load();
        ASSERT_NE(window_, nullptr);
        WaitLaidOut(window_);
    }
    void TearDown() override {
        RunOnUi([this] {
            if (::IsWindow(window_)) ::DestroyWindow(window_);
            context_->SetMainWindow(nullptr);
        });
        // The view closed its browser before the runtime ends.
        EXPECT_TRUE(WaitUntil([this] {
            int count = -1;
            RunOnUi([&] { count = zel_comp::CefManager::GetInstance().GetBrowserCount(); });
            return count == 0;
        }));
        RunOnUi([] { zel_comp::CefManager::GetInstance().Shutdown(); });
        context_->SetUiServices({});
        DialogTest::TearDown();
    }

    // Whether the view is shown, and the window's pixel in its lower right, away from the title.
    struct View {
        bool visible = false;
        ui_test::Pixel pixel;
    };
    View ReadView() {
        View view;
        RunOnUi([&] {
            ui::Window* window = FrameworkWindow(window_);
            ui::Control* control = window->FindControl(std::wstring(L"webview"));
            ASSERT_NE(control, nullptr);
            ::UpdateWindow(window_);
            const RECT r = control->GetPos();
            view = {control->IsVisible(), ui_test::PixelAt(*window->GetRenderContext(), r.right - 20, r.bottom - 20)};
        });
        return view;
    }
    bool ShowsPage(DWORD rgb) {
        return WaitUntil([&] {
            const View view = ReadView();
            return view.visible && Near(view.pixel, rgb);
        });
    }

    LauncherContext* context_ = LauncherContext::Instance();
    ScratchFolder site_;
    ScratchFolder runtimeData_;
    TestServer server_;
    HWND window_ = nullptr;
};

TEST_F(MainWindowWebViewTest, ShowsTheGatesActivityPageAndTheNextAddressOnRefresh) {
    ASSERT_TRUE(ShowsPage(0x2A8F5C)) << "activity page not painted in the main window";
    EXPECT_NE(server_.Log().find("from=gate&lang=en"), std::string::npos) << server_.Log();

    context_->ActivityAddr.Set(server_.BaseUrl(0) + "later.html?from=gate");
    ::SendMessageW(window_, kMsgRefreshContent, 0, 0);
    EXPECT_TRUE(ShowsPage(0x8F2A5C)) << "the refresh did not load the gate's new address";
}

}  // namespace
