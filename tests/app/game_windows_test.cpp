#include "app/game_windows.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Top-level windows of this thread that record the launcher messages they get. Sends to them
// from this thread are plain calls, so no message loop is needed.
class Windows {
public:
    static constexpr UINT kProbe = 2527;

    Windows() {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &Windows::Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        for (const wchar_t* name : {L"GameWindowsTest", L"UnityWndClass"}) {
            windowClass.lpszClassName = name;
            ::RegisterClassExW(&windowClass);
        }
    }
    ~Windows() {
        for (HWND window : made_)
            if (::IsWindow(window)) ::DestroyWindow(window);
    }

    // A window of the class; withProperty sets "_TVN_GAME_TW" to its own handle (or to
    // another value when foreignValue is given).
    HWND Make(const wchar_t* className, bool withProperty, HANDLE foreignValue = nullptr) {
        HWND window = ::CreateWindowExW(0, className, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
        if (withProperty) ::SetPropW(window, L"_TVN_GAME_TW", foreignValue ? foreignValue : window);
        made_.push_back(window);
        return window;
    }

    static int Received(HWND window) { return received()[window]; }

private:
    static std::map<HWND, int>& received() {
        static std::map<HWND, int> counts;
        return counts;
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == kProbe) {
            ++received()[window];
            return 1;
        }
        return ::DefWindowProcW(window, message, w, l);
    }

    std::vector<HWND> made_;
};

bool Contains(const std::vector<HWND>& list, HWND window) {
    return std::find(list.begin(), list.end(), window) != list.end();
}

TEST(GameWindowList, RegistrationPrunesDeadWindowsAndSkipsDuplicates) {
    Windows windows;
    HWND first = windows.Make(L"GameWindowsTest", false);
    HWND second = windows.Make(L"GameWindowsTest", false);
    GameWindowList list;
    list.Register(first);
    list.Register(first);
    list.Register(nullptr);
    list.Register(second);
    EXPECT_EQ(list.Snapshot(), (std::vector<HWND>{first, second}));
    ::DestroyWindow(first);
    HWND third = windows.Make(L"GameWindowsTest", false);
    list.Register(third);
    EXPECT_EQ(list.Snapshot(), (std::vector<HWND>{second, third}));
}

TEST(GameWindowList, RefreshTakesOnlyWindowsWhosePropertyIsTheirOwnHandle) {
    Windows windows;
    HWND game = windows.Make(L"GameWindowsTest", true);
    HWND foreign = windows.Make(L"GameWindowsTest", true, reinterpret_cast<HANDLE>(game));
    HWND plain = windows.Make(L"GameWindowsTest", false);
    GameWindowList list;
    list.Refresh();
    const std::vector<HWND> found = list.Snapshot();
    EXPECT_TRUE(Contains(found, game));
    EXPECT_FALSE(Contains(found, foreign));
    EXPECT_FALSE(Contains(found, plain));
}

TEST(GameWindowList, SendsToListedLiveWindowsAndSkipsDeadOnes) {
    Windows windows;
    HWND live = windows.Make(L"GameWindowsTest", false);
    HWND dead = windows.Make(L"GameWindowsTest", false);
    GameWindowList list;
    list.Register(live);
    list.Register(dead);
    ::DestroyWindow(dead);
    EXPECT_EQ(list.Send(Windows::kProbe, 0, 0), 1);
    EXPECT_EQ(Windows::Received(live), 1);
    // The dead handle stays listed: a non-empty list is not rebuilt.
    EXPECT_EQ(list.Snapshot().size(), 2u);
    EXPECT_EQ(list.FrontWindow(), live);
}

TEST(GameWindowList, AnEmptyListIsRebuiltOrFallsBackToTheGameClass) {
    Windows windows;
    GameWindowList list;
    HWND unity = windows.Make(L"UnityWndClass", false);
    EXPECT_EQ(list.Send(Windows::kProbe, 0, 0), 1);
    EXPECT_EQ(Windows::Received(unity), 1);
    EXPECT_EQ(list.FrontWindow(), unity);

    HWND game = windows.Make(L"GameWindowsTest", true);
    EXPECT_GE(list.Send(Windows::kProbe, 0, 0), 1);
    EXPECT_EQ(Windows::Received(game), 1);
    EXPECT_EQ(Windows::Received(unity), 1);  // the class is asked only while no window is listed
    EXPECT_TRUE(Contains(list.Snapshot(), game));
}

TEST(GameWindowList, WithoutAnyGameWindowNothingIsSent) {
    GameWindowList list;
    EXPECT_EQ(list.Send(Windows::kProbe, 0, 0), 0);
    EXPECT_TRUE(list.Snapshot().empty());
    EXPECT_EQ(list.FrontWindow(), nullptr);
}

}  // namespace
