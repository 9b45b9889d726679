#pragma once

#include <windows.h>

#include "base/weak_callback.h"

namespace ui {

class IRenderContext;

// A clip for one paint call: set on construction when asked, cleared on destruction, so set
// and clear always pair up and nested clips unwind in reverse order.
class AutoClip : public kbase::SupportWeakCallback {
public:
    AutoClip(IRenderContext* context, const RECT& rect, bool clip = true);
    AutoClip(IRenderContext* context, const RECT& rect, int roundWidth, int roundHeight, bool clip = true);
    ~AutoClip() override;

    AutoClip(const AutoClip&) = delete;
    AutoClip& operator=(const AutoClip&) = delete;

private:
    IRenderContext* context_;
    bool clip_;
};

}  // namespace ui
