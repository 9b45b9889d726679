#pragma once

#include <exception>
#include <string>
#include <utility>

#include "download/trace_log.h"

// Runs a caller's callback. Whatever it throws is traced as what + ":" + its text instead of
// escaping into the transfer loop or the worker tick.
template <class F>
void CallGuarded(const TraceLog& trace, const std::string& what, F&& call) {
    try {
        std::forward<F>(call)();
    } catch (const std::exception& e) {
        trace.Append(what + ":" + e.what() + "\n");
    } catch (...) {
        trace.Append(what + "\n");
    }
}
