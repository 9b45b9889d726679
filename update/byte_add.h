#pragma once

#include <cstddef>
#include <cstdint>

// out[i] := a[i] + b[i] modulo 256, the inner step of applying a patch's add span. out may be a
// or b.
void AddBytes(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b, std::size_t count);
