#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "base/weak_callback.h"

namespace zel_comp {

// Closures that wait for one moment (the next browser of a handler) and then run once each, in
// the order they were added. Each entry has a key of its own, so cancelling one never touches
// another. UI thread only.
template <class Closure>
class UnregistedCallbackList : public virtual kbase::SupportWeakCallback {
public:
    // Keeps a copy of closure; the result removes that entry, and does nothing once the list is
    // gone or the entry has run.
    std::function<void()> Add(const Closure& closure) {
        const std::uint64_t key = nextKey_++;
        entries_.emplace(key, std::make_shared<Closure>(closure));
        return MakeWeakCallback([this, key] { entries_.erase(key); });
    }

    // Runs every entry once, oldest first. The entries are taken out before the first runs, so
    // a closure that adds another leaves it waiting for the next time.
    void RunAndClear() {
        std::map<std::uint64_t, std::shared_ptr<Closure>> due = std::exchange(entries_, {});
        for (auto& [key, closure] : due) {
            if (*closure) (*closure)();
        }
    }

    bool IsEmpty() const { return entries_.empty(); }

private:
    std::map<std::uint64_t, std::shared_ptr<Closure>> entries_;
    std::uint64_t nextKey_ = 0;
};

}  // namespace zel_comp
