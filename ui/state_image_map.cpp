#include "ui/state_image_map.h"

#include "ui/animation_manager.h"
#include "ui/control.h"

namespace ui {

void StateImageMap::SetImage(int state, const std::wstring& attribute) {
    Image& image = images_[state];
    image.ReleaseCache();
    image.Clear();
    image.attribute = attribute;
    image.file = attribute;
    image.ParseAttribute(attribute);
}

Image* StateImageMap::GetImage(int state) {
    const auto it = images_.find(state);
    return it == images_.end() ? nullptr : &it->second;
}

bool StateImageMap::HasHotImage() const {
    const auto it = images_.find(kControlStateHot);
    return it != images_.end() && !it->second.attribute.empty();
}

Image* StateImageMap::GetEstimateImage() {
    for (int state = kControlStateNormal; state <= kControlStateDisabled; ++state) {
        Image* image = GetImage(state);
        if (image && !image->file.empty()) return image;
    }
    return nullptr;
}

void StateImageMap::ReleaseCache() {
    for (auto& [state, image] : images_) image.ReleaseCache();
}

void StateImageMap::Paint(IRenderContext* context, int state, const std::wstring& override) {
    const auto attributeOf = [this](int s) {
        const Image* image = GetImage(s);
        return image ? image->attribute : std::wstring();
    };
    const auto draw = [&](int s, int fade) {
        Image* image = GetImage(s);
        if (image && owner_->DrawImage(context, *image, override, fade)) return;
        // With a destination modifier, a missing state image falls back to the normal one.
        Image* normal = GetImage(kControlStateNormal);
        if (!override.empty() && s != kControlStateNormal && normal) owner_->DrawImage(context, *normal, override, fade);
    };

    const bool hotFade = owner_->GetAnimationManager().GetAnimationPlayer(kAnimationHot) != nullptr;
    if (hotFade && (state == kControlStateNormal || state == kControlStateHot)) {
        const int hotAlpha = owner_->GetHotAlpha();
        Image* normal = GetImage(kControlStateNormal);
        Image* hot = GetImage(kControlStateHot);
        const int normalFade = normal ? normal->fade : 255;
        const int hotFadeValue = hot ? hot->fade : 255;
        if (normal && hot && !normal->file.empty() && normal->file == hot->file &&
            ::EqualRect(&normal->source, &hot->source)) {
            // One picture for both looks: cross-fade instead of stacking two draws.
            const double h = hotAlpha / 255.0;
            draw(kControlStateHot, static_cast<int>((1.0 - h) * normalFade + hotFadeValue * h));
            return;
        }
        draw(kControlStateNormal, -1);
        if (hotAlpha > 0) draw(kControlStateHot, hotFadeValue * hotAlpha / 255);
        return;
    }

    if (state == kControlStatePushed && attributeOf(kControlStatePushed).empty()) {
        state = kControlStateHot;
        if (Image* hot = GetImage(kControlStateHot)) hot->fade = 255;
    }
    if (state == kControlStateHot && attributeOf(kControlStateHot).empty()) {
        draw(kControlStateNormal, -1);
        return;
    }
    if (state == kControlStateDisabled && attributeOf(kControlStateDisabled).empty()) state = kControlStateNormal;
    draw(state, -1);
}

}  // namespace ui
