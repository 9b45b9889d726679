#pragma once

#include <cstdint>
#include <functional>

#include "base/weak_callback.h"

namespace ui {

using AnimationFrameCallback = std::function<void(int)>;
using AnimationCompleteCallback = std::function<void()>;

// The easing profile of a player: an even acceleration to a constant speed, a run at that
// speed and an even deceleration. Times are in milliseconds, distances in the animated units.
// Pure arithmetic, so that the curve is checked without timers.
struct EasingCurve {
    // Set by the users.
    double speedUpRatio = 0;    // share of the total time spent accelerating
    double slowDownRatio = 0;   // share of the total time spent decelerating
    double speedUpFactor = 0;   // the speed-up phase covers factor × t²
    double slowDownFactor = 0;  // the slow-down phase adds factor × t'² + start speed × t'
    double constantSpeed = 0;   // units per ms of the middle phase; derived unless linear
    int maxTotalTime = 1000000;  // ceiling of a derived total time
    // Derived by Prepare.
    double speedUpEnd = 0;
    double constantTime = 0;
    double slowDownTime = 0;
    double slowDownStartSpeed = 0;

    // Derives the phases for a distance and returns the total time to play: the given one, or,
    // when it is negative, one derived from the speed or the factors. A curve that cannot be
    // derived (no speed, no factor, nothing to cover) gets the total time 0: it is at its end
    // at once.
    int Prepare(double distance, int totalTime);
    // The distance covered after `elapsed` ms of a curve prepared for `distance` and
    // `totalTime`: truncated toward zero, never outside [0, distance], the whole distance
    // once the total time has passed.
    double DistanceAt(double elapsed, double distance, int totalTime) const;

private:
    // The factors of the speed-up and slow-down phases for a known total time.
    void FactorsFromTime(double distance, int totalTime);
    // Derives each factor from the other; returns the cruise speed over twice the total time.
    double LinkFactors();
};

// Moves an int from a start value to an end value over time, stepped by the UI timer
// manager, and reports every new value. UI thread only.
class AnimationPlayerBase : public kbase::SupportWeakCallback {
public:
    AnimationPlayerBase() = default;
    ~AnimationPlayerBase() override = default;
    AnimationPlayerBase(const AnimationPlayerBase&) = delete;
    AnimationPlayerBase& operator=(const AnimationPlayerBase&) = delete;

    // Back to idle: values, times and direction cleared; a pending step is dropped.
    virtual void Reset();
    // Plays from the start value.
    virtual void Play();
    // Drops the pending step; a later Continue resumes from here.
    virtual void Stop();
    // Runs towards the end value it was given, from where the player stands.
    virtual void Continue();
    // Runs back towards the start value it was given, from where the player stands; the first
    // run of a player goes the whole way.
    virtual void Reverse();
    virtual void StartTimer();
    virtual int GetCurrentValue() const = 0;

    int GetStartValue() const { return startValue_; }
    void SetStartValue(int value) { startValue_ = value; }
    int GetEndValue() const { return endValue_; }
    void SetEndValue(int value) { endValue_ = value; }
    // Milliseconds; -1 lets the player derive it from the distance.
    int GetTotalTime() const { return totalTime_; }
    void SetTotalTime(int milliseconds) { totalTime_ = milliseconds; }
    bool IsPlaying() const { return playing_; }
    void SetValueCallback(AnimationFrameCallback callback) { valueCallback_ = std::move(callback); }
    void SetCompleteCallback(AnimationCompleteCallback callback) { completeCallback_ = std::move(callback); }

protected:
    double Elapsed() const { return elapsed_; }

private:
    void Step();
    // Settles the state first, so that the completion callback may start the player again.
    void Complete();
    // Exchanges start and end, resuming the other way at the mirrored time.
    void TurnAround();
    bool Reached(int value) const;

    int startValue_ = 0;
    int endValue_ = 0;
    int currentValue_ = 0;
    int totalTime_ = -1;
    double elapsed_ = 0;
    int stepInterval_ = 0;
    bool firstRun_ = true;
    bool playing_ = false;
    bool reversed_ = false;
    AnimationFrameCallback valueCallback_;
    AnimationCompleteCallback completeCallback_;
    std::int64_t lastCounter_ = 0;
    std::int64_t counterFrequency_ = 0;
    // The pending step runs only while this lives.
    kbase::WeakCallbackFlag timerFlag_;
};

// A player along an EasingCurve, timed either by a total time or by its acceleration.
class AnimationPlayer : public AnimationPlayerBase {
public:
    void Reset() override;
    void StartTimer() override;
    int GetCurrentValue() const override;

    virtual void SetSpeedUpFactor(double factor) { curve_.speedUpFactor = factor; }
    virtual void SetSpeedDownFactor(double factor) { curve_.slowDownFactor = factor; }
    void SetSpeedUpRatio(double ratio) { curve_.speedUpRatio = ratio; }
    void SetSpeedDownRatio(double ratio) { curve_.slowDownRatio = ratio; }
    void SetMaxTotalTime(int milliseconds) { curve_.maxTotalTime = milliseconds; }

private:
    double Distance() const;

    EasingCurve curve_;
};

}  // namespace ui
