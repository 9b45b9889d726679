#pragma once

#include <windows.h>

#include <memory>

#include "ui/render/gdiplus_headers.h"
#include "ui/render/path.h"

namespace ui {

class Path_Gdiplus : public IPath {
public:
    Path_Gdiplus();

    IPath* Clone() override;
    void Reset() override;
    void SetFillMode(int mode) override;
    int GetFillMode() override;
    void StartFigure() override;
    void CloseFigure() override;
    void AddLine(int x1, int y1, int x2, int y2) override;
    void AddLines(const POINT* points, int count) override;
    void AddBezier(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void AddCurve(const POINT* points, int count) override;
    void AddRect(const RECT& rect) override;
    void AddRect(int left, int top, int right, int bottom) override;
    void AddEllipse(const RECT& rect) override;
    void AddEllipse(int left, int top, int right, int bottom) override;
    void AddArc(int x, int y, int width, int height, float startAngle, float sweepAngle) override;
    void AddPie(int x, int y, int width, int height, float startAngle, float sweepAngle) override;
    void AddPolygon(const POINT* points, int count) override;
    RECT GetBound(const IPen* pen) override;
    bool IsContainsPoint(int x, int y) override;
    // False without a pen.
    bool IsStrokeContainsPoint(int x, int y, const IPen* pen) override;
    // Nothing without a matrix.
    void Transform(const IMatrix* matrix) override;

    Gdiplus::GraphicsPath* GetPath() const { return path_.get(); }

private:
    explicit Path_Gdiplus(std::unique_ptr<Gdiplus::GraphicsPath> path);

    std::unique_ptr<Gdiplus::GraphicsPath> path_;
};

}  // namespace ui
