#pragma once

// The widget gallery (tests/ui/skins/.../gallery/skin.xml) as a real skinned window, driven
// with posted mouse and key messages and read back from the window's own bitmap.

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/support/render_snapshot.h"
#include "tests/ui/timer_test_support.h"
#include "tests/ui/window_test_support.h"
#include "ui/control.h"
#include "ui/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/window.h"
#include "ui/window_impl_base.h"

namespace gallery {

// The skinned gallery window; it deletes itself with its native window.
class GalleryForm : public ui::WindowImplBase {
public:
    explicit GalleryForm(bool* deleted) : deleted_(deleted) {}
    ~GalleryForm() override { *deleted_ = true; }
    std::wstring GetWindowClassName() const override { return L"UiGalleryTest"; }
    std::wstring GetSkinFolder() override { return L"gallery"; }
    std::wstring GetSkinFile() override { return L"skin.xml"; }

private:
    bool* deleted_;
};

// Colour closeness per channel; text is drawn just short of opaque.
inline bool Near(ui_test::Pixel pixel, DWORD argb, int tolerance = 3) {
    const auto close = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
    return close(pixel.r, (argb >> 16) & 0xFF) && close(pixel.g, (argb >> 8) & 0xFF) && close(pixel.b, argb & 0xFF);
}

class GalleryTest : public testing::Test {
protected:
    void SetUp() override {
        ui::GlobalManager::Startup(L"Z:" LAUNCHER_SOURCE_DIR_W L"\\tests\\ui\\skins\\resources\\", nullptr, false,
                                   L"themes\\default", L"en");
        form_ = new GalleryForm(&deleted_);
        hwnd_ = form_->Create(nullptr, L"gallery", 0xCE0000, 0, true);
        ASSERT_TRUE(hwnd_);
        ::SetWindowPos(hwnd_, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ASSERT_TRUE(window_test::PumpUntilLaidOut(*form_));
        window_test::PumpPending();
    }
    void TearDown() override {
        if (!deleted_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
        window_test::PumpPending();
    }

    template <class T = ui::Control>
    T* Find(const std::wstring& name) {
        auto* control = dynamic_cast<T*>(form_->FindControl(name));
        EXPECT_TRUE(control) << "no such control in the gallery";
        return control;
    }
    RECT RectOf(const std::wstring& name) { return form_->FindControl(name)->GetPos(); }
    POINT CentreOf(const std::wstring& name) {
        const RECT r = RectOf(name);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // Posted input, dispatched before returning.
    void Post(UINT message, WPARAM wParam, POINT at) {
        ::PostMessageW(hwnd_, message, wParam, MAKELPARAM(at.x, at.y));
        window_test::PumpPending();
    }
    void MoveTo(POINT at) { Post(WM_MOUSEMOVE, 0, at); }
    void Press(POINT at) { Post(WM_LBUTTONDOWN, MK_LBUTTON, at); }
    void Release(POINT at) { Post(WM_LBUTTONUP, 0, at); }
    void Click(POINT at) {
        MoveTo(at);
        Press(at);
        Release(at);
    }
    void Click(const std::wstring& name) { Click(CentreOf(name)); }

    // The window's bitmap as last painted, after the pending paints.
    ui_test::Pixel PixelAt(int x, int y) {
        ::UpdateWindow(hwnd_);
        return ui_test::PixelAt(*form_->GetRenderContext(), x, y);
    }
    // Waits (bounded) for a pixel to take a colour, as hot fades take a few frames.
    bool WaitForPixel(POINT at, DWORD argb) {
        return ui_test::PumpMessagesUntil([&] { return Near(PixelAt(at.x, at.y), argb); }, 3000);
    }
    void WritePng(const std::wstring& file) { ui_test::WriteRenderContextPng(*form_->GetRenderContext(), file, 2); }
    // A pixel that should take a colour (within a bounded wait); on failure the picture is
    // left beside the test log as <test name>.png.
    testing::AssertionResult PixelBecomes(POINT at, DWORD argb) {
        if (WaitForPixel(at, argb)) return testing::AssertionSuccess();
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = test ? test->name() : "gallery";
        WritePng(std::wstring(name.begin(), name.end()) + L".png");
        const ui_test::Pixel p = PixelAt(at.x, at.y);
        return testing::AssertionFailure() << "pixel (" << at.x << ", " << at.y << ") is " << std::hex << p.Argb()
                                           << ", not " << argb;
    }

    // Pixels of a rectangle darker than the threshold on every channel: text ink on a light
    // ground.
    int InkIn(RECT area, int threshold = 128) {
        ::UpdateWindow(hwnd_);
        int ink = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const ui_test::Pixel p = ui_test::PixelAt(*form_->GetRenderContext(), x, y);
                if (p.r < threshold && p.g < threshold && p.b < threshold) ++ink;
            }
        }
        return ink;
    }

    // Whether some pixel of a rectangle is close to a colour (text cores take its colour).
    bool AnyPixelNear(RECT area, DWORD argb, int tolerance = 12) {
        ::UpdateWindow(hwnd_);
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (Near(ui_test::PixelAt(*form_->GetRenderContext(), x, y), argb, tolerance)) return true;
            }
        }
        return false;
    }

    // AnyPixelNear within a bounded wait: fades take a few frames.
    bool ComesToShow(RECT area, DWORD argb) {
        return ui_test::PumpMessagesUntil([&] { return AnyPixelNear(area, argb); }, 3000);
    }

    // Counts the events of a type that a control raises.
    int* CountEvents(ui::Control* control, int type) {
        counters_.push_back(std::make_unique<int>(0));
        int* count = counters_.back().get();
        control->EventMapAt(type).push_back([count](ui::EventArgs*) {
            ++*count;
            return true;
        });
        return count;
    }

    GalleryForm* form_ = nullptr;
    HWND hwnd_ = nullptr;
    bool deleted_ = false;
    std::vector<std::unique_ptr<int>> counters_;
};

}  // namespace gallery
