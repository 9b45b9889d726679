#pragma once

#include <windows.h>

#include "ui/render/render_factory.h"

namespace ui {

// Makes the GDI+ render objects; GDI+ must be running (GlobalManager::StartupRender).
class RenderFactory_GdiPlus : public IRenderFactory {
public:
    IPen* CreatePen(DWORD color, int width = 1) override;
    IBrush* CreateBrush(HBITMAP bitmap) override;
    IBrush* CreateBrush(DWORD color) override;
    IMatrix* CreateMatrix() override;
    IPath* CreatePath() override;
    IBitmap* CreateBitmap() override;
    IRenderContext* CreateRenderContext() override;
    ITextEffect* CreateTextEffect() override;
};

}  // namespace ui
