#include "windows/main_form.h"

#include <windows.h>

#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "app/thread_ids.h"
#include "app/ui_resource_archive.h"
#include "base/message_loop.h"
#include "tests/app/scratch_folder.h"
#include "tests/base/thread_test_support.h"
#include "ui/global_manager.h"
#include "windows/launcher_ui.h"

namespace {

// A framework window of its own class that, as the launcher's windows do, joins the
// framework's window list when created and leaves it when its native window goes.
class OtherWindow : public ui::Window {
public:
    static HWND Open() {
        auto window = std::make_unique<OtherWindow>();
        const HWND hwnd = window->Create(nullptr, L"other", WS_POPUP, 0, false, RECT{0, 0, 20, 20});
        if (hwnd) window.release();  // its final message deletes it
        return hwnd;
    }

    std::wstring GetWindowClassName() const override { return L"MainFormTestOther"; }
    LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override {
        if (message == WM_CREATE) Init(GetHWND());
        return ui::Window::HandleMessage(message, w, l);
    }
    void OnFinalMessage(HWND hwnd) override {
        ui::Window::OnFinalMessage(hwnd);
        const std::unique_ptr<OtherWindow> self(this);
    }
};

// What the UI shows of the language: the framework's code, a text, the channel's subtitle.
struct Shown {
    std::wstring code, confirm, subtitle;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << testing::PrintToString(shown.code) << " " << testing::PrintToString(shown.confirm) << " "
         << testing::PrintToString(shown.subtitle);
}

const Shown kEnglish{L"en", L"CONFIRM", L"Launcher"};
const Shown kTraditionalChinese{L"zh_TW", L"\u78BA\u5B9A", L"\u555F\u52D5\u5668"};

// The launcher's UI as the start-up leaves it, on a UI loop registered as the launcher's UI
// thread: the real framework behind the core's hooks, started in "zh_TW" on the archive this
// executable embeds, with the channel configuration read.
class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ui_.StartWithLoop(kbase::MessageLoop::kUILoop));
        context_->SetUiServices(MakeLauncherUiServices());
        SetSettingsLanguage("zh_TW");
        RunOnUi([this] {
            ASSERT_EQ(LoadUiResourceArchive(folder_.path() + L"\\", context_->ui()), UiArchive::kEmbedded);
            context_->ui().startup(L"resources\\", L"themes\\default", L"zh_TW");
            ASSERT_TRUE(context_->LoadChannelConfig());
        });
    }
    void TearDown() override {
        RunOnUi([this] {
            if (HWND main = context_->mainWindow.load()) ::DestroyWindow(main);
            context_->ui().shutdown();
        });
        context_->SetUiServices({});
        context_->languageChanged = false;
        ui_.Stop();
    }

    void RunOnUi(std::function<void()> task) { ASSERT_TRUE(kbase_test::RunOn(ui_.LoopProxy(), std::move(task))); }
    void SetSettingsLanguage(const char* code) {
        LauncherSettings settings = context_->settings.Get();
        settings.language = code;
        context_->settings.Set(settings);
    }
    // The settings' language changed to code, as the settings window's confirmation leaves it.
    void ChangeLanguage(const char* code) {
        SetSettingsLanguage(code);
        context_->languageChanged = true;
    }
    Shown ShownLanguage() {
        Shown shown;
        RunOnUi([&] {
            shown = {ui::GlobalManager::GetLanguage(), context_->ui().getText(L"STRING_CONFIRM"),
                     context_->titles["title_sub"]};
        });
        return shown;
    }
    HWND OpenOtherWindow() {
        HWND other = nullptr;
        RunOnUi([&] { other = OtherWindow::Open(); });
        return other;
    }

    kbase_test::Watchdog watchdog_{"main form test", std::chrono::seconds(60)};
    LauncherContext* context_ = LauncherContext::Instance();
    kbase_test::RegisteredThread ui_{kUiThreadId};
    ScratchFolder folder_;
};

TEST_F(MainFormTest, AppliesAPendingLanguageChangeWhenTheFrameworksWindowListChanges) {
    ASSERT_EQ(ShownLanguage(), kTraditionalChinese);
    RunOnUi([] {
        ui::FontFaces faces = ui::GlobalManager::GetFontFaces();
        faces.buttonRegular = faces.buttonBold = faces.buttonItalic = L"";
        ui::GlobalManager::SetFontFaces(faces);
    });

    // Joining the window list applies the change the settings left.
    ChangeLanguage("en");
    RunOnUi([] { ASSERT_TRUE(MainForm::CreateAndShow()); });
    EXPECT_EQ(ShownLanguage(), kEnglish);
    EXPECT_FALSE(context_->languageChanged);
    const UiFontFaces embedded = EmbeddedUiFontFaces();
    const ui::FontFaces faces = ui::GlobalManager::GetFontFaces();
    EXPECT_EQ(faces.buttonRegular, embedded.regular);
    EXPECT_EQ(faces.buttonBold, embedded.bold);

    // A window opened over it changes nothing for it; when that window goes, the main window
    // is the newest left and applies the change.
    const HWND other = OpenOtherWindow();
    ASSERT_NE(other, nullptr);
    ChangeLanguage("zh_TW");
    EXPECT_EQ(ShownLanguage(), kEnglish);
    RunOnUi([&] { ::DestroyWindow(other); });
    EXPECT_EQ(ShownLanguage(), kTraditionalChinese);
    EXPECT_FALSE(context_->languageChanged);

    // Without a pending change the settings' language is not taken.
    SetSettingsLanguage("en");
    const HWND another = OpenOtherWindow();
    RunOnUi([&] { ::DestroyWindow(another); });
    EXPECT_EQ(ShownLanguage(), kTraditionalChinese);
}

}  // namespace
