// The skinned window base: creation from the skin, the message router, the system buttons and
// the end of the object. The handlers of the routed messages are in window_impl_base_messages.cpp.
#include "ui/window_impl_base.h"

#include <cwchar>
#include <memory>

#include "ui/box.h"
#include "ui/control.h"
#include "ui/window_builder.h"

namespace ui {
namespace {

// The length of the formatted load failure text, path included.
constexpr std::size_t kFailureTextLength = 260;
constexpr const wchar_t* kSystemButtons[] = {L"closebtn", L"minbtn", L"maxbtn", L"restorebtn"};

}  // namespace

LRESULT WindowImplBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return OnCreate();
    BOOL handled = TRUE;
    LRESULT result = 0;
    switch (message) {
    case WM_DESTROY: result = OnDestroy(message, wParam, lParam, handled); break;
    case WM_SIZE: result = OnSize(message, wParam, lParam, handled); break;
    case WM_SETFOCUS: result = OnSetFocus(message, wParam, lParam, handled); break;
    case WM_KILLFOCUS: result = OnKillFocus(message, wParam, lParam, handled); break;
    case WM_CLOSE: result = OnClose(message, wParam, lParam, handled); break;
    case WM_GETMINMAXINFO: result = OnGetMinMaxInfo(message, wParam, lParam, handled); break;
    case WM_WINDOWPOSCHANGING: result = OnWindowPosChanging(message, wParam, lParam, handled); break;
    case WM_NCCALCSIZE: result = OnNcCalcSize(message, wParam, lParam, handled); break;
    case WM_NCHITTEST: result = OnNcHitTest(message, wParam, lParam, handled); break;
    case WM_NCPAINT: result = OnNcPaint(message, wParam, lParam, handled); break;
    case WM_NCACTIVATE: result = OnNcActivate(message, wParam, lParam, handled); break;
    case WM_NCLBUTTONDBLCLK: result = OnNcLButtonDblClk(message, wParam, lParam, handled); break;
    case WM_KEYDOWN: result = OnKeyDown(message, wParam, lParam, handled); break;
    case WM_CHAR: result = OnChar(message, wParam, lParam, handled); break;
    case WM_SYSCOMMAND: result = OnSysCommand(message, wParam, lParam, handled); break;
    case WM_MOUSEMOVE: result = OnMouseMove(message, wParam, lParam, handled); break;
    case WM_LBUTTONDOWN: result = OnLButtonDown(message, wParam, lParam, handled); break;
    case WM_LBUTTONUP: result = OnLButtonUp(message, wParam, lParam, handled); break;
    case WM_MOUSEWHEEL: result = OnMouseWheel(message, wParam, lParam, handled); break;
    case WM_MOUSEHOVER: result = OnMouseHover(message, wParam, lParam, handled); break;
    case WM_DPICHANGED: result = OnDpiChanged(message, wParam, lParam, handled); break;
    default: handled = FALSE; break;
    }
    if (handled) return result;
    return Window::HandleMessage(message, wParam, lParam);
}

LRESULT WindowImplBase::OnCreate() {
    ::SetWindowLongW(hwnd_, GWL_STYLE, GetStyle());
    Init(hwnd_);
    SetResourcePath(GetSkinFolder());
    const std::wstring path = GetResourcePath() + GetSkinFile();
    const CreateControlCallback createControl =
        MakeWeakCallback([this](const std::wstring& className) { return CreateControl(className); });
    WindowBuilder builder;
    std::unique_ptr<Control> wrapped(shadow_.WrapRoot(builder.Create(path.c_str(), createControl, this)));
    auto* root = dynamic_cast<Box*>(wrapped.get());
    if (!root) {  // nothing built, or a lone control that is no box
        ShowLoadFailure(path);
        return -1;
    }
    wrapped.release();
    AttachRoot(root);
    InitWindow();
    if (root_->GetFixedWidth() == kSizeAuto || root_->GetFixedHeight() == kSizeAuto) {
        const SIZE size = EstimateAutoSize();
        ::MoveWindow(hwnd_, 0, 0, size.cx, size.cy, FALSE);
    }
    HookSystemButtons();
    return 0;
}

void WindowImplBase::ShowLoadFailure(const std::wstring& path) {
    wchar_t text[kFailureTextLength] = {};
    std::swprintf(text, kFailureTextLength, L"Failed to load xml file %ls", path.c_str());
    ::MessageBoxW(nullptr, text, L"Wexmora", MB_ICONERROR);
}

void WindowImplBase::HookSystemButtons() {
    // Only buttons raise clicks, so another control of such a name never runs the handler.
    for (const wchar_t* name : kSystemButtons) {
        if (Control* button = FindControl(std::wstring(name))) {
            button->EventMapAt(kEventClick).push_back(
                MakeWeakCallback([this](EventArgs* args) { return OnButtonClick(args); }));
        }
    }
}

bool WindowImplBase::OnButtonClick(EventArgs* args) {
    const std::wstring& name = args->sender->GetName();
    Control* maxButton = FindControl(std::wstring(L"maxbtn"));
    Control* restoreButton = FindControl(std::wstring(L"restorebtn"));
    if (name == L"closebtn") {
        Close(1);
    } else if (name == L"minbtn") {
        ::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (name == L"maxbtn" || name == L"restorebtn") {
        const bool maximize = name == L"maxbtn";
        if (maxButton && restoreButton) {
            maxButton->SetFadeVisible(!maximize);
            restoreButton->SetFadeVisible(maximize);
        }
        ::SendMessageW(hwnd_, WM_SYSCOMMAND, maximize ? SC_MAXIMIZE : SC_RESTORE, 0);
    }
    return true;
}

void WindowImplBase::OnFinalMessage(HWND hwnd) {
    Window::OnFinalMessage(hwnd);
    ReapObjects(GetRoot());
    delete this;  // the window owns its object: made with new, it ends with its handle
}

LONG WindowImplBase::GetStyle() {
    return ::GetWindowLongW(hwnd_, GWL_STYLE) & ~WS_CAPTION;
}

Control* WindowImplBase::CreateControl(const std::wstring& /*className*/) {
    return nullptr;
}

void WindowImplBase::ActivateWindow() {
    if (!hwnd_ || !::IsWindow(hwnd_)) return;
    if (::IsIconic(hwnd_)) {
        ::ShowWindow(hwnd_, SW_RESTORE);
        return;
    }
    if (!::IsWindowVisible(hwnd_)) ::ShowWindow(hwnd_, SW_SHOW);
    ::SetForegroundWindow(hwnd_);
}

void WindowImplBase::SetTitle(const std::wstring& title) {
    ::SetWindowTextW(hwnd_, title.c_str());
}

LRESULT WindowImplBase::MessageHandler(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, bool& /*handled*/) {
    return 0;
}

}  // namespace ui
