#include "download/download_manager.h"

void DownloadManager::Track(const std::string& body, const std::string& url, bool now) {
    if (now) {
        PostJson(body, url);
        return;
    }
    trackingQueue_[url].push_back(body);
}

void DownloadManager::FlushTracking() {
    for (auto& [url, bodies] : trackingQueue_) {
        if (bodies.empty()) continue;
        const std::string body = std::move(bodies.front());
        bodies.pop_front();
        PostJson(body, url);
        return;
    }
}
