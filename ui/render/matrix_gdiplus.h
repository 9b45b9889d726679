#pragma once

#include <windows.h>

#include "ui/render/gdiplus_headers.h"
#include "ui/render/matrix.h"

namespace ui {

class Matrix_Gdiplus : public IMatrix {
public:
    void Translate(int offsetX, int offsetY) override;
    void Scale(int scaleX, int scaleY) override;
    void Rotate(float angle) override;
    void RotateAt(float angle, const POINT& center) override;

    const Gdiplus::Matrix* GetMatrix() const { return &matrix_; }

private:
    Gdiplus::Matrix matrix_;  // identity
};

}  // namespace ui
