#include "ui/circle_progress.h"

#include <algorithm>

#include "ui/attribute_values.h"
#include "ui/global_manager.h"
#include "ui/render/gdiplus_headers.h"
#include "ui/render/render_context.h"
#include "ui/window.h"

namespace ui {
namespace {

// A colour attribute: the name after leading blanks, looked up in the global colour table.
DWORD ColorOfAttribute(const std::wstring& value) {
    const std::size_t start = value.find_first_not_of(L" \t");
    return GlobalManager::GetTextColor(start == std::wstring::npos ? std::wstring() : value.substr(start));
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

CircleProgress::CircleProgress() = default;

CircleProgress::~CircleProgress() = default;

void CircleProgress::SetCircular(bool circular) {
    circular_ = circular;
    Invalidate();
}

void CircleProgress::SetClockwise(bool clockwise) {
    if (clockwise == clockwise_) return;
    clockwise_ = clockwise;
    if (indicator_) indicator_->RotateFlip(Gdiplus::Rotate180FlipNone);
    Invalidate();
}

void CircleProgress::SetCircleWidth(int width) {
    circleWidth_ = width;
    Invalidate();
}

void CircleProgress::SetBackgroundColor(DWORD argb) {
    backgroundColor_ = argb;
    Invalidate();
}

void CircleProgress::SetForegroundColor(DWORD argb) {
    foregroundColor_ = argb;
    Invalidate();
}

void CircleProgress::SetGradientColor(DWORD argb) {
    gradientColor_ = argb;
    Invalidate();
}

void CircleProgress::SetIndicator(const std::wstring& path) {
    if (path == indicatorPath_) return;
    indicatorPath_ = path;
    indicator_.reset();
    std::wstring file = path;
    if (!FileExists(file)) {
        file = GlobalManager::GetResourcePath() + (window_ ? window_->GetResourcePath() : std::wstring()) + path;
    }
    if (!FileExists(file)) return;
    auto image = std::make_unique<Gdiplus::Image>(file.c_str());
    if (image->GetLastStatus() != Gdiplus::Ok) return;
    image->RotateFlip(clockwise_ ? Gdiplus::Rotate90FlipNone : Gdiplus::Rotate270FlipNone);
    indicator_ = std::move(image);
    Invalidate();
}

void CircleProgress::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"circular") {
        SetCircular(ParseBool(value));
    } else if (name == L"circlewidth") {
        SetCircleWidth(ParseInt(value));
    } else if (name == L"indicator") {
        SetIndicator(value);
    } else if (name == L"clockwise") {
        SetClockwise(ParseBool(value));
    } else if (name == L"bgcolor") {
        SetBackgroundColor(ColorOfAttribute(value));
    } else if (name == L"fgcolor") {
        SetForegroundColor(ColorOfAttribute(value));
    } else if (name == L"gradientcolor") {
        SetGradientColor(ColorOfAttribute(value));
    } else {
        Progress::SetAttribute(name, value);
    }
}

void CircleProgress::PaintStatusImage(IRenderContext* context) {
    Progress::PaintStatusImage(context);
    if (circular_) PaintRing(context);
}

void CircleProgress::PaintRing(IRenderContext* context) {
    Gdiplus::Graphics graphics(context->GetDC());
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const int width = rect_.right - rect_.left;
    const int height = rect_.bottom - rect_.top;
    const int diameter = std::min(width, height);
    const int cx = rect_.left + width / 2;
    const int cy = rect_.top + height / 2;
    const Gdiplus::Rect square(cx - diameter / 2, cy - diameter / 2, diameter, diameter);
    const float inset = indicator_ ? indicator_->GetWidth() / 2.0f : circleWidth_ / 2.0f;
    const Gdiplus::RectF arc(square.X + inset + 1, square.Y + inset + 1, diameter - 2 * inset - 2,
                             diameter - 2 * inset - 2);
    const auto sweep = static_cast<Gdiplus::REAL>((value_ - range_.minimum) * (clockwise_ ? 360.0 : -360.0) /
                                                  range_.Span());
    const auto penWidth = static_cast<Gdiplus::REAL>(circleWidth_);

    Gdiplus::Pen ring(Gdiplus::Color(backgroundColor_), penWidth);
    graphics.DrawArc(&ring, arc, 270, 360);
    if (sweep != 0) {
        if (gradientColor_ == 0) {
            Gdiplus::Pen pen(Gdiplus::Color(foregroundColor_), penWidth);
            graphics.DrawArc(&pen, arc, 270, sweep);
        } else {
            Gdiplus::LinearGradientBrush brush(square, Gdiplus::Color(foregroundColor_), Gdiplus::Color(gradientColor_),
                                               Gdiplus::LinearGradientModeVertical);
            brush.SetWrapMode(Gdiplus::WrapModeTile);
            const Gdiplus::REAL factors[] = {0.0f, 0.4f, 0.6f, 1.0f};
            const Gdiplus::REAL positions[] = {0.0f, 0.2f, 0.8f, 1.0f};
            brush.SetBlend(factors, positions, 4);
            Gdiplus::Pen pen(&brush, penWidth);
            graphics.DrawArc(&pen, arc, 270, sweep);
        }
    }
    if (!indicator_) return;
    Gdiplus::Matrix turn;
    turn.Translate(static_cast<Gdiplus::REAL>(-cx), static_cast<Gdiplus::REAL>(-cy));
    turn.Rotate(sweep, Gdiplus::MatrixOrderAppend);
    turn.Translate(static_cast<Gdiplus::REAL>(cx), static_cast<Gdiplus::REAL>(cy), Gdiplus::MatrixOrderAppend);
    graphics.SetTransform(&turn);
    const auto w = static_cast<Gdiplus::REAL>(indicator_->GetWidth());
    const auto h = static_cast<Gdiplus::REAL>(indicator_->GetHeight());
    graphics.DrawImage(indicator_.get(), cx - w / 2, arc.Y - h / 2, w, h);
}

void CircleProgress::ClearImageCache() {
    Progress::ClearImageCache();
    indicator_.reset();
}

}  // namespace ui
