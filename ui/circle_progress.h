#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/progress.h"

namespace Gdiplus {
class Image;
}

namespace ui {

// A progress drawn as an arc over a ring, from the top, clockwise or not; optionally with a
// gradient along the arc and a small image riding on the arc's end.
class CircleProgress : public Progress {
public:
    CircleProgress();
    ~CircleProgress() override;

    void SetCircular(bool circular);
    void SetClockwise(bool clockwise);
    void SetCircleWidth(int width);
    void SetBackgroundColor(DWORD argb);
    void SetForegroundColor(DWORD argb);
    void SetGradientColor(DWORD argb);
    // An image file, absolute or under the window's resource folder; turned to point along
    // the ring's direction.
    void SetIndicator(const std::wstring& path);

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void PaintStatusImage(IRenderContext* context) override;
    // Drops the indicator too, which comes back only with another path.
    void ClearImageCache() override;

private:
    void PaintRing(IRenderContext* context);

    bool circular_ = true;
    bool clockwise_ = true;
    int circleWidth_ = 1;
    DWORD backgroundColor_ = 0;
    DWORD foregroundColor_ = 0;
    DWORD gradientColor_ = 0;
    std::unique_ptr<Gdiplus::Image> indicator_;
    std::wstring indicatorPath_;
};

}  // namespace ui
