#include "app/game_windows.h"

#include <algorithm>

#include "app/launcher_messages.h"
#include "app/window_property.h"

void GameWindowList::Register(HWND window) {
    kbase::AutoLock hold(lock_);
    windows_.remove_if([](HWND listed) { return !::IsWindow(listed); });
    if (::IsWindow(window) && std::find(windows_.begin(), windows_.end(), window) == windows_.end())
        windows_.push_back(window);
}

void GameWindowList::Refresh() {
    const std::vector<HWND> found = FindWindowsWithSelfProperty(kGameWindowProperty);
    kbase::AutoLock hold(lock_);
    windows_.assign(found.begin(), found.end());
}

std::vector<HWND> GameWindowList::Snapshot() const {
    kbase::AutoLock hold(lock_);
    return std::vector<HWND>(windows_.begin(), windows_.end());
}

std::vector<HWND> GameWindowList::Listed() {
    std::vector<HWND> listed = Snapshot();
    if (listed.empty()) {
        Refresh();
        listed = Snapshot();
    }
    return listed;
}

int GameWindowList::Send(UINT message, WPARAM w, LPARAM l) {
    std::vector<HWND> targets = Listed();
    if (targets.empty()) {
        if (HWND unity = ::FindWindowW(kGameWindowClass, nullptr)) targets.push_back(unity);
    }
    int delivered = 0;
    for (HWND window : targets) {
        if (!::IsWindow(window)) continue;
        DWORD_PTR answer = 0;
        if (::SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL | SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                  &answer)) {
            ++delivered;
        }
    }
    return delivered;
}

HWND GameWindowList::FrontWindow() {
    const std::vector<HWND> listed = Listed();
    if (listed.empty()) return ::FindWindowW(kGameWindowClass, nullptr);
    const auto live = std::find_if(listed.begin(), listed.end(), [](HWND window) { return ::IsWindow(window); });
    return live == listed.end() ? nullptr : *live;
}
