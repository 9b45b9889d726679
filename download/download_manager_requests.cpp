#include "download/download_manager.h"

#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

#include "app/valid_json.h"
#include "download/guarded_call.h"
#include "download/join_url.h"
#include "download/memory_answer.h"

namespace {

constexpr char kUserAgent[] = "libcurl-agent/1.0";

// How one try of a request ended.
struct TryOutcome {
    DownloadResult result = DownloadResult::kSuccess;
    std::string error;
};

// A body too large to keep is a failure of the try, with its own text.
std::string TransferErrorText(CURLcode result, const MemoryAnswer& answer) {
    if (answer.tooLarge) return "answer larger than " + std::to_string(kMaxAnswerBytes) + " bytes";
    return curl_easy_strerror(result);
}

// Keeps a synchronous request's handle registered for the length of one try.
class SyncRequestScope {
public:
    SyncRequestScope(CURL* handle, std::function<void(CURL*)> remove) : handle_(handle), remove_(std::move(remove)) {}
    ~SyncRequestScope() { remove_(handle_); }
    SyncRequestScope(const SyncRequestScope&) = delete;
    SyncRequestScope& operator=(const SyncRequestScope&) = delete;

private:
    CURL* handle_;
    std::function<void(CURL*)> remove_;
};

}  // namespace

CURL* DownloadManager::AddSyncRequest() {
    CurlEasy handle(curl_easy_init());
    if (!handle) throw std::runtime_error("curl_easy_init failed");
    syncRequests_.push_back(std::move(handle));
    return syncRequests_.back().Get();
}

void DownloadManager::RemoveSyncRequest(CURL* handle) {
    for (auto it = syncRequests_.begin(); it != syncRequests_.end(); ++it) {
        if (it->Get() == handle) {
            syncRequests_.erase(it);
            return;
        }
    }
}

void DownloadManager::SetRequestOptions(CURL* h, const std::string& url, const std::string& postBody,
                                        long connectTimeout, long totalTimeout) const {
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(h, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(h, CURLOPT_TCP_KEEPIDLE, 120L);
    curl_easy_setopt(h, CURLOPT_TCP_KEEPINTVL, 20L);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, connectTimeout);
    curl_easy_setopt(h, CURLOPT_TIMEOUT, totalTimeout);
    if (!postBody.empty()) {
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, postBody.c_str());
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE, static_cast<long>(postBody.size()));
    }
}

bool DownloadManager::DownloadMemory(const std::string& path, const std::string& postBody, RequestDoneCallback done,
                                     int tag) {
    const std::string reportedUrl = JoinUrl(path, postBody);
    const std::vector<std::string> urls = activeUrls;
    if (urls.empty()) {
        if (done) done(tag, DownloadResult::kNoBaseUrl, reportedUrl, nullptr, 0, "DownloadMemory URL is empty");
        return false;
    }
    MemoryAnswer answer(running);
    TryOutcome outcome;
    std::int32_t retry = 0, urlIndex = 0;
    do {
        outcome = TryOutcome();
        answer.bytes.clear();
        answer.tooLarge = false;
        try {
            CURL* h = AddSyncRequest();
            SyncRequestScope scope(h, [this](CURL* handle) { RemoveSyncRequest(handle); });
            SetRequestOptions(h, JoinUrl(urls[urlIndex], path), postBody, 10L, 60L);
            curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &OnMemoryData);
            curl_easy_setopt(h, CURLOPT_WRITEDATA, &answer);
            const CURLcode result = curl_easy_perform(h);
            long status = 0;
            curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
            if (result == CURLE_OK && status == 200) {
                // A success either way: the caller's parser has the last word.
                IsValidJson(answer.bytes.data(), answer.bytes.size(), outcome.error);
                break;
            }
            outcome.result = DownloadResult::kEveryTryFailed;
            outcome.error = result != CURLE_OK ? TransferErrorText(result, answer) : std::to_string(status);
        } catch (const std::exception& e) {
            outcome.result = DownloadResult::kNoBaseUrl;
            outcome.error = e.what();
        }
    } while (running && AdvanceRetry(retry, urlIndex, urls.size()));

    if (done && running) {
        CallGuarded(traceLog_, "request callback failed:" + reportedUrl, [&] {
            done(tag, outcome.result, reportedUrl, answer.bytes.c_str(), static_cast<int>(answer.bytes.size()),
                 outcome.error);
        });
    }
    return true;
}

bool DownloadManager::RequestUrl(const std::string& url, const std::string& postBody, RequestDoneCallback done,
                                 int tag) {
    MemoryAnswer answer(running);
    TryOutcome outcome;
    try {
        CURL* h = AddSyncRequest();
        SyncRequestScope scope(h, [this](CURL* handle) { RemoveSyncRequest(handle); });
        SetRequestOptions(h, url, postBody, 5L, 8L);
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &OnMemoryData);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &answer);
        const CURLcode result = curl_easy_perform(h);
        long status = 0;
        curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
        if (result != CURLE_OK || status != 200) {
            outcome.result = DownloadResult::kEveryTryFailed;
            outcome.error = result != CURLE_OK ? TransferErrorText(result, answer) : std::to_string(status);
        }
    } catch (const std::exception& e) {
        outcome.result = DownloadResult::kNoBaseUrl;
        outcome.error = e.what();
    }
    const std::string reportedUrl = JoinUrl(url, postBody);
    if (done && running) {
        CallGuarded(traceLog_, "request callback failed:" + reportedUrl, [&] {
            done(tag, outcome.result, reportedUrl, answer.bytes.c_str(), static_cast<int>(answer.bytes.size()),
                 outcome.error);
        });
    }
    return true;
}

bool DownloadManager::ProbeFile(const std::string& path, const std::string& postBody, ProbeDoneCallback done,
                                int tag) {
    const std::vector<std::string> urls = activeUrls;
    if (urls.empty()) return false;
    TryOutcome outcome;
    bool exists = false;
    std::int32_t retry = 0, urlIndex = 0;
    do {
        outcome = TryOutcome();
        exists = false;
        try {
            CURL* h = AddSyncRequest();
            SyncRequestScope scope(h, [this](CURL* handle) { RemoveSyncRequest(handle); });
            ProbeBody body;
            SetRequestOptions(h, JoinUrl(urls[urlIndex], path), postBody, 10L, 60L);
            curl_easy_setopt(h, CURLOPT_RANGE, "0-0");
            curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &OnProbeData);
            curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
            CURLcode result = curl_easy_perform(h);
            // Reading stopped on purpose after the first byte: the answer itself was fine.
            if (result == CURLE_WRITE_ERROR && body.stoppedEarly) result = CURLE_OK;
            long status = 0;
            curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
            if (result == CURLE_REMOTE_FILE_NOT_FOUND || (result == CURLE_OK && status == 404)) break;
            if (result == CURLE_OK && (status == 200 || status == 206)) {
                exists = true;
                break;
            }
            outcome.result = DownloadResult::kEveryTryFailed;
            outcome.error = curl_easy_strerror(result);
        } catch (const std::exception& e) {
            outcome.result = DownloadResult::kNoBaseUrl;
            outcome.error = e.what();
        }
    } while (running && AdvanceRetry(retry, urlIndex, urls.size()));

    if (done && running) {
        const std::string reportedUrl = JoinUrl(path, postBody);
        CallGuarded(traceLog_, "probe callback failed:" + reportedUrl,
                    [&] { done(tag, outcome.result, reportedUrl, exists, outcome.error); });
    }
    return true;
}

void DownloadManager::PostJson(const std::string& body, const std::string& url) {
    try {
        CURL* h = AddSyncRequest();
        SyncRequestScope scope(h, [this](CURL* handle) { RemoveSyncRequest(handle); });
        CurlHeaderList headers(curl_slist_append(nullptr, "Content-Type:application/json; charset=UTF-8"));
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.Get());
        curl_easy_setopt(h, CURLOPT_HEADER, 0L);
        std::string target = url;
        if (url == adjustUrl) {
            target += "?" + body;
            curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
        } else {
            curl_easy_setopt(h, CURLOPT_POST, 1L);
            curl_easy_setopt(h, CURLOPT_POSTFIELDS, body.c_str());
        }
        curl_easy_setopt(h, CURLOPT_URL, target.c_str());
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
        curl_easy_setopt(h, CURLOPT_VERBOSE, 0L);
        postResponse_.clear();
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &OnStringData);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &postResponse_);
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, 6L);
        curl_easy_setopt(h, CURLOPT_TIMEOUT, 6L);
        curl_easy_perform(h);  // a lost record is not sent again
    } catch (const std::exception&) {
    }
}
