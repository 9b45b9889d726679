#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

// One HTTP(S) GET over libcurl, run on the runtime's IO thread.
struct FetchRequest {
    std::string url;
    std::string userAgent;       // empty: the stand-in's own
    std::string acceptLanguage;  // empty: none sent
    // Receives the body in pieces; false stops the transfer as failed.
    std::function<bool(const char* data, std::size_t size)> sink;
    // Told of the bytes so far and the announced total (-1 when unknown).
    std::function<void(std::int64_t received, std::int64_t total)> progress;
    const std::atomic<bool>* abort = nullptr;  // set: the transfer stops
};

struct FetchResult {
    bool ok = false;        // an HTTP answer arrived whole (whatever its status)
    long status = 0;        // its HTTP status
    std::string finalUrl;   // after redirects
    std::string error;      // why it failed
};

FetchResult Fetch(const FetchRequest& request);
