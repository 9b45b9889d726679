#pragma once

#include <string>
#include <vector>

// The service addresses built into the launcher. The endpoint file can replace the gate
// servers and the tracking endpoint; the others are fixed at build time.
std::vector<std::string> BuiltinGateUrls();
std::string BuiltinTrackUrl();
std::string BuiltinActivityUrl();
std::string BuiltinPublicIpUrl();
