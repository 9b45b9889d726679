#pragma once

#include <cstdint>
#include <string>

// What the application core asks of the download manager, which sits above it. The entry point
// registers the implementation before the threads start; until then GetDownloadService() is
// null and the callers skip their call.

// The speed figures the telemetry records report.
struct DownloadSpeedFigures {
    std::int64_t minSpeed = 0;  // bytes per second
    std::int64_t maxSpeed = 0;
    std::string minSpeedFile;   // the file that was transferring when minSpeed was sampled
};

class DownloadService {
public:
    virtual ~DownloadService() = default;

    // Worker thread: set-up at the worker's start, the transfer loop at the end of every worker
    // tick, and the release of every transfer, queued record and handle at the worker's end.
    virtual void Init() = 0;
    virtual void Tick() = 0;
    virtual void Shutdown() = 0;
    // Any thread: from now on no transfer starts, writes or reports.
    virtual void Stop() = 0;

    // Worker thread: the user's pause button; resumes when already paused.
    virtual void TogglePause() = 0;
    // Any thread.
    virtual bool IsPaused() const = 0;
    // Any thread: re-applies the cap of the settings to the running transfers; mode 0 is the
    // game-download cap, 1 the pre-download cap.
    virtual void ApplySpeedLimit(int mode) = 0;
    // Worker thread.
    virtual DownloadSpeedFigures SpeedFigures() const = 0;
};

void SetDownloadService(DownloadService* service);
DownloadService* GetDownloadService();
