#pragma once

#include <atomic>
#include <cstddef>
#include <string>

// Bodies of the synchronous requests, collected in memory. Answers are small (gate answers,
// version maps, patch lists); a larger one is refused rather than grown without limit.
inline constexpr std::size_t kMaxAnswerBytes = 64u << 20;

struct MemoryAnswer {
    explicit MemoryAnswer(const std::atomic<bool>& running) : running(running) {}

    const std::atomic<bool>& running;  // false: refuse data, so that the transfer stops
    std::string bytes;                 // c_str() also gives the body as zero-terminated text
    bool tooLarge = false;
};

// CURLOPT_WRITEFUNCTION over a MemoryAnswer: takes every byte, or none once the manager stops
// or the answer would pass kMaxAnswerBytes (libcurl then ends the transfer with a write error).
std::size_t OnMemoryData(char* data, std::size_t size, std::size_t count, void* answer);

// CURLOPT_WRITEFUNCTION over a std::string that nobody reads: keeps at most kMaxAnswerBytes and
// drops the rest without failing the request.
std::size_t OnStringData(char* data, std::size_t size, std::size_t count, void* text);

// What a probe saw of the body: one byte settles that the file is there.
struct ProbeBody {
    bool stoppedEarly = false;  // more than one byte came, and reading stopped there
};

// CURLOPT_WRITEFUNCTION of a probe over a ProbeBody: takes one byte, then stops the transfer.
std::size_t OnProbeData(char* data, std::size_t size, std::size_t count, void* body);
