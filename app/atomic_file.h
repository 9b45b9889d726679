#pragma once

#include <string>
#include <string_view>

// Writes a file whole or not at all: the bytes go to a temporary file in the target's folder,
// are flushed, and the temporary then replaces the target. On any failure the temporary is
// removed and the target keeps its old contents. Writers are serialised process-wide, so two
// threads never write user data or install state at the same time.
bool WriteFileAtomic(const std::wstring& path, std::string_view bytes);
