#pragma once

// Waits until the process that started this one has ended, at most timeoutMs. Returns at once
// when that process is already gone, or when its id now names a younger process.
void WaitForParentExit(unsigned long timeoutMs);
