#include "ui/animation_manager.h"

#include "ui/animation_player.h"
#include "ui/control.h"

namespace ui {

namespace {

// The players run by Appear and Disappear, in their order; the hot fade follows the mouse.
constexpr AnimationType kShowTypes[] = {kAnimationAlpha,          kAnimationWidth,           kAnimationHeight,
                                        kAnimationInOutXFromLeft, kAnimationInOutXFromRight, kAnimationInOutYFromTop,
                                        kAnimationInOutYFromBottom};

constexpr int kFadeTime = 250;
constexpr double kUnfoldFactor = 0.00084;
constexpr double kSlideFactor = 0.006;
constexpr SIZE kUnlimited{999999, 999999};

// The distance a control slides in from: its size, or 100 when it has none.
int SlideDistance(LONG size) {
    return size < 1 ? 100 : size;
}

}  // namespace

AnimationManager::AnimationManager() = default;
AnimationManager::~AnimationManager() = default;

AnimationPlayer* AnimationManager::GetAnimationPlayer(AnimationType type) const {
    const auto found = players_.find(type);
    return found == players_.end() ? nullptr : found->second.get();
}

AnimationPlayer* AnimationManager::SetFadeHot(bool enable) {
    if (!enable) return RemovePlayer(kAnimationHot);
    AnimationPlayer* const player = AddPlayer(kAnimationHot, 0, 255, [](Control* owner, int value) {
        owner->SetHotAlpha(value);
    });
    player->SetTotalTime(kFadeTime);
    return player;
}

AnimationPlayer* AnimationManager::SetFadeAlpha(bool enable) {
    if (!enable) return RemovePlayer(kAnimationAlpha);
    AnimationPlayer* const player = AddPlayer(kAnimationAlpha, 0, 255, [](Control* owner, int value) {
        owner->SetAlpha(value);
    });
    player->SetTotalTime(kFadeTime);
    return player;
}

AnimationPlayer* AnimationManager::SetFadeWidth(bool enable) {
    if (!enable) return RemovePlayer(kAnimationWidth);
    const LONG width = owner_->EstimateSize(kUnlimited).cx;
    AnimationPlayer* const player = AddPlayer(kAnimationWidth, 0, width, [](Control* owner, int value) {
        owner->SetFixedWidth(value, true, false);
    });
    player->SetSpeedUpFactor(kUnfoldFactor);
    return player;
}

AnimationPlayer* AnimationManager::SetFadeHeight(bool enable) {
    if (!enable) return RemovePlayer(kAnimationHeight);
    const LONG height = owner_->EstimateSize(kUnlimited).cy;
    AnimationPlayer* const player = AddPlayer(kAnimationHeight, 0, height, [](Control* owner, int value) {
        owner->SetFixedHeight(value, false);
    });
    player->SetSpeedUpFactor(kUnfoldFactor);
    return player;
}

AnimationPlayer* AnimationManager::SetFadeInOutX(bool enable, bool fromRight) {
    const AnimationType type = fromRight ? kAnimationInOutXFromRight : kAnimationInOutXFromLeft;
    if (!enable) return RemovePlayer(type);
    const int distance = SlideDistance(owner_->EstimateSize(kUnlimited).cx);
    AnimationPlayer* const player = AddPlayer(type, fromRight ? -distance : distance, 0, [](Control* owner, int value) {
        owner->SetRenderOffsetX(value);
    });
    player->SetSpeedUpFactor(kSlideFactor);
    return player;
}

AnimationPlayer* AnimationManager::SetFadeInOutY(bool enable, bool fromBottom) {
    const AnimationType type = fromBottom ? kAnimationInOutYFromBottom : kAnimationInOutYFromTop;
    if (!enable) return RemovePlayer(type);
    const int distance = SlideDistance(owner_->EstimateSize(kUnlimited).cy);
    AnimationPlayer* const player = AddPlayer(type, fromBottom ? -distance : distance, 0, [](Control* owner, int value) {
        owner->SetRenderOffsetY(value);
    });
    player->SetSpeedUpFactor(kSlideFactor);
    return player;
}

void AnimationManager::Appear() {
    owner_->SetVisible(true);
    // Looked up one by one: a player's callbacks may change the map.
    for (const AnimationType type : kShowTypes) {
        if (AnimationPlayer* const player = GetAnimationPlayer(type)) {
            player->SetCompleteCallback(nullptr);
            player->Continue();
        }
    }
}

void AnimationManager::Disappear() {
    Control* const owner = owner_;
    const AnimationCompleteCallback hide = owner->MakeWeakCallback([owner] { owner->SetVisible(false); });
    bool animated = false;
    for (const AnimationType type : kShowTypes) {
        if (AnimationPlayer* const player = GetAnimationPlayer(type)) {
            player->SetCompleteCallback(hide);
            player->Reverse();
            animated = true;
        }
    }
    if (!animated) owner->SetVisible(false);
}

AnimationPlayer* AnimationManager::AddPlayer(AnimationType type, int start, int end, void (*apply)(Control*, int)) {
    auto player = std::make_unique<AnimationPlayer>();
    player->SetStartValue(start);
    player->SetEndValue(end);
    player->SetSpeedUpRatio(0.3);
    player->SetSpeedDownRatio(0.7);
    Control* const owner = owner_;
    player->SetValueCallback(owner->MakeWeakCallback([owner, apply](int value) { apply(owner, value); }));
    AnimationPlayer* const added = player.get();
    players_[type] = std::move(player);
    return added;
}

AnimationPlayer* AnimationManager::RemovePlayer(AnimationType type) {
    players_.erase(type);
    return nullptr;
}

}  // namespace ui
