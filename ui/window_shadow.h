#pragma once

#include <windows.h>

#include <string>

namespace ui {

class Control;
class ShadowBox;

// The content inside the default shadow image has slightly rounded corners (DPI-scaled).
constexpr SIZE kDefaultImageRound{3, 3};

// The drop shadow around a window's content: whether there is one, the image it is drawn
// with and how wide it is on each side. Every measure of the window (hit test, sizes, limits)
// adds or takes off the padding.
struct WindowShadow {
    // The padding starts at 14 on each side, DPI-scaled.
    WindowShadow();

    // The control to attach as the window's root: root itself without a shadow, else a new
    // shadow box (remembered in box) that holds root, as large as root plus the padding.
    Control* WrapRoot(Control* root);

    bool attached = true;
    // The image is the default one; its content then gets slightly rounded corners.
    bool defaultImage = true;
    std::wstring image = L"file='../public/bk_shadow.png' corner='30,30,30,30'";
    RECT unscaledPadding{14, 14, 14, 14};      // as the skin gave it; first, the others derive from it
    RECT padding{};                            // current width, DPI-scaled; 0 while maximised
    RECT restorePadding{};                     // the padding to put back after a maximise
    ShadowBox* box = nullptr;                  // owned by the window's tree (it is the root)
};

// Each side DPI-scaled on its own: the widths of a border band.
RECT ScaleInsets(RECT insets);

}  // namespace ui
