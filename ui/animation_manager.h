#pragma once

#include <map>
#include <memory>

namespace ui {

class AnimationPlayer;
class Control;

enum AnimationType {
    kAnimationNone = 0,
    kAnimationAlpha = 1,
    kAnimationHeight = 2,
    kAnimationWidth = 3,
    kAnimationHot = 4,
    kAnimationInOutXFromLeft = 5,
    kAnimationInOutXFromRight = 6,
    kAnimationInOutYFromTop = 7,
    kAnimationInOutYFromBottom = 8,
};

// A control's animation players, at most one per type, built from its fade attributes and
// played when it is shown, hidden or hovered.
class AnimationManager {
public:
    AnimationManager();
    ~AnimationManager();
    AnimationManager(const AnimationManager&) = delete;
    AnimationManager& operator=(const AnimationManager&) = delete;

    void Init(Control* owner) { owner_ = owner; }
    AnimationPlayer* GetAnimationPlayer(AnimationType type) const;  // null when absent

    // true: a new player of the type (replacing an old one); false: removes it. Each returns
    // the player or null.
    AnimationPlayer* SetFadeHot(bool enable);
    AnimationPlayer* SetFadeAlpha(bool enable);
    AnimationPlayer* SetFadeWidth(bool enable);
    AnimationPlayer* SetFadeHeight(bool enable);
    AnimationPlayer* SetFadeInOutX(bool enable, bool fromRight);
    AnimationPlayer* SetFadeInOutY(bool enable, bool fromBottom);

    // Shows the owner and runs its show players forwards.
    void Appear();
    // Runs the show players backwards and hides the owner when the first finishes (at once
    // without any).
    void Disappear();

private:
    // A new player of the type, eased as every fade, feeding its values to the owner through
    // apply while the owner lives.
    AnimationPlayer* AddPlayer(AnimationType type, int start, int end, void (*apply)(Control*, int));
    AnimationPlayer* RemovePlayer(AnimationType type);

    Control* owner_ = nullptr;
    std::map<int, std::unique_ptr<AnimationPlayer>> players_;
};

}  // namespace ui
