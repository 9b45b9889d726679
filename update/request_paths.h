#pragma once

#include <string>

// The gate server's request paths as the launcher sends them now: the endpoint file's gate key
// and QA flag, the installed game version and the device id (see app/gate_requests.h).
std::string BuildUrlsRequest();
std::string BuildPreDownloadRequest();
