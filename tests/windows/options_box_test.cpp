// The options box on a real window with its real skin: the options it adds, what each way out
// delivers, and that it delivers once.
#include "windows/options_box.h"

#include <windows.h>

#include <functional>

#include <gtest/gtest.h>

#include "tests/windows/dialog_test_support.h"
#include "ui/option.h"

namespace {

using dialog_test::WaitUntil;

class OptionsBoxTest : public dialog_test::DialogTest {
public:
    HWND Open() {
        OptionsRequest request;
        request.textKey = L"STRING_SHUT_OPTION_NOTICE";
        request.groupName = L"shutdown_options";
        request.options = {L"STRING_SHUT_OPTION_TRAYICON", L"STRING_SHUT_OPTION_EXIT"};
        request.confirmKey = L"STRING_CONFIRM";
        request.callback = answers_.Callback();
        RunOnUi([&] { OptionsBox::Show(owner_, request); });
        HWND box = WaitForWindow(L"OptionsBox");
        if (box) WaitLaidOut(box);
        return box;
    }
    // The options the box added, in list order: text and selected state.
    std::vector<std::pair<std::wstring, bool>> Options(HWND box) {
        std::vector<std::pair<std::wstring, bool>> options;
        RunOnUi([&] {
            auto* list = dynamic_cast<ui::Box*>(FrameworkWindow(box)->FindControl(std::wstring(L"option_vlist")));
            for (int i = 0; list && i < list->GetCount(); ++i) {
                auto* option = dynamic_cast<ui::Option*>(list->GetItemAt(i));
                if (option) options.emplace_back(option->GetText(), option->IsSelected());
            }
        });
        return options;
    }
    void ClickOption(HWND box, int index) {
        POINT point{-1, -1};
        RunOnUi([&] {
            auto* list = dynamic_cast<ui::Box*>(FrameworkWindow(box)->FindControl(std::wstring(L"option_vlist")));
            const RECT r = list->GetItemAt(index)->GetPos();
            point = {r.left + 8, (r.top + r.bottom) / 2};
        });
        const LPARAM at = MAKELPARAM(point.x, point.y);
        ::PostMessageW(box, WM_MOUSEMOVE, 0, at);
        ::PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(box, WM_LBUTTONUP, 0, at);
    }

    dialog_test::Answers answers_;
};

TEST_F(OptionsBoxTest, ShowsTheOptionsWithTheFirstSelectedAndTheButtonFocused) {
    HWND box = Open();
    ASSERT_NE(box, nullptr);
    using OptionList = std::vector<std::pair<std::wstring, bool>>;
    EXPECT_EQ(Options(box), (OptionList{{L"Minimise to the system tray", true}, {L"Exit the launcher", false}}));
    EXPECT_EQ(LabelText(box, L"content"), L"What should the close button do?");
    EXPECT_EQ(LabelText(box, L"btn_ok"), L"CONFIRM");
    EXPECT_FALSE(::IsWindowEnabled(owner_));
    PressKey(box, VK_RETURN);  // on the focused confirm button
    ASSERT_TRUE(WaitForWindowGone(box));
    ASSERT_TRUE(WaitUntil([this] { return !answers_.Values().empty(); }));
    EXPECT_EQ(answers_.Values(), std::vector<int>{0});
    EXPECT_TRUE(::IsWindowEnabled(owner_));
}

TEST_F(OptionsBoxTest, DeliversTheChosenIndexOnceOrNothingWhenDismissed) {
    struct Case {
        const char* way;
        std::vector<int> picks;
        std::function<void(OptionsBoxTest&, HWND)> leave;
        std::vector<int> delivered;
    } const cases[] = {
        {"second, then ok", {1}, [](OptionsBoxTest& t, HWND box) { t.Click(box, L"btn_ok"); }, {1}},
        {"second and first, then ok", {1, 0}, [](OptionsBoxTest& t, HWND box) { t.Click(box, L"btn_ok"); }, {0}},
        {"ok twice", {1},
         [](OptionsBoxTest& t, HWND box) {
             t.Click(box, L"btn_ok");
             t.Click(box, L"btn_ok");
         },
         {1}},
        {"close command", {1}, [](OptionsBoxTest&, HWND box) { ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); }, {1}},
        {"escape", {1}, [](OptionsBoxTest&, HWND box) { PressKey(box, VK_ESCAPE); }, {}},
        {"close button", {1}, [](OptionsBoxTest& t, HWND box) { t.Click(box, L"btn_close"); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        answers_.Clear();
        HWND box = Open();
        ASSERT_NE(box, nullptr);
        for (int pick : c.picks) {
            ClickOption(box, pick);
            ASSERT_TRUE(WaitUntil([&] { return Options(box)[pick].second; }));
        }
        c.leave(*this, box);
        ASSERT_TRUE(WaitForWindowGone(box));
        RunOnUi([] {});  // a posted answer has run by now
        EXPECT_EQ(answers_.Values(), c.delivered);
        EXPECT_TRUE(::IsWindowEnabled(owner_));
    }
}

}  // namespace
