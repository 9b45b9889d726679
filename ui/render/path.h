#pragma once

#include <windows.h>

#include "base/weak_callback.h"

namespace ui {

class IMatrix;
class IPen;

// Fill modes: 0 alternate, 1 winding. Angles in degrees.
class IPath : public kbase::SupportWeakCallback {
public:
    virtual IPath* Clone() = 0;
    virtual void Reset() = 0;
    virtual void SetFillMode(int mode) = 0;
    virtual int GetFillMode() = 0;
    virtual void StartFigure() = 0;
    virtual void CloseFigure() = 0;
    virtual void AddLine(int x1, int y1, int x2, int y2) = 0;
    virtual void AddLines(const POINT* points, int count) = 0;
    virtual void AddBezier(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    virtual void AddCurve(const POINT* points, int count) = 0;
    virtual void AddRect(const RECT& rect) = 0;
    virtual void AddRect(int left, int top, int right, int bottom) = 0;
    virtual void AddEllipse(const RECT& rect) = 0;
    virtual void AddEllipse(int left, int top, int right, int bottom) = 0;
    virtual void AddArc(int x, int y, int width, int height, float startAngle, float sweepAngle) = 0;
    virtual void AddPie(int x, int y, int width, int height, float startAngle, float sweepAngle) = 0;
    virtual void AddPolygon(const POINT* points, int count) = 0;
    // Bounds, widened by the pen when one is given.
    virtual RECT GetBound(const IPen* pen) = 0;
    virtual bool IsContainsPoint(int x, int y) = 0;
    virtual bool IsStrokeContainsPoint(int x, int y, const IPen* pen) = 0;
    virtual void Transform(const IMatrix* matrix) = 0;
};

}  // namespace ui
