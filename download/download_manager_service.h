#pragma once

// Joins the process-wide download manager to the application core below it: as the core's
// download service (worker start, tick and end, stop, pause, speed caps, figures) and as the
// sink of its telemetry records. The entry point calls this once, before the threads start.
void RegisterDownloadManager();
