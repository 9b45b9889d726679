#pragma once

#include <windows.h>

#include <memory>

#include "ui/render/gdiplus_headers.h"
#include "ui/render/pen.h"

namespace ui {

class Pen_GdiPlus : public IPen {
public:
    Pen_GdiPlus(DWORD color, int width);

    IPen* Clone() override;
    void SetWidth(int width) override;
    int GetWidth() override;
    void SetColor(DWORD color) override;
    DWORD GetColor() override { return color_; }
    void SetStartCap(int cap) override;
    void SetEndCap(int cap) override;
    void SetDashCap(int cap) override;
    int GetStartCap() override;
    int GetEndCap() override;
    int GetDashCap() override;
    void SetLineJoin(int join) override;
    int GetLineJoin() override;
    void SetDashStyle(int style) override;
    int GetDashStyle() override;

    Gdiplus::Pen* GetPen() const { return pen_.get(); }

private:
    Pen_GdiPlus(DWORD color, std::unique_ptr<Gdiplus::Pen> pen);

    std::unique_ptr<Gdiplus::Pen> pen_;
};

// The GDI+ pen behind a pen of this render layer; null for null.
Gdiplus::Pen* GdiplusPenOf(const IPen* pen);

}  // namespace ui
