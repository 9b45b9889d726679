#include "update/byte_add.h"

#include <emmintrin.h>

void AddBytes(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b, std::size_t count) {
    // SSE2 is part of every x64 processor; the compiler does not vectorise this loop at -O2.
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_add_epi8(x, y));
    }
    for (; i < count; ++i) out[i] = static_cast<std::uint8_t>(a[i] + b[i]);
}
