#pragma once

#include <string>

// Relative request paths of the gate server, joined to the active base URL by the caller.
// Every value is percent-encoded, and white space is removed from it first, so that no
// GateKey, version or device id (computer names may hold '&' or '#') can break the query.

// "get/urls?key=<gateKey>&udid=<udid>", or with an empty gateKey
// "get/urls?key=WIN10TW_<localGameVersion>&udid=<udid>"; "&is_qa=true" is appended for qaGate.
std::string BuildUrlsRequest(const std::string& gateKey, const std::string& localGameVersion, bool qaGate,
                             const std::string& udid);

// "pre_download?channel=TW&udid=<udid>".
std::string BuildPreDownloadRequest(const std::string& udid);
