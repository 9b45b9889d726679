#include "download/join_url.h"

std::string JoinUrl(const std::string& base, const std::string& path) {
    if (base.empty()) return path;
    if (base.back() == '/') return base + path;
    return base + "/" + path;
}
