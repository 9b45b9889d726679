#include "update/request_paths.h"

#include "app/gate_requests.h"
#include "app/launcher_context.h"
#include "app/machine_identity.h"

std::string BuildUrlsRequest() {
    const LauncherContext* context = LauncherContext::Instance();
    return BuildUrlsRequest(context->endpoints.GateKey, context->localGameVersion.Get(), context->endpoints.QaGate,
                            GetUdid());
}

std::string BuildPreDownloadRequest() {
    return BuildPreDownloadRequest(GetUdid());
}
