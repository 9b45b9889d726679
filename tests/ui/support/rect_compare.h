#pragma once

#include <windows.h>

#include <ostream>

// RECT comparison and printing for EXPECT_EQ; in the global namespace, where RECT lives, so
// that GoogleTest finds them.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline void PrintTo(const RECT& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
