#pragma once

#include <cstdint>
#include <deque>

#include "app/launcher_settings.h"

// The receive cap of a transfer in bytes per second; 0 means none. The settings keep the cap
// in units of 204 bytes per second; mode 0 takes the game-download pair, any other the
// pre-download pair.
std::int64_t SpeedCapForMode(const LauncherSettings& settings, int mode);

// The batch speed from recent per-transfer samples: their mean (each sample truncated to a
// whole number first) times the transfers running (at least 1).
std::int64_t BatchSpeed(const std::deque<double>& samples, std::size_t runningTransfers);

// Seconds left at speed for the bytes still missing; 0 when unknown.
std::int32_t RemainingSeconds(std::int64_t totalBytes, std::int64_t downloadedBytes, std::int64_t speed);
