#include "ui/control.h"

// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include "base/string_util.h"
#include "ui/global_manager.h"
#include "ui/image_info.h"
#include "ui/render/auto_clip.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"
#include "ui/timer_manager.h"
#include "ui/window.h"

namespace ui {
namespace {

constexpr int kLastFrame = 65535;

bool IsRounded(SIZE round) {
    return round.cx > 0 || round.cy > 0;
}

}  // namespace

IRenderContext* Control::GetRenderContext() {
    if (!renderContext_) renderContext_.reset(GlobalManager::GetRenderFactory()->CreateRenderContext());
    return renderContext_.get();
}

void Control::AlphaPaint(IRenderContext* context, const RECT& dirty) {
    if (alpha_ == 0) return;
    RECT visible;
    if (!::IntersectRect(&visible, &dirty, &rect_)) return;
    const bool rounded = IsRounded(borderRound_);

    if (alpha_ == 255 && !useCache_) {
        AutoClip clip(context, rect_);
        AutoClip roundClip(context, rect_, borderRound_.cx, borderRound_.cy, rounded);
        const POINT old = context->OffsetWindowOrg(renderOffset_);
        Paint(context, dirty);
        PaintChild(context, dirty);
        context->SetWindowOrg(old);
        return;
    }

    // Translucent or cached: paint into the control's own picture, then blend it in.
    IRenderContext* picture = GetRenderContext();
    const int width = rect_.right - rect_.left;
    const int height = rect_.bottom - rect_.top;
    if (picture->Resize(width, height, true)) cacheDirty_ = true;
    const bool translucent = alpha_ < 255;
    if (cacheDirty_) {
        picture->Clear();
        const RECT whole{0, 0, width, height};
        AutoClip clip(picture, whole);
        AutoClip roundClip(picture, whole, borderRound_.cx, borderRound_.cy, rounded);
        const bool wasTransparent = picture->SetRenderTransparent(true);
        const POINT old = picture->OffsetWindowOrg(POINT{renderOffset_.x + rect_.left, renderOffset_.y + rect_.top});
        Paint(picture, rect_);
        if (translucent) PaintChild(context, dirty);
        picture->SetWindowOrg(old);
        picture->SetRenderTransparent(wasTransparent);
        cacheDirty_ = false;
    }
    context->AlphaBlend(visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top,
                        picture->GetDC(), visible.left - rect_.left, visible.top - rect_.top,
                        visible.right - visible.left, visible.bottom - visible.top,
                        static_cast<BYTE>(translucent ? alpha_ : 255));
    if (translucent) {
        renderContext_.reset();  // a fading control repaints every frame
    } else {
        PaintChild(context, dirty);
    }
}

void Control::Paint(IRenderContext* context, const RECT& dirty) {
    if (!::IntersectRect(&paintRect_, &dirty, &rect_)) return;
    PaintBkColor(context);
    PaintBkImage(context);
    PaintStatusColor(context);
    PaintStatusImage(context);
    PaintText(context);
    PaintBorder(context);
}

void Control::PaintBkColor(IRenderContext* context) {
    if (bkColor_.empty()) return;
    const DWORD color = GlobalManager::GetTextColor(bkColor_);
    if (color == 0) return;
    // A translucent colour covers the whole control so repeated partial paints do not stack.
    context->DrawColor((color >> 24) == 0xFF ? paintRect_ : rect_, color, 255);
}

void Control::PaintBkImage(IRenderContext* context) {
    DrawImage(context, bkImage_);
}

void Control::PaintStatusColor(IRenderContext* context) {
    stateColors_.Paint(context, state_);
}

void Control::PaintStatusImage(IRenderContext* context) {
    stateImages_[kStateImageBk].Paint(context, state_);
    stateImages_[kStateImageFore].Paint(context, state_);
}

void Control::PaintBorder(IRenderContext* context) {
    if (borderColor_.empty()) return;
    const DWORD color = GlobalManager::GetTextColor(borderColor_);
    if (color == 0) return;
    const RECT& r = rect_;
    const RECT& w = borderWidths_;
    if (w.left > 0 || w.top > 0 || w.right > 0 || w.bottom > 0) {
        // A 1-pixel line ends one pixel short: GDI+ includes its end point.
        const auto trim = [](LONG width) { return width == 1 ? 1 : 0; };
        if (w.left > 0) {
            const int x = r.left + w.left / 2;
            context->DrawLine(RECT{x, r.top, x, r.bottom - trim(w.left)}, w.left, color);
        }
        if (w.top > 0) {
            const int y = r.top + w.top / 2;
            context->DrawLine(RECT{r.left, y, r.right - trim(w.top), y}, w.top, color);
        }
        if (w.right > 0) {
            const int x = r.right - (w.right + 1) / 2;
            context->DrawLine(RECT{x, r.top, x, r.bottom - trim(w.right)}, w.right, color);
        }
        if (w.bottom > 0) {
            const int y = r.bottom - (w.bottom + 1) / 2;
            context->DrawLine(RECT{r.left, y, r.right - trim(w.bottom), y}, w.bottom, color);
        }
        return;
    }
    if (borderSize_ <= 0) return;
    const int inset = borderSize_ / 2;
    const int odd = borderSize_ % 2;
    const RECT border{r.left + inset, r.top + inset, r.right - inset - odd, r.bottom - inset - odd};
    if (IsRounded(borderRound_)) {
        context->DrawRoundRect(border, borderRound_, borderSize_, color);
    } else {
        context->DrawRect(border, borderSize_, color);
    }
}

// --- images ----------------------------------------------------------------------------------

namespace {

std::wstring ResolveImagePath(const std::wstring& file, const Window* window) {
    std::wstring path = file;
    if (::PathIsRelativeW(path.c_str())) {
        path = GlobalManager::GetResourcePath() + (window ? window->GetResourcePath() : std::wstring()) + file;
    }
    return kbase::NormalizePathSeparators(path);
}

// The language's own variant of an image ("a_en.png" beside "a.png"), when it exists.
std::wstring LanguageVariant(const std::wstring& path) {
    const std::wstring language = GlobalManager::GetLanguage();
    const std::size_t dot = path.rfind(L'.');
    if (language.empty() || dot == std::wstring::npos) return path;
    const std::wstring candidate = path.substr(0, dot) + L"_" + language + path.substr(dot);
    return GlobalManager::ResourceExists(candidate) ? candidate : path;
}

}  // namespace

void Control::LoadImage(Image& image) {
    if (image.imageCache) return;
    std::wstring path = ResolveImagePath(image.file, window_);
    if (bkImageAdaptLanguage_) path = LanguageVariant(path);
    image.imageCache = GlobalManager::GetImage(path);
}

bool Control::DrawImage(IRenderContext* context, Image& image, const std::wstring& override, int fade) {
    if (image.file.empty()) return false;
    LoadImage(image);
    if (!image.imageCache) {
        image.Clear();  // a file that cannot be decoded is not tried again
        return false;
    }
    Image drawn = image;
    if (!override.empty()) drawn.ParseAttribute(override);

    RECT dest = rect_;
    if (Image::IsRectSet(drawn.dest)) {
        dest = RECT{rect_.left + drawn.dest.left, rect_.top + drawn.dest.top, rect_.left + drawn.dest.right,
                    rect_.top + drawn.dest.bottom};
    }
    RECT source = drawn.source;
    if (!Image::IsRectSet(source)) {
        source = RECT{0, 0, image.imageCache->GetWidth(), image.imageCache->GetHeight()};
    }
    if (&image == &bkImage_ && image.imageCache->GetFrameCount() > 1 && framesAutoPlay_ && !bkImage_.playing) {
        PlayFrames();
        return true;
    }
    const std::size_t frame = image.currentFrame < 0 ? 0 : static_cast<std::size_t>(image.currentFrame);
    const BYTE drawFade = static_cast<BYTE>(fade == -1 ? drawn.fade : fade);
    context->DrawImage(paintRect_, image.imageCache->GetBitmap(frame), dest, source, drawn.corner, drawFade,
                       drawn.xTiled, drawn.yTiled);
    return true;
}

void Control::ReloadImageFromCache() {
    if (bkImage_.file.empty()) return;
    const std::wstring path = ResolveImagePath(bkImage_.file, window_);
    if (!bkImage_.imageCache || bkImage_.imageCache->GetPath() != path) {
        bkImage_.imageCache = GlobalManager::GetCachedImage(path);
    }
}

void Control::ReleaseBkImage() {
    bkImage_.ReleaseCache();
}

void Control::ClearImageCache() {
    for (auto& [kind, images] : stateImages_) images.ReleaseCache();
    bkImage_.ReleaseCache();
}

// --- frame animation --------------------------------------------------------------------------

int Control::GetFrameDelay(std::size_t frame) const {
    const ImageInfo* info = bkImage_.imageCache.get();
    if (!info || !info->HasFrameDelay(frame)) return 0;
    const int delay = info->GetFrameDelay(frame) * 10;
    if (delay < 30) return 100;
    if (delay < 50) return 50;
    return delay;
}

void Control::PlayFrames() {
    const ImageInfo* info = bkImage_.imageCache.get();
    const std::size_t frames = info ? info->GetFrameCount() : 0;
    const int playCount = bkImage_.playCount;
    const auto stop = [this] {
        bkImage_.playing = false;
        frameTimerFlag_.Cancel();
    };
    const auto mayGoOn = [this, playCount] {
        return playCount == 0 ? bkImage_.playing : bkImage_.playCounter < playCount;
    };
    if (frames < 2 || (playCount >= 0 && !mayGoOn())) {
        stop();
        return;
    }
    const auto schedule = [this](int delay) {
        TimerManager::GetInstance()->AddCancelableTimer(frameTimerFlag_.ObtainWeakFlag(),
                                                        MakeWeakCallback([this] { PlayFrames(); }), delay, -1);
    };
    if (!bkImage_.playing) {
        bkImage_.currentFrame = 0;
        frameTimerFlag_.Cancel();
        const int delay = GetFrameDelay(0);
        if (delay == 0) return;
        bkImage_.playing = true;
        schedule(delay);
        Invalidate();
        return;
    }
    const int oldDelay = GetFrameDelay(static_cast<std::size_t>(bkImage_.currentFrame));
    if (static_cast<std::size_t>(++bkImage_.currentFrame) >= frames) {
        bkImage_.currentFrame = 0;
        ++bkImage_.playCounter;
    }
    const int newDelay = GetFrameDelay(static_cast<std::size_t>(bkImage_.currentFrame));
    if (playCount >= 0 && !mayGoOn()) {
        OnFramesFinished();
        Invalidate();
        return;
    }
    if (oldDelay == 0 || newDelay == 0) {
        stop();
        return;
    }
    if (oldDelay != newDelay) {
        frameTimerFlag_.Cancel();
        schedule(newDelay);
    }
    Invalidate();
}

void Control::StopFrames(int frame) {
    const ImageInfo* info = bkImage_.imageCache.get();
    if (!info || info->GetFrameCount() < 2) return;
    bkImage_.playing = false;
    frameTimerFlag_.Cancel();
    const int last = static_cast<int>(info->GetFrameCount()) - 1;
    if (frame == kLastFrame) {
        bkImage_.currentFrame = last;
    } else if (frame >= 0) {
        bkImage_.currentFrame = std::min(frame, last);
    }
    Invalidate();
}

void Control::OnFramesFinished() {
    framesAutoPlay_ = false;
    StopFrames(kLastFrame);
    EventArgs args;
    args.type = kEventNone;
    args.sender = this;
    const auto it = frameEvents_.find(1);
    if (it != frameEvents_.end()) FireCallbacks(it->second, &args, ObtainWeakFlag());
}

}  // namespace ui
