#include <algorithm>

#include "ui/global_manager.h"

namespace ui {
namespace {

std::vector<Window*>& Windows() {
    static std::vector<Window*> windows;
    return windows;
}

}  // namespace

void GlobalManager::AddWindow(Window* window) {
    Windows().push_back(window);
}

bool GlobalManager::RemoveWindow(Window* window) {
    auto& windows = Windows();
    const auto found = std::find(windows.begin(), windows.end(), window);
    if (found == windows.end()) return false;
    windows.erase(found);
    return true;
}

const std::vector<Window*>& GlobalManager::GetWindowList() {
    return Windows();
}

}  // namespace ui
