#include "app/download_seam.h"

#include <atomic>

namespace {

std::atomic<DownloadService*> g_service{nullptr};

}  // namespace

void SetDownloadService(DownloadService* service) {
    g_service.store(service);
}

DownloadService* GetDownloadService() {
    return g_service.load();
}
