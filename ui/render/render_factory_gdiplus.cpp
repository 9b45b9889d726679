#include "ui/render/render_factory_gdiplus.h"

#include "ui/render/brush_gdiplus.h"
#include "ui/render/gdi_bitmap.h"
#include "ui/render/matrix_gdiplus.h"
#include "ui/render/path_gdiplus.h"
#include "ui/render/pen_gdiplus.h"
#include "ui/render/render_context_gdiplus.h"
#include "ui/render/text_effect_gdiplus.h"

namespace ui {

IPen* RenderFactory_GdiPlus::CreatePen(DWORD color, int width) { return new Pen_GdiPlus(color, width); }

IBrush* RenderFactory_GdiPlus::CreateBrush(HBITMAP bitmap) { return new Brush_Gdiplus(bitmap); }

IBrush* RenderFactory_GdiPlus::CreateBrush(DWORD color) { return new Brush_Gdiplus(color); }

IMatrix* RenderFactory_GdiPlus::CreateMatrix() { return new Matrix_Gdiplus(); }

IPath* RenderFactory_GdiPlus::CreatePath() { return new Path_Gdiplus(); }

IBitmap* RenderFactory_GdiPlus::CreateBitmap() { return new GdiBitmap(); }

IRenderContext* RenderFactory_GdiPlus::CreateRenderContext() { return new RenderContext_GdiPlus(); }

ITextEffect* RenderFactory_GdiPlus::CreateTextEffect() { return new TextEffect_GdiPlus(); }

}  // namespace ui
