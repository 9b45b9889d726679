#include "app/window_property.h"

bool HasSelfProperty(HWND window, const wchar_t* property) {
    return window && ::GetPropW(window, property) == static_cast<HANDLE>(window);
}

std::vector<HWND> FindWindowsWithSelfProperty(const wchar_t* property) {
    std::vector<HWND> found;
    for (HWND window = ::GetWindow(::GetDesktopWindow(), GW_CHILD); window && ::IsWindow(window);
         window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (HasSelfProperty(window, property)) found.push_back(window);
    }
    return found;
}
