#include "ui/animation_player.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "ui/timer_manager.h"

namespace ui {

namespace {

std::int64_t ReadCounter() {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

std::int64_t ReadFrequency() {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

}  // namespace

// --- EasingCurve ------------------------------------------------------------------------------

int EasingCurve::Prepare(double distance, int totalTime) {
    const double ceiling = std::max(maxTotalTime, 0);
    const auto capped = [ceiling](double time) { return static_cast<int>(std::min(time, ceiling)); };
    const double su = speedUpRatio;
    const double sd = slowDownRatio;
    if (su == 0 && sd == 0) {
        if (totalTime < 0) totalTime = capped(constantSpeed > 0 ? distance / constantSpeed : 0);
        constantSpeed = totalTime > 0 ? distance / totalTime : 0;
        speedUpEnd = 0;
        slowDownTime = 0;
        constantTime = totalTime;
        slowDownStartSpeed = constantSpeed;
        return totalTime;
    }
    if (totalTime >= 0) FactorsFromTime(distance, totalTime);
    double slope = LinkFactors();
    if (totalTime < 0) {
        const double divisor = speedUpFactor * su * su + 2 * (1 - su - sd) * slope - sd * slowDownFactor * sd;
        const double derived = divisor > 0 ? std::sqrt(distance / divisor) : 0;
        totalTime = capped(derived);
        if (derived > ceiling) {
            FactorsFromTime(distance, totalTime);
            slope = LinkFactors();
        }
    }
    constantSpeed = 2 * slope * totalTime;
    slowDownStartSpeed = constantSpeed;
    speedUpEnd = totalTime * su;
    slowDownTime = totalTime * sd;
    constantTime = totalTime - speedUpEnd - slowDownTime;
    return totalTime;
}

void EasingCurve::FactorsFromTime(double distance, int totalTime) {
    if (totalTime <= 0) return;  // at the end at once; no factor to find
    const double su = speedUpRatio;
    const double sd = slowDownRatio;
    const double squaredTime = static_cast<double>(totalTime) * totalTime;
    if (su != 0) {
        const double divisor = (2 * (1 - su - sd) * su + su * su + sd * su) * squaredTime;
        if (divisor != 0) speedUpFactor = distance / divisor;
    } else {
        const double divisor = (2 * (1 - su - sd) * sd + sd * sd + sd * su) * squaredTime;
        if (divisor != 0) slowDownFactor = -distance / divisor;
    }
}

double EasingCurve::LinkFactors() {
    const double su = speedUpRatio;
    const double sd = slowDownRatio;
    if (speedUpFactor != 0 && su != 0) {
        if (sd != 0) slowDownFactor = -speedUpFactor * su / sd;
        return speedUpFactor * su;
    }
    if (slowDownFactor == 0 || sd == 0) return 0;
    const double slope = -slowDownFactor * sd;
    if (su != 0) speedUpFactor = slope / su;
    return slope;
}

double EasingCurve::DistanceAt(double elapsed, double distance, int totalTime) const {
    if (elapsed >= totalTime) return distance;
    const double speedUpDistance = speedUpFactor * speedUpEnd * speedUpEnd;
    double covered = 0;
    if (elapsed <= speedUpEnd) {
        covered = speedUpFactor * elapsed * elapsed;
    } else if (elapsed <= speedUpEnd + constantTime) {
        covered = (elapsed - speedUpEnd) * constantSpeed + speedUpDistance;
    } else {
        const double slowing = elapsed - speedUpEnd - constantTime;
        covered = speedUpDistance + constantTime * constantSpeed + slowDownFactor * slowing * slowing +
                  slowDownStartSpeed * slowing;
    }
    return std::clamp(std::trunc(covered), 0.0, distance);
}

// --- AnimationPlayerBase ------------------------------------------------------------------------

void AnimationPlayerBase::Reset() {
    timerFlag_.Cancel();
    totalTime_ = -1;
    startValue_ = 0;
    endValue_ = 0;
    currentValue_ = 0;
    elapsed_ = 0;
    stepInterval_ = 0;
    lastCounter_ = 0;
    counterFrequency_ = 0;
    playing_ = false;
    reversed_ = false;
}

void AnimationPlayerBase::Play() {
    timerFlag_.Cancel();
    elapsed_ = 0;
    reversed_ = false;
    StartTimer();
}

void AnimationPlayerBase::Stop() {
    timerFlag_.Cancel();
}

void AnimationPlayerBase::Continue() {
    timerFlag_.Cancel();
    if (reversed_) {
        TurnAround();
        reversed_ = false;
    }
    StartTimer();
    firstRun_ = false;
}

void AnimationPlayerBase::Reverse() {
    timerFlag_.Cancel();
    if (!reversed_) TurnAround();
    if (firstRun_) elapsed_ = 0;
    reversed_ = true;
    StartTimer();
    firstRun_ = false;
}

void AnimationPlayerBase::TurnAround() {
    std::swap(startValue_, endValue_);
    currentValue_ = startValue_;
    elapsed_ = std::max(totalTime_ - elapsed_, 0.0);
}

void AnimationPlayerBase::StartTimer() {
    counterFrequency_ = ReadFrequency();
    lastCounter_ = ReadCounter();
    playing_ = true;
    if (startValue_ == endValue_) {
        Complete();
        return;
    }
    const std::int64_t distance = std::abs(static_cast<std::int64_t>(endValue_) - startValue_);
    stepInterval_ = static_cast<int>(std::max<std::int64_t>(totalTime_ / distance, 1));
    const auto alive = ObtainWeakFlag();
    Step();
    // A first step that already completed (a total time of 0, a late start) leaves nothing
    // to schedule; a new timer would step the finished player for ever.
    if (alive.expired() || !playing_) return;
    TimerManager::GetInstance()->AddCancelableTimer(timerFlag_.ObtainWeakFlag(), MakeWeakCallback([this] { Step(); }),
                                                    stepInterval_, -1);
}

void AnimationPlayerBase::Step() {
    const std::int64_t now = ReadCounter();
    if (counterFrequency_ > 0) elapsed_ += static_cast<double>(now - lastCounter_) * 1000 / counterFrequency_;
    lastCounter_ = now;
    const int value = GetCurrentValue();
    const int previous = std::exchange(currentValue_, value);
    if (!valueCallback_) return;
    if (Reached(value)) {
        currentValue_ = endValue_;
        const auto alive = ObtainWeakFlag();
        valueCallback_(endValue_);
        if (!alive.expired()) Complete();
    } else if (value != previous) {
        valueCallback_(value);
    }
}

bool AnimationPlayerBase::Reached(int value) const {
    return startValue_ < endValue_ ? value >= endValue_ : value <= endValue_;
}

void AnimationPlayerBase::Complete() {
    timerFlag_.Cancel();
    playing_ = false;
    // A copy: the callback may replace the player's callbacks or destroy the player.
    if (const AnimationCompleteCallback callback = completeCallback_) callback();
}

// --- AnimationPlayer ----------------------------------------------------------------------------

void AnimationPlayer::Reset() {
    AnimationPlayerBase::Reset();
    curve_ = EasingCurve{};
}

double AnimationPlayer::Distance() const {
    return std::abs(static_cast<double>(GetEndValue()) - GetStartValue());
}

void AnimationPlayer::StartTimer() {
    SetTotalTime(curve_.Prepare(Distance(), GetTotalTime()));
    AnimationPlayerBase::StartTimer();
}

int AnimationPlayer::GetCurrentValue() const {
    const double covered = curve_.DistanceAt(Elapsed(), Distance(), GetTotalTime());
    const double start = GetStartValue();
    return static_cast<int>(GetStartValue() < GetEndValue() ? start + covered : start - covered);
}

}  // namespace ui
