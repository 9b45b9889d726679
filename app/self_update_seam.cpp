#include "app/self_update_seam.h"

#include <atomic>

namespace {

std::atomic<SelfUpdateService*> g_service{nullptr};

}  // namespace

void SetSelfUpdateService(SelfUpdateService* service) {
    g_service.store(service);
}

SelfUpdateService* GetSelfUpdateService() {
    return g_service.load();
}
