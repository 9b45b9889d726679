#pragma once

#include <windows.h>

namespace ui {

// The memory DC (compatible with the screen) on which the global manager makes and probes
// GDI+ fonts; null outside GlobalManager::StartupRender / ShutdownRender.
HDC GetFontDc();

}  // namespace ui
