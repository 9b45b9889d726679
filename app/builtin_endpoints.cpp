#include "app/builtin_endpoints.h"

#include "app/builtin_endpoint_defaults.h"

std::vector<std::string> BuiltinGateUrls() {
    return {LAUNCHER_GATE_URL_REGIONAL, LAUNCHER_GATE_URL_REGIONAL, LAUNCHER_GATE_URL_GLOBAL};
}

std::string BuiltinTrackUrl() {
    return LAUNCHER_TRACK_URL;
}

std::string BuiltinActivityUrl() {
    return LAUNCHER_ACTIVITY_URL;
}

std::string BuiltinPublicIpUrl() {
    return LAUNCHER_PUBLIC_IP_URL;
}
