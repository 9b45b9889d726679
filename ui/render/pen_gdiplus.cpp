#include "ui/render/pen_gdiplus.h"

namespace ui {

Pen_GdiPlus::Pen_GdiPlus(DWORD color, int width)
    : IPen(color), pen_(std::make_unique<Gdiplus::Pen>(Gdiplus::Color(color), static_cast<Gdiplus::REAL>(width))) {}

Pen_GdiPlus::Pen_GdiPlus(DWORD color, std::unique_ptr<Gdiplus::Pen> pen) : IPen(color), pen_(std::move(pen)) {}

IPen* Pen_GdiPlus::Clone() {
    std::unique_ptr<Gdiplus::Pen> copy(pen_->Clone());
    if (!copy) return nullptr;
    return new Pen_GdiPlus(color_, std::move(copy));
}

void Pen_GdiPlus::SetWidth(int width) { pen_->SetWidth(static_cast<Gdiplus::REAL>(width)); }

int Pen_GdiPlus::GetWidth() { return static_cast<int>(pen_->GetWidth()); }

void Pen_GdiPlus::SetColor(DWORD color) {
    color_ = color;
    pen_->SetColor(Gdiplus::Color(color));
}

void Pen_GdiPlus::SetStartCap(int cap) { pen_->SetStartCap(static_cast<Gdiplus::LineCap>(cap)); }
void Pen_GdiPlus::SetEndCap(int cap) { pen_->SetEndCap(static_cast<Gdiplus::LineCap>(cap)); }
void Pen_GdiPlus::SetDashCap(int cap) { pen_->SetDashCap(static_cast<Gdiplus::DashCap>(cap)); }
int Pen_GdiPlus::GetStartCap() { return pen_->GetStartCap(); }
int Pen_GdiPlus::GetEndCap() { return pen_->GetEndCap(); }
int Pen_GdiPlus::GetDashCap() { return pen_->GetDashCap(); }
void Pen_GdiPlus::SetLineJoin(int join) { pen_->SetLineJoin(static_cast<Gdiplus::LineJoin>(join)); }
int Pen_GdiPlus::GetLineJoin() { return pen_->GetLineJoin(); }
void Pen_GdiPlus::SetDashStyle(int style) { pen_->SetDashStyle(static_cast<Gdiplus::DashStyle>(style)); }
int Pen_GdiPlus::GetDashStyle() { return pen_->GetDashStyle(); }

Gdiplus::Pen* GdiplusPenOf(const IPen* pen) {
    return pen ? static_cast<const Pen_GdiPlus*>(pen)->GetPen() : nullptr;
}

}  // namespace ui
