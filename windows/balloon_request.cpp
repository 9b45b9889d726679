#include "windows/balloon_request.h"

#include <cstdint>

namespace {

constexpr std::size_t kTitleOffset = 0;
constexpr std::size_t kTextOffset = kTitleOffset + BalloonRequest::kTitleChars * 2;
constexpr std::size_t kSoundOffset = kTextOffset + BalloonRequest::kTextChars * 2;
constexpr std::size_t kWindowOffset = kSoundOffset + BalloonRequest::kSoundChars * 2;
static_assert(kWindowOffset + 8 == BalloonRequest::kBlockSize);

// The UTF-16 text of a field of chars characters, up to its terminator, at most chars - 1.
std::wstring ReadField(const unsigned char* block, std::size_t offset, std::size_t chars) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < chars; ++i) {
        const unsigned char* at = block + offset + i * 2;
        const wchar_t c = static_cast<wchar_t>(at[0] | (at[1] << 8));
        if (c == L'\0') break;
        text.push_back(c);
    }
    return text;
}

}  // namespace

std::optional<BalloonRequest> ParseBalloonRequest(ULONG_PTR dwData, const void* data, std::size_t size) {
    if (dwData != 0 || !data || size != BalloonRequest::kBlockSize) return std::nullopt;
    const auto* block = static_cast<const unsigned char*>(data);
    BalloonRequest request;
    request.title = ReadField(block, kTitleOffset, BalloonRequest::kTitleChars);
    request.text = ReadField(block, kTextOffset, BalloonRequest::kTextChars);
    request.sound = ReadField(block, kSoundOffset, BalloonRequest::kSoundChars);
    std::uint64_t window = 0;
    for (std::size_t i = 0; i < 8; ++i) window |= static_cast<std::uint64_t>(block[kWindowOffset + i]) << (8 * i);
    request.window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
    return request;
}
