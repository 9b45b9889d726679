#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/update_state.h"

// What happened to test states, in order, from any thread.
class Journal {
public:
    void Add(const std::string& event) {
        std::lock_guard<std::mutex> hold(mutex_);
        events_.push_back(event);
    }
    // The events so far, emptying the journal.
    std::vector<std::string> Take() {
        std::lock_guard<std::mutex> hold(mutex_);
        return std::exchange(events_, {});
    }
    int Count(const std::string& event) {
        std::lock_guard<std::mutex> hold(mutex_);
        int count = 0;
        for (const std::string& e : events_) count += e == event;
        return count;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> events_;
};

// A state that journals its calls as "<name>.enter(<previous>)", "<name>.update",
// "<name>.exit(<next>)" and "<name>.deleted".
class RecordingState : public UpdateState {
public:
    RecordingState(int type, int mode, std::string name, Journal& journal)
        : type_(type), mode_(mode), name_(std::move(name)), journal_(journal) {}
    ~RecordingState() override { journal_.Add(name_ + ".deleted"); }

    int GetType() const override { return type_; }
    int GetMode() const override { return mode_; }
    void Enter(UpdateState* previous) override { journal_.Add(name_ + ".enter(" + NameOf(previous) + ")"); }
    void Update() override { journal_.Add(name_ + ".update"); }
    void Exit(UpdateState* next) override { journal_.Add(name_ + ".exit(" + NameOf(next) + ")"); }

private:
    static std::string NameOf(UpdateState* state) { return state ? static_cast<RecordingState*>(state)->name_ : "null"; }

    int type_;
    int mode_;
    std::string name_;
    Journal& journal_;
};
