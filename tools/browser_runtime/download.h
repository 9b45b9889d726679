#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "browser/runtime/cef_callbacks.h"
#include "browser/runtime/cef_client.h"
#include "tools/browser_runtime/ref_counted.h"

class Browser;

// One download a page asked for: its state, shared by the UI and IO threads.
class DownloadItem final : public RefCounted<CefDownloadItem> {
public:
    DownloadItem(std::uint32_t id, CefString url, CefString suggestedName);

    std::uint32_t GetId() override { return id_; }
    CefString GetURL() override { return url_; }
    CefString GetSuggestedFileName() override { return suggestedName_; }
    CefString GetFullPath() override;
    bool IsInProgress() override;
    bool IsComplete() override;
    bool IsCanceled() override;
    std::int64_t GetReceivedBytes() override;
    std::int64_t GetTotalBytes() override;
    int GetPercentComplete() override;

    enum class State { Waiting, InProgress, Complete, Canceled };
    void SetPath(const CefString& path);
    void SetState(State state);
    void SetProgress(std::int64_t received, std::int64_t total);
    std::atomic<bool> cancelRequested{false};

private:
    const std::uint32_t id_;
    const CefString url_;
    const CefString suggestedName_;
    std::mutex lock_;
    CefString path_;
    State state_ = State::Waiting;
    std::int64_t received_ = 0;
    std::int64_t total_ = -1;
};

// Starts the download that the page of browser asked for: asks its download handler.
void StartDownload(CefRefPtr<Browser> browser, CefRefPtr<CefClient> client, const CefString& url,
                   const CefString& suggestedName);
