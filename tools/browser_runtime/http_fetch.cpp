#include "tools/browser_runtime/http_fetch.h"

#include <curl/curl.h>

#include <mutex>

#include "base/unique_handle.h"

namespace {

struct CurlTraits {
    using Raw = CURL*;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw handle) { curl_easy_cleanup(handle); }
};
struct CurlListTraits {
    using Raw = curl_slist*;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw list) { curl_slist_free_all(list); }
};

size_t WriteBody(char* data, size_t size, size_t count, void* context) {
    const FetchRequest* request = static_cast<const FetchRequest*>(context);
    const size_t bytes = size * count;
    return !request->sink || request->sink(data, bytes) ? bytes : 0;
}

int Progress(void* context, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
    const FetchRequest* request = static_cast<const FetchRequest*>(context);
    if (request->abort && request->abort->load()) return 1;
    if (request->progress) request->progress(received, total > 0 ? total : -1);
    return 0;
}

}  // namespace

FetchResult Fetch(const FetchRequest& request) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_ALL); });
    FetchResult result;
    kbase::UniqueHandle<CurlTraits> curl(curl_easy_init());
    if (!curl) {
        result.error = "the transfer could not be set up";
        return result;
    }
    kbase::UniqueHandle<CurlListTraits> headers;
    if (!request.acceptLanguage.empty())
        headers.Reset(curl_slist_append(nullptr, ("Accept-Language: " + request.acceptLanguage).c_str()));
    CURL* handle = curl.Get();
    curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, 30L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_USERAGENT,
                     request.userAgent.empty() ? "zel_libcef stand-in" : request.userAgent.c_str());
    if (headers) curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.Get());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &request);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &request);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    const CURLcode code = curl_easy_perform(handle);
    char* finalUrl = nullptr;
    curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &finalUrl);
    result.finalUrl = finalUrl ? finalUrl : request.url;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &result.status);
    result.ok = code == CURLE_OK;
    if (!result.ok) result.error = curl_easy_strerror(code);
    return result;
}
