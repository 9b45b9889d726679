#include "tools/browser_runtime/page_document.h"

#include <algorithm>
#include <cctype>

#include "browser/runtime/cef_string.h"

namespace {

// Pages larger than this are read only this far for their title and body tag.
constexpr std::size_t kMaxScannedBytes = 1 << 20;

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

std::string DecodeEntities(std::string_view text) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}, {"&apos;", '\''}};
    std::string decoded;
    for (std::size_t at = 0; at < text.size();) {
        bool replaced = false;
        for (const auto& [entity, character] : kEntities) {
            if (text.substr(at, entity.size()) == entity) {
                decoded += character;
                at += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) decoded += text[at++];
    }
    return decoded;
}

std::string CollapseBlanks(std::string_view text) {
    std::string collapsed;
    for (char c : text) {
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (blank && (collapsed.empty() || collapsed.back() == ' ')) continue;
        collapsed += blank ? ' ' : c;
    }
    if (!collapsed.empty() && collapsed.back() == ' ') collapsed.pop_back();
    return collapsed;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "#rrggbb" or "#rgb" at the start of lower-case text.
std::optional<std::uint32_t> ParseHexColour(std::string_view text) {
    if (text.empty() || text[0] != '#') return std::nullopt;
    std::size_t digits = 0;
    while (digits + 1 < text.size() && digits < 7 && HexDigit(text[digits + 1]) >= 0) ++digits;
    if (digits == 6) {
        std::uint32_t colour = 0;
        for (std::size_t i = 1; i <= 6; ++i) colour = colour * 16 + HexDigit(text[i]);
        return colour;
    }
    if (digits == 3) {
        std::uint32_t colour = 0;
        for (std::size_t i = 1; i <= 3; ++i) colour = colour * 256 + HexDigit(text[i]) * 17;
        return colour;
    }
    return std::nullopt;
}

// The colour following the first of the keys in a lower-case tag (value quotes and blanks skipped).
std::optional<std::uint32_t> ColourAfter(std::string_view tag, std::initializer_list<std::string_view> keys) {
    for (std::string_view key : keys) {
        const std::size_t found = tag.find(key);
        if (found == std::string_view::npos) continue;
        std::size_t at = found + key.size();
        while (at < tag.size() && (tag[at] == ' ' || tag[at] == '"' || tag[at] == '\'')) ++at;
        if (auto colour = ParseHexColour(tag.substr(at))) return colour;
    }
    return std::nullopt;
}

}  // namespace

PageDocument ParsePageDocument(std::string_view html) {
    const std::string lower = Lower(html.substr(0, kMaxScannedBytes));
    PageDocument document;
    const std::size_t titleTag = lower.find("<title");
    if (titleTag != std::string::npos) {
        const std::size_t start = lower.find('>', titleTag);
        const std::size_t end = start == std::string::npos ? start : lower.find("</title", start);
        if (end != std::string::npos)
            document.title = CefString(CollapseBlanks(DecodeEntities(html.substr(start + 1, end - start - 1)))).ToWString();
    }
    const std::size_t bodyTag = lower.find("<body");
    if (bodyTag != std::string::npos) {
        const std::size_t end = lower.find('>', bodyTag);
        const std::string_view tag = std::string_view(lower).substr(bodyTag, end == std::string::npos ? end : end - bodyTag);
        document.background = ColourAfter(tag, {"bgcolor=", "background-color:", "background:"});
    }
    return document;
}
