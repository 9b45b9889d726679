#pragma once

#include <cstdint>
#include <string>

// The download figures as the game-area and pre-download pages show them. Pure arithmetic and
// formatting: no window, no language table.

// Languages whose percentages put the sign first ("%25").
inline constexpr int kPercentSignFirstLanguage = 10;

// "25.00% (512.00M/ 2.00G)", or "%25.00 (...)" for kPercentSignFirstLanguage; empty while total
// is not positive. The ratio is formed in single precision.
std::wstring DownloadPercentText(std::int64_t done, std::int64_t total, int languageType);

// "33%" (truncated), or "%33"; empty while total is not positive.
std::wstring WholePercentText(std::int64_t done, std::int64_t total, int languageType);

// The bar's value, 0 to 100 for done within total: 100 x done / total in single precision, and
// 100 when total is below 1.
float ProgressValue(std::int64_t done, std::int64_t total);

// "01:02:05"; a negative count shows as zero.
std::wstring DurationText(std::int64_t seconds);

// "512.00KB/S": the byte size of a speed, per second.
std::wstring SpeedText(std::uint64_t bytesPerSecond);

// The check counter: "" for 0, else "(low/high)" of its low 16 bits and the rest.
std::wstring CheckCounterText(std::int32_t counter);
