#include "ui/render/matrix_gdiplus.h"

namespace ui {

void Matrix_Gdiplus::Translate(int offsetX, int offsetY) {
    matrix_.Translate(static_cast<Gdiplus::REAL>(offsetX), static_cast<Gdiplus::REAL>(offsetY),
                      Gdiplus::MatrixOrderPrepend);
}

void Matrix_Gdiplus::Scale(int scaleX, int scaleY) {
    matrix_.Scale(static_cast<Gdiplus::REAL>(scaleX), static_cast<Gdiplus::REAL>(scaleY), Gdiplus::MatrixOrderPrepend);
}

void Matrix_Gdiplus::Rotate(float angle) { matrix_.Rotate(angle, Gdiplus::MatrixOrderPrepend); }

void Matrix_Gdiplus::RotateAt(float angle, const POINT& center) {
    const auto x = static_cast<Gdiplus::REAL>(center.x);
    const auto y = static_cast<Gdiplus::REAL>(center.y);
    // Each step prepended, so points are moved to the centre, rotated and moved back first.
    matrix_.Translate(x, y, Gdiplus::MatrixOrderPrepend);
    matrix_.Rotate(angle, Gdiplus::MatrixOrderPrepend);
    matrix_.Translate(-x, -y, Gdiplus::MatrixOrderPrepend);
}

}  // namespace ui
