#pragma once

// The identifiers under which the launcher's two framework threads register.
inline constexpr int kUiThreadId = 0;      // MainThread: every window
inline constexpr int kWorkerThreadId = 1;  // MiscThread: updates, downloads, telemetry, game messages
