#include "download/memory_answer.h"

#include <algorithm>

std::size_t OnMemoryData(char* data, std::size_t size, std::size_t count, void* answer) {
    auto* memory = static_cast<MemoryAnswer*>(answer);
    if (!memory || !memory->running.load()) return 0;
    const std::size_t n = size * count;
    if (n > kMaxAnswerBytes - memory->bytes.size()) {
        memory->tooLarge = true;
        return 0;
    }
    try {
        memory->bytes.append(data, n);
    } catch (...) {
        return 0;  // no exception may cross into libcurl
    }
    return n;
}

std::size_t OnStringData(char* data, std::size_t size, std::size_t count, void* text) {
    auto* out = static_cast<std::string*>(text);
    const std::size_t n = size * count;
    try {
        out->append(data, std::min(n, kMaxAnswerBytes - std::min(kMaxAnswerBytes, out->size())));
    } catch (...) {
    }
    return n;
}

std::size_t OnProbeData(char*, std::size_t size, std::size_t count, void* body) {
    const std::size_t n = size * count;
    if (n <= 1) return n;
    static_cast<ProbeBody*>(body)->stoppedEarly = true;
    return 0;
}
