#include "ui/render/path_gdiplus.h"

#include <vector>

#include "ui/render/matrix_gdiplus.h"
#include "ui/render/pen_gdiplus.h"

namespace ui {
namespace {

std::vector<Gdiplus::Point> ToPoints(const POINT* points, int count) {
    std::vector<Gdiplus::Point> result;
    if (!points || count <= 0) return result;
    result.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) result.emplace_back(points[i].x, points[i].y);
    return result;
}

}  // namespace

Path_Gdiplus::Path_Gdiplus() : path_(std::make_unique<Gdiplus::GraphicsPath>()) {}

Path_Gdiplus::Path_Gdiplus(std::unique_ptr<Gdiplus::GraphicsPath> path) : path_(std::move(path)) {}

IPath* Path_Gdiplus::Clone() {
    std::unique_ptr<Gdiplus::GraphicsPath> copy(path_->Clone());
    if (!copy) return nullptr;
    return new Path_Gdiplus(std::move(copy));
}

void Path_Gdiplus::Reset() { path_->Reset(); }

void Path_Gdiplus::SetFillMode(int mode) { path_->SetFillMode(static_cast<Gdiplus::FillMode>(mode)); }

// GDI+ answers alternate when the query fails.
int Path_Gdiplus::GetFillMode() { return path_->GetFillMode(); }

void Path_Gdiplus::StartFigure() { path_->StartFigure(); }

void Path_Gdiplus::CloseFigure() { path_->CloseFigure(); }

void Path_Gdiplus::AddLine(int x1, int y1, int x2, int y2) { path_->AddLine(x1, y1, x2, y2); }

void Path_Gdiplus::AddLines(const POINT* points, int count) {
    const auto copy = ToPoints(points, count);
    if (!copy.empty()) path_->AddLines(copy.data(), static_cast<INT>(copy.size()));
}

void Path_Gdiplus::AddBezier(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    path_->AddBezier(x1, y1, x2, y2, x3, y3, x4, y4);
}

void Path_Gdiplus::AddCurve(const POINT* points, int count) {
    const auto copy = ToPoints(points, count);
    if (!copy.empty()) path_->AddCurve(copy.data(), static_cast<INT>(copy.size()));
}

void Path_Gdiplus::AddRect(const RECT& rect) { AddRect(rect.left, rect.top, rect.right, rect.bottom); }

void Path_Gdiplus::AddRect(int left, int top, int right, int bottom) {
    path_->AddRectangle(Gdiplus::Rect(left, top, right - left, bottom - top));
}

void Path_Gdiplus::AddEllipse(const RECT& rect) { AddEllipse(rect.left, rect.top, rect.right, rect.bottom); }

void Path_Gdiplus::AddEllipse(int left, int top, int right, int bottom) {
    path_->AddEllipse(left, top, right - left, bottom - top);
}

void Path_Gdiplus::AddArc(int x, int y, int width, int height, float startAngle, float sweepAngle) {
    path_->AddArc(x, y, width, height, startAngle, sweepAngle);
}

void Path_Gdiplus::AddPie(int x, int y, int width, int height, float startAngle, float sweepAngle) {
    path_->AddPie(x, y, width, height, startAngle, sweepAngle);
}

void Path_Gdiplus::AddPolygon(const POINT* points, int count) {
    const auto copy = ToPoints(points, count);
    if (!copy.empty()) path_->AddPolygon(copy.data(), static_cast<INT>(copy.size()));
}

RECT Path_Gdiplus::GetBound(const IPen* pen) {
    Gdiplus::Rect bounds;
    path_->GetBounds(&bounds, nullptr, GdiplusPenOf(pen));
    return RECT{bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height};
}

bool Path_Gdiplus::IsContainsPoint(int x, int y) { return path_->IsVisible(x, y) != FALSE; }

bool Path_Gdiplus::IsStrokeContainsPoint(int x, int y, const IPen* pen) {
    Gdiplus::Pen* gdiplusPen = GdiplusPenOf(pen);
    return gdiplusPen && path_->IsOutlineVisible(x, y, gdiplusPen) != FALSE;
}

void Path_Gdiplus::Transform(const IMatrix* matrix) {
    if (matrix) path_->Transform(static_cast<const Matrix_Gdiplus*>(matrix)->GetMatrix());
}

}  // namespace ui
