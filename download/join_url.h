#pragma once

#include <string>

// base + path with exactly one '/' between them; path alone when base is empty.
std::string JoinUrl(const std::string& base, const std::string& path);
