#pragma once

// Built-in service addresses. Each can be replaced at build time by defining the macro (the
// build turns a cache variable of the same name into a definition for the app library); the
// defaults point at the sample publisher on this machine.

// Gate servers: the regional one (asked twice) and the global one; base URLs ending with "/".
#ifndef LAUNCHER_GATE_URL_REGIONAL
#define LAUNCHER_GATE_URL_REGIONAL "http://127.0.0.1:18480/"
#endif
#ifndef LAUNCHER_GATE_URL_GLOBAL
#define LAUNCHER_GATE_URL_GLOBAL "http://127.0.0.1:18480/"
#endif

// Tracking endpoint of the JSON records.
#ifndef LAUNCHER_TRACK_URL
#define LAUNCHER_TRACK_URL "http://127.0.0.1:18480/track/json_track?token=d41f09a7c3b85e62f0a9d4c1"
#endif

// Attribution callback that receives the activity reports (a GET with the record as query).
#ifndef LAUNCHER_ACTIVITY_URL
#define LAUNCHER_ACTIVITY_URL "http://127.0.0.1:18480/v1/adjust"
#endif

// Echo service that answers with the caller's public address as plain text.
#ifndef LAUNCHER_PUBLIC_IP_URL
#define LAUNCHER_PUBLIC_IP_URL "http://127.0.0.1:18480/ip"
#endif
