#include "app/web_link.h"

#include <cctype>
#include <string_view>

namespace {

bool StartsWithNoCase(const std::string& text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

}  // namespace

bool IsWebLink(const std::string& url) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (StartsWithNoCase(url, scheme) && url.size() > scheme.size()) return true;
    }
    return false;
}
