#include "ui/dpi_manager.h"

namespace ui {

DpiManager* DpiManager::GetInstance() {
    static DpiManager instance;
    return &instance;
}

int DpiManager::ScaleInt(int value) const {
    return Scaling() ? ::MulDiv(value, scale_, 100) : value;
}

void DpiManager::ScaleRect(RECT& rect) const {
    if (!Scaling()) return;
    const int width = ::MulDiv(rect.right - rect.left, scale_, 100);
    const int height = ::MulDiv(rect.bottom - rect.top, scale_, 100);
    rect.left = ::MulDiv(rect.left, scale_, 100);
    rect.top = ::MulDiv(rect.top, scale_, 100);
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
}

void DpiManager::ScaleSize(SIZE& size) const {
    size.cx = ScaleInt(size.cx);
    size.cy = ScaleInt(size.cy);
}

bool IsWindowsVersionAtLeast(WORD minor) {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwMajorVersion = 6;
    info.dwMinorVersion = minor;
    info.wServicePackMajor = 0;
    DWORDLONG mask = 0;
    mask = ::VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return ::VerifyVersionInfoW(&info, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, mask) != FALSE;
}

}  // namespace ui
