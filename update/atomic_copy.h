#pragma once

#include <string>

// Puts a copy of source at target whole or not at all: the bytes go to a temporary beside
// target, which then takes target's place, so an interrupted install never leaves a cut
// executable, library or font behind. While target cannot be replaced (a process still holds
// it), the replace is tried again every kCopyRetryStepMs until retryMs have passed. False,
// target untouched and the temporary removed, when source cannot be copied or target is still
// held at the end; the system's last error then says why.
inline constexpr unsigned long kCopyRetryStepMs = 250;

bool CopyFileAtomic(const std::wstring& source, const std::wstring& target, unsigned long retryMs = 0);
