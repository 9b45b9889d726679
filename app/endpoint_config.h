#pragma once

#include <string>
#include <vector>

// The optional endpoint file save\setting.json: servers and intervals that replace the built-in
// ones. Read once at start and only read afterwards.
struct EndpointConfig {
    std::string GateKey;                // empty: the gate key is formed from channel and version
    std::vector<std::string> GateURLs;  // replaces the built-in gate servers when not empty
    bool QaGate = false;
    bool DisableAutoEnterGame = false;
    std::vector<std::string> DlcURLs;   // replaces the gate answer's download servers
    std::string ActivityURL;
    int RefreshInterval = 0;            // minutes, 1 to 99; 0 means "use the default"
    int UpdateInterval = 0;             // minutes, 1 to 99; 0 means "use the default"
    std::string TrackURL;               // replaces the built-in tracking endpoint
};

inline constexpr int kMinIntervalMinutes = 1;
inline constexpr int kMaxIntervalMinutes = 99;

// .\save\setting.json
std::wstring EndpointFilePath();

// Fills config from the JSON text of the endpoint file. Members that are absent, null, of the
// wrong type or out of range leave their field alone; list elements that are not non-empty
// strings are skipped. False when the text is not a JSON object.
bool ParseEndpointConfig(const std::string& text, EndpointConfig& config);

// ParseEndpointConfig over the file at path; a missing file leaves config alone.
bool ReadEndpointFile(const std::wstring& path, EndpointConfig& config);
