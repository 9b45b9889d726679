#pragma once

#include <windows.h>

namespace ui {

// The scale applied to skin sizes (skins are drawn for 96 DPI). Scaling happens only while
// adaptation is on and the percent is not 100. UI thread only after the first call.
class DpiManager {
public:
    static DpiManager* GetInstance();

    int GetScale() const { return scale_; }
    void SetScale(int percent) { scale_ = percent; }
    bool IsAdaptDPI() const { return adapt_; }
    void SetAdaptDPI(bool adapt) { adapt_ = adapt; }

    // MulDiv(value, percent, 100), negative values included.
    int ScaleInt(int value) const;
    // Scales the left-top corner and the width and height, so the size stays exact.
    void ScaleRect(RECT& rect) const;
    void ScaleSize(SIZE& size) const;

private:
    DpiManager() = default;
    bool Scaling() const { return adapt_ && scale_ != 100; }

    int scale_ = 100;
    bool adapt_ = false;
};

// VerifyVersionInfo against Windows 6.<minor>: 0 Vista or later, 2 Windows 8 or later.
bool IsWindowsVersionAtLeast(WORD minor);

}  // namespace ui
