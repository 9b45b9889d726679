#pragma once

#include <functional>

namespace kbase {

// The unit of posted work: a closure that takes nothing and returns nothing.
using Task = std::function<void()>;

}  // namespace kbase
