#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <curl/curl.h>

#include "base/lock.h"
#include "base/unique_handle.h"
#include "download/curl_handles.h"
#include "download/download_callbacks.h"

class DownloadManager;

// What a transfer does with the body of the answer it got.
enum class AnswerUse {
    kUnknown,  // no body seen yet
    kWrite,    // the bytes of the range: written into the file
    kRefuse,   // bytes from elsewhere in the file: the try ends
    kDiscard,  // an error page: read and dropped
};

// One range of a file: begin is the next byte to fetch, end the last byte (inclusive); the
// range is finished when begin > end.
struct ChunkInfo {
    std::int32_t index = 0;
    std::int32_t begin = 0;
    std::int32_t end = -1;

    bool Finished() const { return begin > end; }
    friend bool operator==(const ChunkInfo&, const ChunkInfo&) = default;
};

// The base URLs a download was queued with, shared by its ranges, so that a later change of
// the active list cannot redirect or overrun it.
using BaseUrlList = std::shared_ptr<const std::vector<std::string>>;

// One range of one file, owned by the download manager from its queueing until it ends.
struct DownloadTask {
    DownloadManager* owner = nullptr;  // reached from libcurl's callbacks
    std::string path;       // as the server names the file, below the base URL; the done callback's url
    std::string localFile;  // UTF-8
    std::string md5;        // expected MD5 of the whole file; empty: no check
    CurlEasy easyHandle;    // while started; back to the pool when it ends
    kbase::ScopedFileHandle fileHandle;  // while started
    std::int32_t retry = 0;              // failed tries on the current base URL
    std::int32_t urlIndex = 0;           // into urls
    int tag = 0;
    std::int32_t chunkIndex = 0;
    std::int32_t begin = 0;
    std::int32_t end = -1;
    std::int32_t fileSize = 0;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    kbase::Lock lock;  // held while the range goes into the chunk list
    DownloadDoneCallback doneCallback = nullptr;
    DownloadProgressCallback progressCallback = nullptr;
    BaseUrlList urls;

    // The current try: where it started, the start the server announced in Content-Range
    // (-1: none), what is done with the answer's body, and whether a pause held it up.
    // Bytes received for the offsets from begin on, not yet in the file: small writes are
    // slow, so they are collected and written together.
    std::string pending;
    std::int32_t tryBegin = 0;
    std::int64_t announcedStart = -1;
    AnswerUse answer = AnswerUse::kUnknown;
    bool pausedDuringTry = false;

    bool Finished() const { return begin > end; }
};
