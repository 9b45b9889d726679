// Touch (WM_TOUCH) and pointer (WM_POINTER...) input of ui::Window. The functions are looked
// up in user32 at run time, so the types of Windows 8 are declared here without requiring it.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0602
#undef WINVER
#define WINVER 0x0602

#include <algorithm>

#include "ui/control.h"
#include "ui/window.h"

namespace ui {
namespace {

// Only the first input of a touch message is used, so only one is read however many the
// message announces.
constexpr UINT kTouchInputsRead = 1;
// Pointer pressure runs from 0 to 1024.
constexpr float kPressureScale = 1.0f / 1024.0f;

template <class Function>
Function LookUpUser32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}

struct TouchFunctions {
    decltype(&::GetTouchInputInfo) getTouchInputInfo = LookUpUser32<decltype(&::GetTouchInputInfo)>("GetTouchInputInfo");
    decltype(&::CloseTouchInputHandle) closeTouchInputHandle =
        LookUpUser32<decltype(&::CloseTouchInputHandle)>("CloseTouchInputHandle");
};

struct PointerFunctions {
    decltype(&::GetPointerType) getPointerType = LookUpUser32<decltype(&::GetPointerType)>("GetPointerType");
    decltype(&::GetPointerTouchInfo) getPointerTouchInfo =
        LookUpUser32<decltype(&::GetPointerTouchInfo)>("GetPointerTouchInfo");
    decltype(&::GetPointerPenInfo) getPointerPenInfo = LookUpUser32<decltype(&::GetPointerPenInfo)>("GetPointerPenInfo");
};

const TouchFunctions& Touch() {
    static const TouchFunctions functions;
    return functions;
}

const PointerFunctions& Pointer() {
    static const PointerFunctions functions;
    return functions;
}

// The pixel location and pressure of a pointer of one kind, read with that kind's function.
template <class Info>
bool ReadPointerInfo(BOOL(WINAPI* read)(UINT32, Info*), UINT32 id, POINT& location, UINT32& pressure) {
    Info info{};
    if (!read || !read(id, &info)) return false;
    location = info.pointerInfo.ptPixelLocation;
    pressure = info.pressure;
    return true;
}

// The pixel location and pressure of a touch or pen pointer; false for other pointers and
// when the information cannot be read.
bool ReadPointer(UINT32 id, POINT& location, UINT32& pressure) {
    const PointerFunctions& api = Pointer();
    POINTER_INPUT_TYPE type = 0;
    if (!api.getPointerType || !api.getPointerType(id, &type)) return false;
    if (type == PT_TOUCH) return ReadPointerInfo(api.getPointerTouchInfo, id, location, pressure);
    if (type == PT_PEN) return ReadPointerInfo(api.getPointerPenInfo, id, location, pressure);
    return false;
}

}  // namespace

void Window::OnTouch(WPARAM wParam, LPARAM lParam) {
    const TouchFunctions& api = Touch();
    if (!api.getTouchInputInfo || !api.closeTouchInputHandle) return;
    const auto handle = reinterpret_cast<HTOUCHINPUT>(lParam);
    const UINT count = std::min<UINT>(LOWORD(wParam), kTouchInputsRead);
    TOUCHINPUT input{};
    if (count > 0 && api.getTouchInputInfo(handle, count, &input, sizeof(TOUCHINPUT)) && input.dwID != 0) {
        POINT point{input.x / 100, input.y / 100};
        ::ScreenToClient(hwnd_, &point);
        if (input.dwFlags & TOUCHEVENTF_DOWN) HandleTouchContact(ContactPhase::kDown, point, lParam);
        if (input.dwFlags & TOUCHEVENTF_MOVE) HandleTouchContact(ContactPhase::kMove, point, lParam);
        if (input.dwFlags & TOUCHEVENTF_UP) HandleTouchContact(ContactPhase::kUp, point, lParam);
    }
    api.closeTouchInputHandle(handle);
}

void Window::HandleTouchContact(ContactPhase phase, POINT point, LPARAM lParam) {
    switch (phase) {
    case ContactPhase::kDown: {
        if (mouseCapture_ || pointerCapture_) return;
        ::SetFocus(hwnd_);
        lastTouchPoint_ = point;
        Control* control = FindOwnControl(point);
        if (!control) return;
        touchCapture_ = control;
        control->SetFocus();
        ::SetCapture(hwnd_);
        mouseCaptured_ = true;
        Control::SendEvent(control, kEventTouchDown, 0, lParam, 0, point);
        return;
    }
    case ContactPhase::kMove:
        if (mouseCapture_ || pointerCapture_) return;
        if (point.x == lastTouchPoint_.x && point.y == lastTouchPoint_.y) return;
        lastTouchPoint_ = point;
        if (touchCapture_ && HandleMouseEnterLeave(point, 0, 0) && touchCapture_) {
            Control::SendEvent(touchCapture_, kEventTouchMove, 0, 0, 0, point);
        }
        return;
    case ContactPhase::kUp:
        lastTouchPoint_ = point;
        ReleaseMouseCapture();
        if (Control* target = touchCapture_) {
            Control::SendEvent(target, kEventTouchUp, 0, lParam, 0, point);
            touchCapture_ = nullptr;
        }
        return;
    }
}

bool Window::IsPointerMessage(UINT message) {
    return message == WM_POINTERUPDATE || message == WM_POINTERDOWN || message == WM_POINTERUP ||
           message == WM_POINTERLEAVE || message == WM_POINTERCAPTURECHANGED;
}

LRESULT Window::OnPointer(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (!IS_POINTER_PRIMARY_WPARAM(wParam)) {
        handled = true;  // a second finger does nothing
        return 0;
    }
    POINT location{0, 0};
    UINT32 pressure = 0;
    if (!ReadPointer(GET_POINTERID_WPARAM(wParam), location, pressure)) return 0;
    ::ScreenToClient(hwnd_, &location);
    handled = HandlePointerContact(message, PointerContact{location, static_cast<float>(pressure) * kPressureScale},
                                   lParam);
    return 0;
}

bool Window::HandlePointerContact(UINT message, const PointerContact& contact, LPARAM lParam) {
    const POINT point = contact.point;
    if (message == WM_POINTERUPDATE || message == WM_POINTERDOWN) {
        if (mouseCapture_ || touchCapture_) return true;
        lastMousePoint_ = point;
        if (message == WM_POINTERUPDATE) {
            if (!pointerCapture_ || !HandleMouseEnterLeave(point, 0, 0) || !pointerCapture_) return false;
            Control::SendEvent(pointerCapture_, kEventPointerUpdate, 0, 0, 0, point, contact.pressure);
            return pointerCapture_ && pointerCapture_->IsReceivePointerMsg();
        }
        ::SetFocus(hwnd_);
        Control* control = FindOwnControl(point);
        if (!control) return false;
        pointerCapture_ = control;
        control->SetFocus();
        ::SetCapture(hwnd_);
        mouseCaptured_ = true;
        Control::SendEvent(control, kEventPointerDown, 0, lParam, 0, point, contact.pressure);
        return pointerCapture_ && pointerCapture_->IsReceivePointerMsg();
    }
    lastMousePoint_ = point;
    ReleaseMouseCapture();
    Control* target = pointerCapture_;
    if (!target) return false;
    Control::SendEvent(target, kEventPointerUp, 0, lParam, 0, point, contact.pressure);
    pointerCapture_ = nullptr;
    return target->IsReceivePointerMsg();
}

}  // namespace ui
