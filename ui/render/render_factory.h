#pragma once

#include <windows.h>

namespace ui {

class IBitmap;
class IBrush;
class IMatrix;
class IPath;
class IPen;
class IRenderContext;
class ITextEffect;

// Creates the render objects; the caller owns what it gets and deletes it.
class IRenderFactory {
public:
    virtual IPen* CreatePen(DWORD color, int width = 1) = 0;
    virtual IBrush* CreateBrush(HBITMAP bitmap) = 0;  // texture over a copy; the caller keeps the handle
    virtual IBrush* CreateBrush(DWORD color) = 0;
    virtual IMatrix* CreateMatrix() = 0;
    virtual IPath* CreatePath() = 0;
    virtual IBitmap* CreateBitmap() = 0;
    virtual IRenderContext* CreateRenderContext() = 0;
    virtual ITextEffect* CreateTextEffect() = 0;

protected:
    ~IRenderFactory() = default;  // owned through the concrete factory
};

}  // namespace ui
