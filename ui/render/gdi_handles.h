#pragma once

#include <windows.h>

#include "base/unique_handle.h"

namespace ui {

// Owners of the GDI handles the render layer makes, and a guard for selections into a DC.

struct MemoryDcTraits {
    using Raw = HDC;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw dc) { ::DeleteDC(dc); }
};

template <class Handle>
struct GdiObjectTraits {
    using Raw = Handle;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw object) { ::DeleteObject(object); }
};

using ScopedMemoryDc = kbase::UniqueHandle<MemoryDcTraits>;
using ScopedBitmap = kbase::UniqueHandle<GdiObjectTraits<HBITMAP>>;
using ScopedRegion = kbase::UniqueHandle<GdiObjectTraits<HRGN>>;

// Selects an object into a DC for a scope and puts the previous one back.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~ScopedSelectObject() {
        if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The screen's DC for a scope.
class ScopedScreenDc {
public:
    ScopedScreenDc() : dc_(::GetDC(nullptr)) {}
    ~ScopedScreenDc() {
        if (dc_) ::ReleaseDC(nullptr, dc_);
    }
    ScopedScreenDc(const ScopedScreenDc&) = delete;
    ScopedScreenDc& operator=(const ScopedScreenDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace ui
