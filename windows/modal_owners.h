#pragma once

#include <windows.h>

// The owners that open modal dialogs have disabled, counted per owner: an owner with several
// dialogs over it comes back only when the last of them closes. UI thread only.
class ModalOwners {
public:
    ModalOwners() = delete;

    // One more dialog over owner; the owner is disabled.
    static void Hold(HWND owner);
    // One dialog fewer; with none left the owner is enabled again and takes the focus.
    static void Release(HWND owner);
};
