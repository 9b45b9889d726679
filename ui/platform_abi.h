#pragma once

// Platform identifiers and one interface that the mingw-w64 headers declare without defining
// (the text services' IIDs live only in msftedit's import library, which we do not link: the
// library is loaded at run time) or lack entirely (the touch keyboard's invocation object).
// Values from the platform's documented ABI.

#include <windows.h>

#include <unknwn.h>

namespace ui {

// IID_ITextServices and IID_ITextHost.
constexpr GUID kIidTextServices = {0x8d33f740, 0xcf58, 0x11ce, {0xa8, 0x9d, 0x00, 0xaa, 0x00, 0x6c, 0xad, 0xc5}};
constexpr GUID kIidTextHost = {0xc5bdd8d0, 0xd26e, 0x11ce, {0xa8, 0x9e, 0x00, 0xaa, 0x00, 0x6c, 0xad, 0xc5}};

// The touch keyboard's invocation object (CLSID_UIHostNoLaunch) and its interface.
constexpr GUID kClsidTouchKeyboardHost = {0x4ce576fa, 0x83dc, 0x4f88, {0x95, 0x1c, 0x9d, 0x07, 0x82, 0xb4, 0xe3, 0x76}};
constexpr GUID kIidTipInvocation = {0x37c994e7, 0x432b, 0x4834, {0xa2, 0xf7, 0xdc, 0xe1, 0xf1, 0x3b, 0x83, 0x4b}};

struct ITipInvocation : public IUnknown {
    // Shows the keyboard when hidden, hides it when shown.
    virtual HRESULT STDMETHODCALLTYPE Toggle(HWND desktop) = 0;
};

}  // namespace ui
