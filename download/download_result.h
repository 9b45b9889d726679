#pragma once

// How a file download, a request into memory or a probe of the download manager ended. The
// values are the result codes the update states compare and show.
enum class DownloadResult : int {
    // The file is complete (and matches its MD5), or the answer arrived.
    kSuccess = 0,
    // No base URL, a range still short after the last base URL, a refused size, or a standard
    // exception inside a request.
    kNoBaseUrl = -1,
    // A file's range could not start on any base URL, or every try of a request failed.
    kEveryTryFailed = -2,
    // A transfer or HTTP failure on every base URL.
    kTransferFailed = -3,
    // The whole file's MD5 did not match, on every base URL.
    kMd5Mismatch = -4,
};

// The message of kMd5Mismatch, as the update's error box shows it.
inline constexpr char kMd5MismatchMessage[] = "check md5 error";

// The code a caller compares: 0 or below, as listed above.
constexpr int ResultCode(DownloadResult result) { return static_cast<int>(result); }
