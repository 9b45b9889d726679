#pragma once

#include <string>

#include "download/download_result.h"

// How the download manager reports. The tag is the caller's own value, handed back unchanged;
// the update states pass their type id. A failure's text says what failed; a success has none.

// A file download ended; url is the relative path that was queued.
using DownloadDoneCallback = void (*)(int tag, DownloadResult result, std::string url, std::string message);
// The current speed of one transfer of a file.
using DownloadProgressCallback = void (*)(int tag, double bytesPerSecond);
// A request into memory ended; body holds length bytes (followed by a zero byte) and lives only
// during the call.
using RequestDoneCallback = void (*)(int tag, DownloadResult result, std::string url, const char* body, int length,
                                     std::string error);
// A probe ended; exists tells whether the server has the file.
using ProbeDoneCallback = void (*)(int tag, DownloadResult result, std::string url, bool exists, std::string error);
