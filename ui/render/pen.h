#pragma once

#include <windows.h>

#include "base/weak_callback.h"

namespace ui {

// Caps, joins and dash styles carry the values of the GDI+ enumerations.
class IPen : public kbase::SupportWeakCallback {
public:
    explicit IPen(DWORD color) : color_(color) {}

    virtual IPen* Clone() = 0;
    virtual void SetWidth(int width) = 0;
    virtual int GetWidth() = 0;
    virtual void SetColor(DWORD color) = 0;
    virtual DWORD GetColor() = 0;
    virtual void SetStartCap(int cap) = 0;
    virtual void SetEndCap(int cap) = 0;
    virtual void SetDashCap(int cap) = 0;
    virtual int GetStartCap() = 0;
    virtual int GetEndCap() = 0;
    virtual int GetDashCap() = 0;
    virtual void SetLineJoin(int join) = 0;
    virtual int GetLineJoin() = 0;
    virtual void SetDashStyle(int style) = 0;
    virtual int GetDashStyle() = 0;

protected:
    DWORD color_;
};

}  // namespace ui
