#include "download/speed_math.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t kCapUnit = 204;

}  // namespace

std::int64_t SpeedCapForMode(const LauncherSettings& settings, int mode) {
    const bool limit = mode == 0 ? settings.downloadLimit : settings.predlcLimit;
    const int speed = mode == 0 ? settings.downloadSpeed : settings.predlcSpeed;
    return limit ? std::max<std::int64_t>(speed, 0) * kCapUnit : 0;
}

std::int64_t BatchSpeed(const std::deque<double>& samples, std::size_t runningTransfers) {
    if (samples.empty()) return 0;
    std::int64_t sum = 0;
    for (double sample : samples) {
        // A speed beyond 32 bits is no real reading; it is held there instead of overflowing.
        sum += static_cast<std::int32_t>(std::clamp(sample, 0.0, double(std::numeric_limits<std::int32_t>::max())));
    }
    const std::int64_t mean = sum / static_cast<std::int64_t>(samples.size());
    return mean * static_cast<std::int64_t>(std::max<std::size_t>(runningTransfers, 1));
}

std::int32_t RemainingSeconds(std::int64_t totalBytes, std::int64_t downloadedBytes, std::int64_t speed) {
    if (totalBytes < downloadedBytes || speed <= 0) return 0;
    return static_cast<std::int32_t>(std::min<std::int64_t>((totalBytes - downloadedBytes) / speed,
                                                            std::numeric_limits<std::int32_t>::max()));
}
