#include "tools/browser_runtime/download.h"

#include <windows.h>

#include "base/unique_handle.h"
#include "tools/browser_runtime/browser.h"
#include "tools/browser_runtime/http_fetch.h"
#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/runtime.h"

namespace {

// Progress reports are sent at most this often while bytes arrive.
constexpr DWORD kProgressIntervalMs = 200;

void ReportUpdate(CefRefPtr<Browser> browser, CefRefPtr<CefClient> client, CefRefPtr<DownloadItem> item);

class DownloadItemCallback final : public RefCounted<CefDownloadItemCallback> {
public:
    explicit DownloadItemCallback(CefRefPtr<DownloadItem> item) : item_(std::move(item)) {}
    void Cancel() override {
        journal::Write("download " + std::to_string(item_->GetId()) + ": Cancel");
        item_->cancelRequested = true;
    }

private:
    const CefRefPtr<DownloadItem> item_;
};

// Fetches the file into path (a temporary beside it first, so the file appears whole or not at all).
void Transfer(CefRefPtr<Browser> browser, CefRefPtr<CefClient> client, CefRefPtr<DownloadItem> item) {
    const std::wstring path = item->GetFullPath().ToWString();
    const std::wstring partial = path + L".part";
    kbase::ScopedFileHandle file(
        ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::atomic<bool> stop{false};
    DWORD lastReport = ::GetTickCount();
    FetchRequest request;
    request.url = item->GetURL().ToString();
    request.userAgent = runtime::GetOptions().userAgent;
    request.sink = [&](const char* data, std::size_t size) {
        DWORD written = 0;
        return file && ::WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) && written == size;
    };
    request.progress = [&](std::int64_t received, std::int64_t total) {
        item->SetProgress(received, total);
        stop = item->cancelRequested.load() || runtime::StopFlag().load();
        if (::GetTickCount() - lastReport >= kProgressIntervalMs) {
            lastReport = ::GetTickCount();
            runtime::Ui().Post([browser, client, item] { ReportUpdate(browser, client, item); });
        }
    };
    request.abort = &stop;
    const FetchResult result = Fetch(request);
    const bool ok = file && result.ok && result.status >= 200 && result.status < 300;
    file.Reset();
    const bool placed = ok && ::MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!placed) ::DeleteFileW(partial.c_str());
    journal::Write("download " + std::to_string(item->GetId()) + ": " +
                   (placed ? "complete, " + std::to_string(item->GetReceivedBytes()) + " bytes"
                           : "failed: " + (result.ok ? "HTTP " + std::to_string(result.status) : result.error)));
    item->SetState(placed ? DownloadItem::State::Complete : DownloadItem::State::Canceled);
    runtime::Ui().Post([browser, client, item] { ReportUpdate(browser, client, item); });
}

class BeforeDownloadCallback final : public RefCounted<CefBeforeDownloadCallback> {
public:
    BeforeDownloadCallback(CefRefPtr<Browser> browser, CefRefPtr<CefClient> client, CefRefPtr<DownloadItem> item)
        : browser_(std::move(browser)), client_(std::move(client)), item_(std::move(item)) {}

    void Continue(const CefString& downloadPath, bool showDialog) override {
        journal::Write("download " + std::to_string(item_->GetId()) + ": Continue(" + downloadPath.ToString() +
                       (showDialog ? ", dialog" : "") + ")");
        if (continued_.exchange(true)) return;
        if (downloadPath.empty()) {
            journal::Write("   no path and no dialog in the stand-in: cancelled");
            item_->SetState(DownloadItem::State::Canceled);
            return;
        }
        item_->SetPath(downloadPath);
        item_->SetState(DownloadItem::State::InProgress);
        CefRefPtr<Browser> browser = browser_;
        CefRefPtr<CefClient> client = client_;
        CefRefPtr<DownloadItem> item = item_;
        runtime::Ui().Post([browser, client, item] {
            ReportUpdate(browser, client, item);
            runtime::Io().Post([browser, client, item] { Transfer(browser, client, item); });
        });
    }

private:
    const CefRefPtr<Browser> browser_;
    const CefRefPtr<CefClient> client_;
    const CefRefPtr<DownloadItem> item_;
    std::atomic<bool> continued_{false};
};

void ReportUpdate(CefRefPtr<Browser> browser, CefRefPtr<CefClient> client, CefRefPtr<DownloadItem> item) {
    CefRefPtr<CefDownloadHandler> handler = client ? client->GetDownloadHandler() : nullptr;
    if (!handler) return;
    journal::Write("-> OnDownloadUpdated(browser " + std::to_string(browser->GetIdentifier()) + ", download " +
                   std::to_string(item->GetId()) + ", " + std::to_string(item->GetReceivedBytes()) + " bytes" +
                   (item->IsComplete() ? ", complete" : item->IsCanceled() ? ", cancelled" : "") + ")");
    handler->OnDownloadUpdated(browser.get(), item.get(), new DownloadItemCallback(item));
}

}  // namespace

DownloadItem::DownloadItem(std::uint32_t id, CefString url, CefString suggestedName)
    : id_(id), url_(std::move(url)), suggestedName_(std::move(suggestedName)) {}

CefString DownloadItem::GetFullPath() {
    std::lock_guard<std::mutex> hold(lock_);
    return path_;
}

bool DownloadItem::IsInProgress() {
    std::lock_guard<std::mutex> hold(lock_);
    return state_ == State::InProgress;
}

bool DownloadItem::IsComplete() {
    std::lock_guard<std::mutex> hold(lock_);
    return state_ == State::Complete;
}

bool DownloadItem::IsCanceled() {
    std::lock_guard<std::mutex> hold(lock_);
    return state_ == State::Canceled;
}

std::int64_t DownloadItem::GetReceivedBytes() {
    std::lock_guard<std::mutex> hold(lock_);
    return received_;
}

std::int64_t DownloadItem::GetTotalBytes() {
    std::lock_guard<std::mutex> hold(lock_);
    return total_;
}

int DownloadItem::GetPercentComplete() {
    std::lock_guard<std::mutex> hold(lock_);
    if (state_ == State::Complete) return 100;
    return total_ > 0 ? static_cast<int>(received_ * 100 / total_) : -1;
}

void DownloadItem::SetPath(const CefString& path) {
    std::lock_guard<std::mutex> hold(lock_);
    path_ = path;
}

void DownloadItem::SetState(State state) {
    std::lock_guard<std::mutex> hold(lock_);
    state_ = state;
}

void DownloadItem::SetProgress(std::int64_t received, std::int64_t total) {
    std::lock_guard<std::mutex> hold(lock_);
    received_ = received;
    total_ = total;
}

void StartDownload(CefRefPtr<Browser> browser, CefRefPtr<CefClient> client, const CefString& url,
                   const CefString& suggestedName) {
    CefRefPtr<CefDownloadHandler> handler = client ? client->GetDownloadHandler() : nullptr;
    if (!handler) {
        journal::Write("no download handler: the download of " + url.ToString() + " is dropped");
        return;
    }
    CefRefPtr<DownloadItem> item = new DownloadItem(static_cast<std::uint32_t>(runtime::NextId()), url, suggestedName);
    journal::Write("-> OnBeforeDownload(browser " + std::to_string(browser->GetIdentifier()) + ", " + url.ToString() +
                   ", " + suggestedName.ToString() + ")");
    handler->OnBeforeDownload(browser.get(), item.get(), suggestedName, new BeforeDownloadCallback(browser, client, item));
}
