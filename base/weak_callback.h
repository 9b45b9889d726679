#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace kbase {

// The liveness token's type: an object is alive while its token's strong count is above 0.
class WeakFlag {};

// A callable that runs only while the token it was made from lives; otherwise it yields the
// result type's default value (nothing, false, null). The check and the call are not one step,
// so call it on the thread that destroys the token's owner.
template <class T>
class WeakCallback {
public:
    WeakCallback(std::weak_ptr<WeakFlag> flag, T callable)
        : flag_(std::move(flag)), callable_(std::move(callable)) {}

    // Lets a callback over a lambda become a callback over a wider type such as kbase::Task.
    template <class U, class = std::enable_if_t<!std::is_same_v<U, T>>>
    WeakCallback(const WeakCallback<U>& other) : flag_(other.flag()), callable_(other.callable()) {}

    template <class... Args>
    std::invoke_result_t<T&, Args&&...> operator()(Args&&... args) const {
        using Result = std::invoke_result_t<T&, Args&&...>;
        if (Expired()) {
            if constexpr (std::is_void_v<Result>) {
                return;
            } else {
                return Result{};
            }
        }
        return std::invoke(callable_, std::forward<Args>(args)...);
    }

    bool Expired() const { return flag_.expired(); }
    const std::weak_ptr<WeakFlag>& flag() const { return flag_; }
    const T& callable() const { return callable_; }

private:
    std::weak_ptr<WeakFlag> flag_;
    // Called through a non-const reference, as std::function calls its target.
    mutable T callable_;
};

// Base of every object that hands out weak callbacks; its token dies with it.
class SupportWeakCallback {
public:
    SupportWeakCallback() = default;
    // A copy is another object with its own token: sharing one would keep the original's
    // callbacks alive after the original is gone.
    SupportWeakCallback(const SupportWeakCallback&) {}
    SupportWeakCallback& operator=(const SupportWeakCallback&) { return *this; }
    virtual ~SupportWeakCallback() = default;

    // Creates the token on first need. Not synchronised: call it on the owner's thread, or
    // create the token before other threads can reach the object.
    std::weak_ptr<WeakFlag> ObtainWeakFlag();

    template <class F>
    WeakCallback<std::decay_t<F>> MakeWeakCallback(F&& callable) {
        return WeakCallback<std::decay_t<F>>(ObtainWeakFlag(), std::forward<F>(callable));
    }

protected:
    std::shared_ptr<WeakFlag> weak_flag_;
};

// A member that silences a group of its owner's callbacks without destroying the owner.
class WeakCallbackFlag : public SupportWeakCallback {
public:
    // Callbacks made before silence; the next one made gets a new token and runs.
    void Cancel() { weak_flag_.reset(); }
};

}  // namespace kbase
