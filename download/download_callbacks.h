#pragma once

#include <string>

// How the download manager reports. The tag is the caller's own value, handed back unchanged;
// the update states pass their type id. Codes: 0 success; -1 no base URL, a range still short
// after the last base URL, a refused size, or a standard exception inside a request; -2 a task
// that failed to start on every base URL, or a request whose every try failed; -3 a transfer or
// HTTP failure on every base URL; -4 the whole file's MD5 did not match ("check md5 error").

// A file download ended; url is the relative path that was queued.
using DownloadDoneCallback = void (*)(int tag, int code, std::string url, std::string message);
// The current speed of one transfer of a file.
using DownloadProgressCallback = void (*)(int tag, double bytesPerSecond);
// A request into memory ended; body holds length bytes (followed by a zero byte) and lives only
// during the call.
using RequestDoneCallback = void (*)(int tag, int code, std::string url, const char* body, int length,
                                     std::string error);
// A probe ended; exists tells whether the server has the file.
using ProbeDoneCallback = void (*)(int tag, int code, std::string url, bool exists, std::string error);
