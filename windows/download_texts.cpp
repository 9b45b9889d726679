#include "windows/download_texts.h"

#include <algorithm>
#include <limits>

#include "app/text_util.h"
#include "base/string_format.h"
#include "windows/formatted_texts.h"

namespace {
constexpr int kDurationCapacity = 64;

float Ratio(std::int64_t done, std::int64_t total) {
    return static_cast<float>(done) / static_cast<float>(total);
}
}  // namespace

std::wstring DownloadPercentText(std::int64_t done, std::int64_t total, int languageType) {
    if (total <= 0) return std::wstring();
    const double percent = static_cast<double>(Ratio(done, total) * 100.0f);
    const std::wstring doneText = FormatByteSize(static_cast<std::uint64_t>(std::max<std::int64_t>(done, 0)));
    const std::wstring totalText = FormatByteSize(static_cast<std::uint64_t>(total));
    return kbase::FormatWideString(languageType == kPercentSignFirstLanguage ? L"%%%5.2f (%ls/%ls)" : L"%5.2f%% (%ls/%ls)",
                                   percent, doneText.c_str(), totalText.c_str());
}

std::wstring WholePercentText(std::int64_t done, std::int64_t total, int languageType) {
    if (total <= 0) return std::wstring();
    const float percent = Ratio(done, total) * 100.0f;
    // Truncated towards zero; a value beyond int's range (done far past total) stays at the edge.
    const int whole = percent >= static_cast<float>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                      : percent <= static_cast<float>(std::numeric_limits<int>::min()) ? std::numeric_limits<int>::min()
                                                                                      : static_cast<int>(percent);
    return kbase::FormatWideString(languageType == kPercentSignFirstLanguage ? L"%%%d" : L"%d%%", whole);
}

float ProgressValue(std::int64_t done, std::int64_t total) {
    return 100.0f * (total < 1 ? 1.0f : Ratio(done, total));
}

std::wstring DurationText(std::int64_t seconds) {
    wchar_t buffer[kDurationCapacity] = {};
    const std::int64_t clamped = std::clamp<std::int64_t>(seconds, 0, std::numeric_limits<unsigned>::max());
    FormatDuration(static_cast<unsigned>(clamped), buffer, kDurationCapacity);
    return buffer;
}

std::wstring SpeedText(std::uint64_t bytesPerSecond) {
    return FormatByteSize(bytesPerSecond) + L"/S";
}

std::wstring CheckCounterText(std::int32_t counter) {
    if (counter == 0) return std::wstring();
    return kbase::FormatWideString(L"(%d/%d)", counter & 0xFFFF, counter >> 16);
}
