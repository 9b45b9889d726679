#pragma once

// The main window's page areas in a small real window: the game-area tab box over the
// pre-download tab box, each holding the pages built from their real skin files, on the
// launcher's UI thread (see dialog_test_support.h). The window stands as the launcher context's
// main window, over which the pre-download popup and the dialogs open.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/launcher_context.h"
#include "app/update_state.h"
#include "tests/windows/dialog_test_support.h"
#include "tests/windows/fixed_state.h"
#include "ui/tab_box.h"
#include "ui/vbox.h"
#include "ui/window_impl_base.h"
#include "windows/page_controls.h"
#include "windows/tab_asset.h"
#include "windows/tab_predlc.h"

namespace page_test {

class PageHostForm : public ui::WindowImplBase {
public:
    std::wstring GetWindowClassName() const override { return L"Launcher"; }
    // The page skins' own folder; the empty game-area page serves as the root.
    std::wstring GetSkinFolder() override { return L"main"; }
    std::wstring GetSkinFile() override { return L"tab_asset_none.xml"; }

    void InitWindow() override {
        auto column = std::make_unique<ui::VBox>();
        column->SetBkColor(L"night");
        auto assets = std::make_unique<ui::TabBox>(nullptr);
        assets->SetFixedHeight(140);
        auto predlc = std::make_unique<ui::TabBox>(nullptr);
        predlc->SetFixedWidth(240);
        predlc->SetFixedHeight(60);
        predlc->SetMargin(RECT{20, 10, 0, 0});
        column_ = column.get();
        assetTabs = assets.get();
        preDlcTabs = predlc.get();
        if (column->Add(assets.get())) assets.release();
        if (column->Add(predlc.get())) predlc.release();
        if (GetRoot()->Add(column.get())) column.release();
        MainComponents::AddAssetPages(assetTabs);
        MainComponents::AddPreDlcPages(preDlcTabs);
    }

    // Adds a control below the page areas; false (the control is gone then) when refused.
    bool AddBelow(std::unique_ptr<ui::Control> control) {
        if (!column_->Add(control.get())) return false;
        control.release();
        return true;
    }

    ui::TabBox* assetTabs = nullptr;
    ui::TabBox* preDlcTabs = nullptr;

private:
    ui::VBox* column_ = nullptr;
};

using ::FixedState;

class PageTest : public dialog_test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        RunOnUi([this] {
            form_ = new PageHostForm;  // the window owns it once made
            hwnd_ = form_->Create(nullptr, L"Launcher", 0xCE0000, 0, true);
            ::SetWindowPos(hwnd_, nullptr, 20, 20, 1000, 420, SWP_NOZORDER | SWP_SHOWWINDOW);
        });
        ASSERT_TRUE(hwnd_);
        WaitLaidOut(hwnd_);
        LauncherContext* context = LauncherContext::Instance();
        context->SetMainWindow(hwnd_);
        UiServices services = context->ui();
        services.showMessageBox = [this](HWND, const MessageBoxContent& content, std::function<void(int)>) {
            boxes_.push_back(content.message.text);
        };
        context->SetUiServices(services);
    }
    void TearDown() override {
        LauncherContext* context = LauncherContext::Instance();
        context->SetState(nullptr);
        context->SetMainWindow(nullptr);
        context->SetUiServices(UiServices{});
        RunOnUi([this] {
            MainComponents::RemoveAssetPages(form_->assetTabs);
            MainComponents::RemovePreDlcPages(form_->preDlcTabs);
            ::DestroyWindow(hwnd_);
        });
        DialogTest::TearDown();
    }

    // Runs body with the page of a class at its index made current.
    template <class Page>
    void OnPage(ui::TabBox* PageHostForm::*tabs, int index, const std::function<void(Page&)>& body) {
        RunOnUi([&] {
            (form_->*tabs)->SelectItem(index);
            auto* page = dynamic_cast<Page*>((form_->*tabs)->GetItemAt(static_cast<std::size_t>(index)));
            ASSERT_TRUE(page);
            body(*page);
            ::UpdateWindow(hwnd_);  // lays the page out
        });
    }
    // The message boxes asked for so far (their text ids), once count of them came (bounded).
    std::vector<std::wstring> Boxes(std::size_t count) {
        BecomesTrue([&] { return boxes_.size() >= count; });
        std::vector<std::wstring> boxes;
        RunOnUi([&] { boxes = boxes_; });
        return boxes;
    }
    // A control of one page (names repeat across pages); null when the page lacks it.
    ui::Control* ControlOn(ui::TabBox* PageHostForm::*tabs, int index, const wchar_t* name) {
        return FindNamedControl((form_->*tabs)->GetItemAt(static_cast<std::size_t>(index)), name);
    }
    // The text a label of a page shows, "<none>" when the page lacks it.
    std::wstring TextOn(ui::TabBox* PageHostForm::*tabs, int index, const wchar_t* name) {
        std::wstring text = L"<none>";
        RunOnUi([&] {
            if (auto* label = dynamic_cast<ui::Label*>(ControlOn(tabs, index, name))) text = label->GetText();
        });
        return text;
    }
    // The centre of a control of a page, in client coordinates.
    POINT CentreOn(ui::TabBox* PageHostForm::*tabs, int index, const wchar_t* name) {
        WaitLaidOut(hwnd_);
        POINT centre{-1, -1};
        RunOnUi([&] {
            if (ui::Control* control = ControlOn(tabs, index, name)) {
                const RECT r = control->GetPos();
                centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            }
        });
        return centre;
    }
    void PostMouse(UINT message, POINT at) {
        ::PostMessageW(hwnd_, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(at.x, at.y));
    }
    void ClickAt(POINT at) {
        WaitLaidOut(hwnd_);
        PostMouse(WM_MOUSEMOVE, at);
        PostMouse(WM_LBUTTONDOWN, at);
        PostMouse(WM_LBUTTONUP, at);
    }
    // Whether a condition read on the UI thread comes true within a bounded wait: posted input
    // is handled some time after the post.
    bool BecomesTrue(const std::function<bool()>& condition) {
        return dialog_test::WaitUntil([&] {
            bool met = false;
            RunOnUi([&] { met = condition(); });
            return met;
        });
    }

    PageHostForm* form_ = nullptr;
    std::vector<std::wstring> boxes_;  // UI thread
    HWND hwnd_ = nullptr;
};

}  // namespace page_test
