#pragma once

#include <string>

#include "app/telemetry_records.h"

// Where the records go. The download manager implements it: PostJson and Track go to the
// tracking endpoint, TrackActivity to the activity callback endpoint as a GET whose query is
// the text. No result is read back.
class TelemetrySink {
public:
    virtual ~TelemetrySink() = default;
    // A JSON record, sent at once.
    virtual void PostJson(const std::string& body) = 0;
    // A JSON record, sent at once (now) or queued for the next flush.
    virtual void Track(const std::string& body, bool now) = 0;
    // The activity query, sent at once.
    virtual void TrackActivity(const std::string& query) = 0;
};

// Reads the machine and clock values of a record now; the free space is that of gamePath's drive.
TelemetryMachine ReadTelemetryMachine(const std::wstring& gamePath);

// Each builds its record from the context copy and values read now, and hands it to the sink
// as the record's kind requires. They run on the worker thread.
void SendUiClickEvent(const TelemetryContext& context, const std::string& uiType, const std::string& action,
                      TelemetrySink& sink);
void SendLauncherDetailEvent(const TelemetryContext& context, const LauncherDetailArgs& args, TelemetrySink& sink);
void SendActivityEvent(const TelemetryContext& context, const ActivityArgs& args, TelemetrySink& sink);
void SendLauncherEvent(const TelemetryContext& context, const LauncherEventArgs& args, bool immediate,
                       TelemetrySink& sink);
void SendSettingsEvent(const TelemetryContext& context, const SettingsEventArgs& args, TelemetrySink& sink);
