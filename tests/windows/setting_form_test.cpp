// The settings dialog on a real window with its real skin and real input: tabs and the page
// scroll, the choices and the speed fields, every way out, what reaches the settings file, the
// game folder, and the buttons following the update state.
#include "windows/setting_form.h"

#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "app/launcher_settings.h"
#include "app/update_state.h"
#include "tests/app/scratch_folder.h"
#include "tests/windows/dialog_test_support.h"
#include "ui/check_box.h"
#include "ui/list_box.h"
#include "tests/windows/fixed_state.h"
#include "ui/rich_edit.h"
#include "tests/ui/support/render_snapshot.h"
#include "ui/render/render_context.h"
#include "windows/launcher_ui.h"
#include "windows/setting_page_resource.h"
#include "windows/setting_tab_label.h"

namespace {

using dialog_test::WaitUntil;


// A key as the keyboard delivers it to the window; the UI loop's TranslateMessage adds its
// character.
void PostKey(HWND window, WPARAM vk) {
    ::PostMessageW(window, WM_KEYDOWN, vk, 1);
    ::PostMessageW(window, WM_KEYUP, vk, 0xC0000001);
}

void TypeDigits(HWND window, const std::string& digits) {
    for (char c : digits) PostKey(window, static_cast<WPARAM>(c));
}

// Moves to the end of the focused field and erases what it holds.
void ClearField(HWND window) {
    PostKey(window, VK_END);
    for (int i = 0; i < 8; ++i) PostKey(window, VK_BACK);
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class SettingFormTest : public dialog_test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        ::GetCurrentDirectoryW(MAX_PATH, previousDirectory_);
        ASSERT_TRUE(::SetCurrentDirectoryW(folder_.path().c_str()));
        ASSERT_TRUE(::CreateDirectoryW(folder_.Child(L"save").c_str(), nullptr));
        context_->settings.Set(Initial());
        context_->SetUiServices(MakeLauncherUiServices());
    }
    void TearDown() override {
        context_->SetState(nullptr);
        for (HWND box = ::FindWindowW(L"MsgBox", nullptr); box; box = ::FindWindowW(L"MsgBox", nullptr)) {
            RunOnUi([box] { ::DestroyWindow(box); });
        }
        if (HWND form = ::FindWindowW(L"SettingForm", nullptr)) RunOnUi([form] { ::DestroyWindow(form); });
        context_->SetUiServices({});
        context_->settings.Set(LauncherSettings{});
        ::SetCurrentDirectoryW(previousDirectory_);
        DialogTest::TearDown();
    }

    LauncherSettings Initial() const {
        LauncherSettings settings;
        settings.gamePath = folder_.Child(L"game");
        settings.closeToHide = true;
        settings.downloadLimit = true;
        settings.downloadSpeed = 4096;
        settings.predlcLimit = false;
        settings.predlcSpeed = 2048;
        return settings;
    }

    HWND Open() {
        RunOnUi([this] { EXPECT_TRUE(SettingForm::Show(owner_, answers_.Callback())); });
        HWND form = WaitForWindow(L"SettingForm");
        if (form) WaitLaidOut(form);
        return form;
    }
    std::vector<int> AnswersAfterClose(HWND form) {
        EXPECT_TRUE(WaitForWindowGone(form));
        EXPECT_TRUE(WaitUntil([this] { return !answers_.Values().empty(); }));
        RunOnUi([] {});
        return answers_.Values();
    }
    bool SettingsFileWritten() const { return ::GetFileAttributesW(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES; }
    LauncherSettings SettingsFile() const {
        LauncherSettings read;
        EXPECT_TRUE(ReadSettingsFile(SettingsPath(), read));
        return read;
    }
    std::wstring SettingsPath() const { return folder_.Child(L"save\\EnvConfig.json"); }

    // Runs look on the dialog's framework window, on the UI thread.
    template <class T>
    T OnForm(HWND form, std::function<T(SettingForm&)> look) {
        T result{};
        RunOnUi([&] {
            if (auto* window = dynamic_cast<SettingForm*>(FrameworkWindow(form))) result = look(*window);
        });
        return result;
    }
    template <class C>
    static C* Named(SettingForm& form, const wchar_t* name) {
        return dynamic_cast<C*>(form.FindControl(std::wstring(name)));
    }
    bool IsSelected(HWND form, const wchar_t* name) {
        return OnForm<bool>(form, [name](SettingForm& f) {
            auto* selectable = dynamic_cast<ui::Selectable*>(f.FindControl(std::wstring(name)));
            return selectable && selectable->IsSelected();
        });
    }
    bool IsEnabled(HWND form, const wchar_t* name) {
        return OnForm<bool>(form, [name](SettingForm& f) {
            ui::Control* control = f.FindControl(std::wstring(name));
            return control && control->IsEnabled();
        });
    }
    std::string FieldText(HWND form, const wchar_t* name) {
        return OnForm<std::string>(form, [name](SettingForm& f) {
            auto* field = Named<ui::RichEdit>(f, name);
            return field ? field->GetUTF8Text() : std::string("<none>");
        });
    }
    // Per tab: whether it is selected, and whether its name is enabled.
    std::vector<std::pair<bool, bool>> Tabs(HWND form) {
        return OnForm<std::vector<std::pair<bool, bool>>>(form, [](SettingForm& f) {
            std::vector<std::pair<bool, bool>> tabs;
            auto* list = Named<ui::ListBox>(f, L"setting_btns");
            for (int i = 0; list && i < list->GetCount(); ++i) {
                auto* tab = dynamic_cast<SettingComponents::TabLabel*>(list->GetItemAt(i));
                tabs.emplace_back(tab && tab->IsSelected(), tab && tab->nameLabel && tab->nameLabel->IsEnabled());
            }
            return tabs;
        });
    }
    int SelectedTab(HWND form) {
        const auto tabs = Tabs(form);
        int selected = -1;
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            if (tabs[i].first) selected = selected == -1 ? static_cast<int>(i) : -2;  // -2: more than one
        }
        return selected;
    }
    // The page list's scroll position and the offsets at which its pages begin.
    std::pair<int, std::vector<int>> PageScroll(HWND form) {
        return OnForm<std::pair<int, std::vector<int>>>(form, [](SettingForm& f) {
            auto* pages = Named<ui::ListBox>(f, L"setting_pages");
            return pages ? std::make_pair(static_cast<int>(pages->GetScrollPos().cy), pages->GetItemOffsets())
                         : std::make_pair(-1, std::vector<int>{});
        });
    }
    // A wheel notch over the page list; negative notches scroll down.
    void Wheel(HWND form, int notches) {
        POINT at = CentreOf(form, L"setting_pages");
        ::ClientToScreen(form, &at);
        ::PostMessageW(form, WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA), MAKELPARAM(at.x, at.y));
    }
    // Where a control of the page list shows, in client coordinates; (-1, -1) while it is
    // scrolled out of the list's view.
    POINT ShownCentre(HWND form, const wchar_t* name) {
        return OnForm<POINT>(form, [name](SettingForm& f) {
            ui::Control* control = f.FindControl(std::wstring(name));
            auto* pages = Named<ui::ListBox>(f, L"setting_pages");
            if (!control || !pages) return POINT{-1, -1};
            const RECT r = control->GetPos();
            const RECT view = pages->GetPos();
            const int y = (r.top + r.bottom) / 2 - pages->GetScrollPos().cy;
            if (y - 20 < view.top || y + 20 > view.bottom) return POINT{-1, -1};
            return POINT{(r.left + r.right) / 2, y};
        });
    }
    // Wheels the page list until the control shows, then clicks it.
    void ScrollToAndClick(HWND form, const wchar_t* name) {
        ASSERT_TRUE(WaitUntil([&] {
            if (ShownCentre(form, name).x >= 0) return true;
            Wheel(form, -1);
            ::Sleep(150);
            return false;
        })) << "never scrolled into view";
        const POINT at = ShownCentre(form, name);
        ::PostMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        ::PostMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        ::PostMessageW(form, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    void FocusField(HWND form, const wchar_t* name) {
        ScrollToAndClick(form, name);
        ASSERT_TRUE(WaitUntil([&] { return FocusName(form) == name; })) << "focus on " << Narrow(FocusName(form));
    }
    std::wstring FocusName(HWND form) {
        return OnForm<std::wstring>(form, [](SettingForm& f) { return f.GetFocus() ? f.GetFocus()->GetName() : L"<none>"; });
    }
    void ClickTab(HWND form, int index) {
        const POINT at = OnForm<POINT>(form, [index](SettingForm& f) {
            auto* list = Named<ui::ListBox>(f, L"setting_btns");
            ui::Control* tab = list ? list->GetItemAt(index) : nullptr;
            if (!tab) return POINT{-1, -1};
            const RECT r = tab->GetPos();
            return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        });
        ASSERT_GE(at.x, 0);
        ::PostMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        ::PostMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        ::PostMessageW(form, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    // The game resources page (UI thread only).
    static SettingComponents::TabPageResource* ResourcePage(HWND form) {
        auto* window = dynamic_cast<SettingForm*>(FrameworkWindow(form));
        auto* pages = window ? Named<ui::ListBox>(*window, L"setting_pages") : nullptr;
        return pages ? dynamic_cast<SettingComponents::TabPageResource*>(pages->GetItemAt(1)) : nullptr;
    }
    bool WaitText(HWND form, const wchar_t* field, const std::string& text) {
        return WaitUntil([&] { return FieldText(form, field) == text; }, 5000);
    }
    LauncherContext* context_ = LauncherContext::Instance();
    ScratchFolder folder_;
    wchar_t previousDirectory_[MAX_PATH] = {};
    dialog_test::Answers answers_;
};

TEST_F(SettingFormTest, OpensOnTheFirstTabShowingTheSettings) {
    context_->displayGameVersion.Set("2.3.0");
    HWND form = Open();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(owner_));
    using Tab = std::pair<bool, bool>;
    EXPECT_EQ(Tabs(form), (std::vector<Tab>{{true, false}, {false, true}, {false, true}}));
    EXPECT_EQ(PageScroll(form).first, 0);
    EXPECT_EQ(LabelText(form, L"tab_name"), L"Version Info");  // the last tab's name

    EXPECT_TRUE(IsSelected(form, L"option_trayicon"));
    EXPECT_FALSE(IsSelected(form, L"option_exit"));
    EXPECT_TRUE(IsSelected(form, L"option_on"));
    EXPECT_FALSE(IsSelected(form, L"checkbox_start"));
    EXPECT_TRUE(IsSelected(form, L"option_limit_speed"));
    EXPECT_EQ(FieldText(form, L"text_speed"), "4096");
    EXPECT_TRUE(IsEnabled(form, L"text_speed"));
    EXPECT_TRUE(IsSelected(form, L"predlc_option_nolimit_speed"));
    EXPECT_EQ(FieldText(form, L"predlc_text_speed"), "2048");
    EXPECT_FALSE(IsEnabled(form, L"predlc_text_speed"));
    EXPECT_EQ(CentreOf(form, L"combo_set_language").x, -1) << "the language box is hidden";

    EXPECT_EQ(LabelText(form, L"text_game_path"), folder_.Child(L"game"));
    EXPECT_EQ(LabelText(form, L"label_launcher_version"), L"Current version: 1.0.0");
    EXPECT_EQ(LabelText(form, L"label_game_version"), L"Current version: 2.3.0");
    for (const wchar_t* button : {L"btn_find_game", L"btn_repair_game", L"btn_launcher_update", L"btn_game_update"}) {
        EXPECT_TRUE(IsEnabled(form, button)) << std::string(button, button + wcslen(button));
    }
    context_->displayGameVersion.Set("");
}

TEST_F(SettingFormTest, TabsScrollTheirPagesToTheTopAndScrollingMovesTheTabs) {
    HWND form = Open();
    ASSERT_NE(form, nullptr);
    const std::vector<int> offsets = PageScroll(form).second;
    ASSERT_EQ(offsets.size(), 3u);

    // The third tab: the pages slide until the version page starts at the top (or the list
    // ends), and no tab in between is selected on the way.
    ClickTab(form, 2);
    bool passedThroughSecond = false;
    ASSERT_TRUE(WaitUntil([&] {
        passedThroughSecond = passedThroughSecond || SelectedTab(form) == 1;
        const int y = PageScroll(form).first;
        return y > offsets[1] && SelectedTab(form) == 2 &&
               OnForm<bool>(form, [](SettingForm& f) {
                   return !Named<ui::ListBox>(f, L"setting_pages")->IsScrollEventSuppressed();
               });
    }));
    EXPECT_FALSE(passedThroughSecond);
    EXPECT_GT(PageScroll(form).first, 0);

    // Wheeling back up above the second page's start selects the first tab again.
    ASSERT_TRUE(WaitUntil([&] {
        if (SelectedTab(form) == 0) return true;
        Wheel(form, 1);
        ::Sleep(100);
        return false;
    }));
    EXPECT_LT(PageScroll(form).first, offsets[1]);
    // And down past it, the second.
    ASSERT_TRUE(WaitUntil([&] {
        if (SelectedTab(form) == 1) return true;
        Wheel(form, -1);
        ::Sleep(100);
        return false;
    }));
    const int y = PageScroll(form).first;
    EXPECT_GE(y, offsets[1]);
    EXPECT_LT(y, offsets[2]);
    EXPECT_EQ(Tabs(form)[1], std::make_pair(true, false));
}

TEST_F(SettingFormTest, TheSpeedFieldCapsWhileTypingAndStoresWhenLeft) {
    HWND form = Open();
    ASSERT_NE(form, nullptr);
    FocusField(form, L"text_speed");

    ClearField(form);
    TypeDigits(form, "20000");
    EXPECT_TRUE(WaitText(form, L"text_speed", "10240")) << FieldText(form, L"text_speed");

    // Below the minimum stays while typing; Escape leaves the field, which stores the
    // minimum, and keeps the dialog open.
    ClearField(form);
    EXPECT_TRUE(WaitText(form, L"text_speed", "")) << FieldText(form, L"text_speed");
    TypeDigits(form, "50");
    EXPECT_TRUE(WaitText(form, L"text_speed", "50"));
    PressKey(form, VK_ESCAPE);
    EXPECT_TRUE(WaitText(form, L"text_speed", "100")) << FieldText(form, L"text_speed") << " focus " << Narrow(FocusName(form));
    EXPECT_TRUE(::IsWindow(form));

    // An emptied field and Return: the minimum again, the dialog still open.
    FocusField(form, L"text_speed");
    ClearField(form);
    TypeDigits(form, "777");
    EXPECT_TRUE(WaitText(form, L"text_speed", "777"));
    ClearField(form);
    EXPECT_TRUE(WaitText(form, L"text_speed", ""));
    PressKey(form, VK_RETURN);
    EXPECT_TRUE(WaitText(form, L"text_speed", "100"));
    EXPECT_TRUE(answers_.Values().empty());
    EXPECT_FALSE(SettingsFileWritten()) << "nothing is saved before the dialog is confirmed";

    // Return with no field focused confirms.
    PressKey(form, VK_RETURN);
    EXPECT_EQ(AnswersAfterClose(form), std::vector<int>{1});
    EXPECT_EQ(context_->settings.Get().downloadSpeed, 100);
    EXPECT_EQ(SettingsFile().downloadSpeed, 100);
    EXPECT_TRUE(SettingsFile().downloadLimit);
}

TEST_F(SettingFormTest, ChoicesTakeEffectOnConfirmOnly) {
    struct Case {
        const char* way;
        std::function<void(SettingFormTest&, HWND)> leave;
        int answer;
    } const cases[] = {
        {"cancel button", [](SettingFormTest& t, HWND form) { t.Click(form, L"btn_cancel"); }, 0},
        {"close button", [](SettingFormTest& t, HWND form) { t.Click(form, L"btn_close"); }, 0},
        {"escape", [](SettingFormTest&, HWND form) { PressKey(form, VK_ESCAPE); }, 0},
        {"close command", [](SettingFormTest&, HWND form) { ::PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
        {"confirm button, twice", [](SettingFormTest& t, HWND form) {
             t.Click(form, L"btn_confirm");
             t.Click(form, L"btn_cancel");  // during the fade: no second answer
         }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        answers_.Clear();
        HWND form = Open();
        ASSERT_NE(form, nullptr);
        Click(form, L"option_exit");
        ScrollToAndClick(form, L"option_nolimit_speed");
        ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(form, L"text_speed"); }));
        EXPECT_EQ(FieldText(form, L"text_speed"), "4096") << "the field keeps its number";
        EXPECT_TRUE(IsSelected(form, L"option_exit"));
        EXPECT_FALSE(IsSelected(form, L"option_trayicon"));

        c.leave(*this, form);
        EXPECT_EQ(AnswersAfterClose(form), std::vector<int>{c.answer});
        EXPECT_TRUE(::IsWindowEnabled(owner_));
        const LauncherSettings live = context_->settings.Get();
        if (c.answer == 0) {
            EXPECT_EQ(live, Initial());
            EXPECT_FALSE(SettingsFileWritten());
        } else {
            EXPECT_FALSE(live.closeToHide);
            EXPECT_FALSE(live.downloadLimit);
            EXPECT_EQ(live.downloadSpeed, 4096);
            const LauncherSettings saved = SettingsFile();
            EXPECT_FALSE(saved.closeToHide);
            EXPECT_FALSE(saved.downloadLimit);
            EXPECT_EQ(saved.downloadSpeed, 4096);
        }
    }
}

TEST_F(SettingFormTest, ConfirmingWithoutAChangeWritesNothing) {
    HWND form = Open();
    ASSERT_NE(form, nullptr);
    Click(form, L"btn_confirm");
    EXPECT_EQ(AnswersAfterClose(form), std::vector<int>{1});
    EXPECT_EQ(context_->settings.Get(), Initial());
    EXPECT_FALSE(SettingsFileWritten());
}

TEST_F(SettingFormTest, AGameFolderIsTakenAtOnceOnlyWhenItHoldsTheGame) {
    HWND form = Open();
    ASSERT_NE(form, nullptr);
    const std::wstring empty = folder_.Child(L"empty");
    ASSERT_TRUE(::CreateDirectoryW(empty.c_str(), nullptr));
    RunOnUi([&] {
        SettingComponents::TabPageResource* page = ResourcePage(form);
        ASSERT_NE(page, nullptr);
        page->UseGameFolder(empty);
    });
    HWND notice = WaitForWindow(L"MsgBox");
    ASSERT_NE(notice, nullptr);
    WaitLaidOut(notice);
    EXPECT_EQ(LabelText(notice, L"content"),
              L"The selected folder does not hold the game. Select the game's folder.");
    Click(notice, L"btn_yes");
    ASSERT_TRUE(WaitForWindowGone(notice));
    EXPECT_EQ(context_->settings.Get().gamePath, folder_.Child(L"game"));
    EXPECT_FALSE(SettingsFileWritten());

    const std::wstring installed = folder_.Child(L"installed");
    ASSERT_TRUE(::CreateDirectoryW(installed.c_str(), nullptr));
    folder_.WriteFile(L"installed\\KORU.exe", "game");
    RunOnUi([&] {
        if (SettingComponents::TabPageResource* page = ResourcePage(form)) page->UseGameFolder(installed);
    });
    EXPECT_EQ(LabelText(form, L"text_game_path"), installed);
    EXPECT_EQ(SettingsFile().gamePath, installed);
    // Saved at once: cancelling the dialog keeps it.
    Click(form, L"btn_cancel");
    EXPECT_EQ(AnswersAfterClose(form), std::vector<int>{0});
    EXPECT_EQ(context_->settings.Get().gamePath, installed);
}

TEST_F(SettingFormTest, TheActionButtonsFollowTheUpdateState) {
    struct Case {
        const char* state;
        int type, mode;
        bool folder, others;  // the folder button; repair and the two update buttons
    } const cases[] = {
        {"none", kNoStateType, kGameMode, true, true},
        {"game download", kDownloadFilesStateType, kGameMode, false, false},
        {"game prepare", kPrepareStateType, kGameMode, false, false},
        {"game entered", kEnterGameStateType, kGameMode, true, true},
        {"launcher update", kDownloadFilesStateType, kLauncherMode, true, false},
    };
    HWND form = Open();
    ASSERT_NE(form, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        context_->SetState(c.type == kNoStateType ? nullptr : std::make_unique<FixedState>(c.type, c.mode));
        RunOnUi([] { SettingForm::Find()->RefreshPages(); });
        EXPECT_EQ(IsEnabled(form, L"btn_find_game"), c.folder);
        EXPECT_EQ(IsEnabled(form, L"btn_repair_game"), c.others);
        EXPECT_EQ(IsEnabled(form, L"btn_launcher_update"), c.others);
        EXPECT_EQ(IsEnabled(form, L"btn_game_update"), c.others);
    }
}

}  // namespace

// After the page list scrolls, the speed fields show their numbers opaque (the dialog is a
// layered window: a pixel without alpha is a hole), and the game folder reads from the left.
TEST_F(SettingFormTest, FieldsAndTheGameFolderReadAfterScrolling) {
    LauncherSettings settings = Initial();
    settings.gamePath = L"C:\\G";
    context_->settings.Set(settings);
    HWND form = Open();
    ASSERT_NE(form, nullptr);
    // Dark, opaque pixels in a band of the control, at its shown place.
    const auto darkIn = [&](const wchar_t* name, double from, double to) {
        return OnForm<int>(form, [&](SettingForm& f) {
            ::InvalidateRect(form, nullptr, FALSE);
            ::UpdateWindow(form);
            const RECT r = f.FindControl(std::wstring(name))->GetPos();
            const int scroll = static_cast<int>(Named<ui::ListBox>(f, L"setting_pages")->GetScrollPos().cy);
            const LONG width = r.right - r.left;
            int dark = 0;
            for (int y = r.top - scroll; y < r.bottom - scroll; ++y) {
                for (auto x = static_cast<int>(r.left + width * from); x < r.left + width * to; ++x) {
                    const ui_test::Pixel p = ui_test::PixelAt(*f.GetRenderContext(), x, y);
                    dark += p.a == 255 && p.r < 0xA0 && p.g < 0xA0 && p.b < 0xA0 ? 1 : 0;
                }
            }
            return dark;
        });
    };
    const auto scrollTo = [&](const wchar_t* name) {
        return WaitUntil([&] {
            if (ShownCentre(form, name).x >= 0) return true;
            Wheel(form, -1);
            ::Sleep(150);
            return false;
        });
    };
    ASSERT_TRUE(scrollTo(L"predlc_text_speed"));
    ASSERT_TRUE(WaitUntil([&] { return !OnForm<bool>(form, [](SettingForm& f) {
        return Named<ui::ListBox>(f, L"setting_pages")->IsScrollEventSuppressed(); }); }));
    EXPECT_GT(darkIn(L"text_speed", 0.25, 0.75), 0) << "4096 is shown";
    EXPECT_GT(darkIn(L"predlc_text_speed", 0.25, 0.75), 0) << "2048 is shown, greyed";

    ASSERT_TRUE(scrollTo(L"text_game_path"));
    EXPECT_GT(darkIn(L"text_game_path", 0.0, 0.2), 0);
    EXPECT_EQ(darkIn(L"text_game_path", 0.4, 0.6), 0) << "a short folder is not centred";
}
