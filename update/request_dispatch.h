#pragma once

#include <string>

#include "download/download_result.h"

// The callbacks that every update state hands to the download manager. Each request carries
// the asking state's type id as its tag, and an answer reaches the current state only when
// its type id still equals the tag; otherwise it is dropped. So an answer that arrives after
// the asker was replaced by a state of another type is lost, and one that arrives after a
// replacement by a state of the same type reaches the new state.
void DispatchFileDone(int tag, DownloadResult result, std::string url, std::string message);
void DispatchRequestDone(int tag, DownloadResult result, std::string url, const char* body, int length, std::string error);
// Transfer speeds count only while the download-files state that asked is current.
void DispatchProgress(int tag, double bytesPerSecond);
void DispatchFileChecked(int tag, DownloadResult result, std::string url, bool exists, std::string error);

// The pre-download task's callbacks: they go to the task in its own slot, without a tag test,
// and do nothing when there is none.
void DispatchPreDownloadFileDone(int tag, DownloadResult result, std::string url, std::string message);
void DispatchPreDownloadRequestDone(int tag, DownloadResult result, std::string url, const char* body, int length,
                                    std::string error);
void DispatchPreDownloadProgress(int tag, double bytesPerSecond);
void DispatchPreDownloadFileChecked(int tag, DownloadResult result, std::string url, bool exists, std::string error);
