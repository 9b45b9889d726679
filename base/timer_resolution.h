#pragma once

namespace kbase {

// Asks Windows for 1 ms timer resolution while it lives. The default of 15.6 ms would stretch
// every short wait of the worker (its 2 ms tick, the transfer loop's socket waits) to a whole
// timer period while downloads or an apply run; the request is handed back as soon as they end.
class TimerResolutionRequest {
public:
    TimerResolutionRequest();
    ~TimerResolutionRequest();
    TimerResolutionRequest(const TimerResolutionRequest&) = delete;
    TimerResolutionRequest& operator=(const TimerResolutionRequest&) = delete;

    // How many requests of this process are held now (for tests: Wine ignores the request).
    static int HeldCount();

private:
    bool granted_ = false;
};

}  // namespace kbase
