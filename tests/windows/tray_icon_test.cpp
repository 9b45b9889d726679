#include "windows/tray_icon.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/launcher_messages.h"
#include "tests/windows/dialog_test_support.h"
#include "windows/balloon_request.h"

namespace {

// The messages the tray icon's owner received, from the UI thread.
class Received {
public:
    void Add(UINT message, WPARAM w) {
        std::lock_guard<std::mutex> hold(mutex_);
        messages_.emplace_back(message, w);
    }
    bool Has(UINT message, WPARAM w) {
        std::lock_guard<std::mutex> hold(mutex_);
        for (const auto& m : messages_) {
            if (m.first == message && m.second == w) return true;
        }
        return false;
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<UINT, WPARAM>> messages_;
};

Received received;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == kMsgShowLauncher || message == kMsgExitLauncher) received.Add(message, w);
    if (message == WM_COMMAND) received.Add(message, LOWORD(w));
    return ::DefWindowProcW(hwnd, message, w, l);
}

class TrayIconTest : public dialog_test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        RunOnUi([this] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = &OwnerProc;
            windowClass.hInstance = ::GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"TrayIconTestOwner";
            ::RegisterClassExW(&windowClass);
            tray_owner_ = ::CreateWindowExW(0, L"TrayIconTestOwner", L"tray owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                           0, 400, 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
            tray_ = std::make_unique<TrayIcon>(tray_owner_);
        });
        ASSERT_TRUE(tray_owner_);
    }
    void TearDown() override {
        RunOnUi([this] {
            tray_.reset();
            ::DestroyWindow(tray_owner_);
        });
        DialogTest::TearDown();
    }

    HWND tray_owner_ = nullptr;
    std::unique_ptr<TrayIcon> tray_;
};

TEST_F(TrayIconTest, MenuHoldsOpenAndExitAndTheWindowPointsAtTheIconWhileItLives) {
    RunOnUi([this] {
        wchar_t text[64] = {};
        ASSERT_TRUE(tray_->PopupMenu());
        ::GetMenuStringW(tray_->PopupMenu(), kMsgShowLauncher, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"Open Launcher");
        ::GetMenuStringW(tray_->PopupMenu(), kMsgExitLauncher, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"Exit");
        EXPECT_TRUE(tray_->IsMenuItem(kMsgShowLauncher));
        EXPECT_TRUE(tray_->IsMenuItem(kMsgExitLauncher));
        EXPECT_FALSE(tray_->IsMenuItem(kMsgHideToTray));
        EXPECT_EQ(::GetPropW(tray_owner_, TrayIcon::kWindowProperty), tray_.get());
        tray_.reset();
        EXPECT_EQ(::GetPropW(tray_owner_, TrayIcon::kWindowProperty), nullptr);
    });
}

TEST_F(TrayIconTest, DoubleClickAsksToShowAndCheckTheLauncher) {
    RunOnUi([this] {
        tray_->OnNotification(MAKELPARAM(WM_MOUSEMOVE, 0));
        tray_->OnNotification(MAKELPARAM(WM_LBUTTONDBLCLK, 0));
    });
    EXPECT_TRUE(received.Has(kMsgShowLauncher, 2));
}

TEST_F(TrayIconTest, BalloonRequestsOtherThanAFullBlockAreIgnored) {
    std::vector<unsigned char> block(BalloonRequest::kBlockSize, 0);
    const wchar_t title[] = L"Hello";
    std::memcpy(block.data(), title, sizeof(title));
    RunOnUi([&] {
        COPYDATASTRUCT shortBlock{0, static_cast<DWORD>(block.size() - 1), block.data()};
        EXPECT_FALSE(tray_->ShowBalloon(&shortBlock));
        COPYDATASTRUCT otherData{7, static_cast<DWORD>(block.size()), block.data()};
        EXPECT_FALSE(tray_->ShowBalloon(&otherData));
        EXPECT_FALSE(tray_->ShowBalloon(nullptr));
        COPYDATASTRUCT full{0, static_cast<DWORD>(block.size()), block.data()};
        // Shown only where the shell took the icon.
        EXPECT_EQ(tray_->ShowBalloon(&full), tray_->IsAdded());
    });
}

}  // namespace
