#include "base/time.h"

#include <windows.h>
#include <mmsystem.h>

#include "base/lock.h"

namespace kbase {

namespace internal {
std::int64_t WideningClock::Widen(std::uint32_t milliseconds) {
    if (milliseconds < previous_) high_ += std::int64_t{1} << 32;
    previous_ = milliseconds;
    return high_ + milliseconds;
}
}  // namespace internal

std::int64_t NowMicroseconds() {
    static Lock lock;  // function-local statics are initialised thread-safely
    static internal::WideningClock clock;
    AutoLock guard(lock);
    return clock.Widen(::timeGetTime()) * 1000;
}

}  // namespace kbase
