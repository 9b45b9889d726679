#pragma once

#include <windows.h>

#include "base/weak_callback.h"

namespace ui {

// Every operation prepends: it applies to points before what the matrix already holds.
class IMatrix : public kbase::SupportWeakCallback {
public:
    virtual void Translate(int offsetX, int offsetY) = 0;
    virtual void Scale(int scaleX, int scaleY) = 0;
    virtual void Rotate(float angle) = 0;  // degrees
    virtual void RotateAt(float angle, const POINT& center) = 0;
};

}  // namespace ui
