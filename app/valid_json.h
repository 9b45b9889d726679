#pragma once

#include <cstddef>
#include <string>

// True when the bytes (not NUL-terminated) are one JSON text that parses without errors; empty
// or null bytes are not. On false, error says why. Used to vet server answers.
bool IsValidJson(const char* bytes, std::size_t length, std::string& error);
