#include "app/url_encode.h"

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// The characters a path may hold as they are besides the unreserved ones: segment separators,
// sub-delimiters, ':' and '@'.
bool IsPathCharacter(unsigned char c) {
    static constexpr std::string_view kPathCharacters = "/!$&'()*+,;=:@";
    return IsUnreserved(c) || kPathCharacters.find(static_cast<char>(c)) != std::string_view::npos;
}

std::string EncodeEvery(std::string_view text, bool (*keep)(unsigned char)) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (keep(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0f];
        }
    }
    return out;
}

}  // namespace

std::string PercentEncode(std::string_view text) {
    return EncodeEvery(text, &IsUnreserved);
}

std::string PercentEncodePath(std::string_view path) {
    return EncodeEvery(path, &IsPathCharacter);
}
