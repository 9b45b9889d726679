// The edit's input: events into messages for the text services, keys, the number-only paste,
// the caret, the services' timers and their notifications.
#include "ui/rich_edit.h"

#include <windowsx.h>

#include <imm.h>

#include <algorithm>

#include "ui/clipboard_text.h"
#include "ui/on_screen_keyboard_manager.h"
#include "ui/timer_manager.h"
#include "ui/txt_win_host.h"
#include "ui/window.h"

namespace ui {
namespace {

constexpr int kCaretBlinkMs = 500;

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool IsDown(int key) {
    return ::GetAsyncKeyState(key) < 0;
}

}  // namespace

void RichEdit::RaiseEvent(int type, WPARAM wParam, LPARAM lParam) {
    if (!window_) return;
    SendEvent(this, type, wParam, lParam);
}

void RichEdit::HandleEvent(EventArgs* args) {
    const int type = args->type;
    if ((!IsMouseEnabled() && IsMouseEvent(type)) || !IsEnabled()) {
        if (parent_) parent_->DispatchEvent(args);
        else Control::HandleEvent(args);
        return;
    }
    // Mouse messages carry the point in content coordinates.
    const SIZE offset = GetScrollOffset();
    const LPARAM point = MAKELPARAM(GET_X_LPARAM(args->lParam) + offset.cx, GET_Y_LPARAM(args->lParam) + offset.cy);
    const auto toServices = [&](UINT message) { TxSendMessage(message, args->wParam, point, nullptr); };
    switch (type) {
    case kEventSetCursor: {
        const POINT at{args->mousePoint.x + offset.cx, args->mousePoint.y + offset.cy};
        ITextServices* services = host_ ? host_->GetTextServices() : nullptr;
        if (services && window_ && ::PtInRect(&host_->GetClientRect(), at)) {
            const RECT client = host_->GetClientRect();
            services->OnTxSetCursor(DVASPECT_CONTENT, -1, nullptr, nullptr, window_->GetPaintDC(), nullptr,
                                    host_->IsInPlaceActive() ? nullptr : &client, at.x, at.y);
        } else {
            ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
        }
        return;
    }
    case kEventChar:
        if (::GetKeyState(VK_TAB) < 0 && !wantTab_) {
            RaiseEvent(kEventTab);
            return;
        }
        if (numberOnly_ && !IsDigit(static_cast<wchar_t>(args->wParam))) return;
        TxSendMessage(WM_CHAR, args->wParam, args->lParam, nullptr);
        return;
    case kEventKeyDown:
        OnKeyDown(args);
        return;
    case kEventMouseMove:
        toServices(WM_MOUSEMOVE);
        return;
    case kEventMouseScrollWheel:
        if (IsDown(VK_CONTROL)) return;
        ScrollableBox::HandleEvent(args);
        return;
    case kEventPointerDown:
        OnScreenKeyboardManager::GetInstance()->ShowOSK(true);
        toServices(WM_LBUTTONDOWN);
        return;
    case kEventMouseButtonDown:
        toServices(WM_LBUTTONDOWN);
        return;
    case kEventMouseButtonUp:
    case kEventPointerUp:
        toServices(WM_LBUTTONUP);
        return;
    case kEventInternalDoubleClick:
        if (readOnly_) {
            CHARRANGE all{0, -1};
            TxSendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all), nullptr);
        } else {
            toServices(WM_LBUTTONDBLCLK);
        }
        return;
    case kEventMouseRightButtonDown:
        toServices(WM_RBUTTONDOWN);
        return;
    case kEventMouseRightButtonUp:
        toServices(WM_RBUTTONUP);
        return;
    case kEventImeStartComposition:
        OnImeStartComposition();
        return;
    case kEventImeEndComposition:
        composing_ = false;
        return;
    case kEventInternalSetFocus:
    case kEventInternalKillFocus:
        OnFocusChange(type == kEventInternalSetFocus);
        return;
    default:
        ScrollableBox::HandleEvent(args);
        return;
    }
}

void RichEdit::OnFocusChange(bool gained) {
    if (host_) {
        host_->ActivateInPlace();
        TxSendMessage(gained ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0, nullptr);
        ShowCaret(gained);
    }
    focused_ = gained;
    if (!gained && readOnly_ && IsEnabled()) {
        CHARRANGE collapsed{-1, 0};
        TxSendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&collapsed), nullptr);
    }
    Invalidate();
    if (!gained) OnScreenKeyboardManager::GetInstance()->ShowOSK(false);
}

void RichEdit::OnImeStartComposition() {
    const HWND hwnd = window_ ? window_->GetHWND() : nullptr;
    if (!hwnd) return;
    if (const HIMC context = ::ImmGetContext(hwnd)) {
        const SIZE offset = GetScrollOffset();
        COMPOSITIONFORM form{};
        form.dwStyle = CFS_POINT;
        form.ptCurrentPos.x = std::max<LONG>(1, caretPos_.x - offset.cx);
        form.ptCurrentPos.y = std::max<LONG>(1, caretPos_.y - offset.cy);
        ::ImmSetCompositionWindow(context, &form);
        ::ImmReleaseContext(hwnd, context);
    }
    composing_ = true;
}

void RichEdit::OnKeyDown(EventArgs* args) {
    if (args->wParam == VK_RETURN && wantReturnMsg_ && !IsDown(VK_SHIFT) && IsDown(VK_CONTROL) == returnMsgWantCtrl_) {
        RaiseEvent(kEventReturn);
        return;
    }
    if (numberOnly_ && args->wParam == 'V' && ::GetKeyState(VK_CONTROL) < 0) {
        PasteDigits();
        return;
    }
    TxSendMessage(WM_KEYDOWN, args->wParam, args->lParam, nullptr);
}

void RichEdit::PasteDigits() {
    std::wstring digits = ReadClipboardText(nullptr);
    digits.erase(std::remove_if(digits.begin(), digits.end(), [](wchar_t c) { return !IsDigit(c); }), digits.end());
    if (digits.empty()) return;
    // The user's clipboard stays as it was; the digits replace the selection as one undo step.
    TxSendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits.c_str()), nullptr);
}

// --- caret and timers ------------------------------------------------------------------------------

void RichEdit::SetCaretPos(int x, int y) {
    caretPos_ = POINT{x, y};
}

void RichEdit::SetCaretSize(int width, int height) {
    caretSize_ = SIZE{width, height};
}

void RichEdit::ShowCaret(bool show) {
    caretFlag_.Cancel();
    caretShown_ = show;
    if (show) {
        TimerManager::GetInstance()->AddCancelableTimer(
            caretFlag_.ObtainWeakFlag(), MakeWeakCallback([this] {
                caretShown_ = !caretShown_;
                Invalidate();
            }),
            kCaretBlinkMs, -1);
    }
    Invalidate();
}

void RichEdit::SetTimer(UINT id, UINT elapse) {
    kbase::WeakCallbackFlag& flag = timers_[id];
    flag.Cancel();
    TimerManager::GetInstance()->AddCancelableTimer(
        flag.ObtainWeakFlag(), MakeWeakCallback([this, id] { TxSendMessage(WM_TIMER, id, 0, nullptr); }),
        static_cast<int>(elapse), -1);
}

void RichEdit::KillTimer(UINT id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    it->second.Cancel();
    timers_.erase(it);
}

// --- notifications -------------------------------------------------------------------------------

bool RichEdit::OnTxTextChanged() {
    RaiseEvent(kEventTextChange);
    return true;
}

void RichEdit::FillNotifyHeader(NMHDR& header, UINT code) const {
    const HWND hwnd = window_ ? window_->GetHWND() : nullptr;
    header.hwndFrom = hwnd;
    header.idFrom = hwnd ? static_cast<UINT_PTR>(::GetWindowLongW(hwnd, GWL_ID)) : 0;
    header.code = code;
}

void RichEdit::OnTxNotify(DWORD code, void* data) {
    switch (code) {
    case EN_CHANGE:
        OnTxTextChanged();
        return;
    case EN_MSGFILTER:
    case EN_SELCHANGE:
    case EN_DROPFILES:
    case EN_PROTECTED:
    case EN_STOPNOUNDO:
    case EN_SAVECLIPBOARD:
    case EN_OLEOPFAILED:
    case EN_OBJECTPOSITIONS:
    case EN_DRAGDROPDONE: {
        if (!data || !window_ || !window_->GetHWND()) return;
        auto* header = static_cast<NMHDR*>(data);
        FillNotifyHeader(*header, code);
        ::SendMessageW(window_->GetHWND(), WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
        return;
    }
    case EN_LINK:
        if (data) OnLinkNotify(static_cast<ENLINK*>(data));
        return;
    default:
        return;
    }
}

void RichEdit::OnLinkNotify(ENLINK* link) {
    if (link->msg != WM_LBUTTONUP) return;
    CHARRANGE range = link->chrg;
    TxSendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range), nullptr);
    if (!window_ || !window_->GetHWND()) return;
    // The notification itself, with its header, range and mouse message: a receiver reads a
    // real NMHDR and the link's range (the link text is now the selection).
    FillNotifyHeader(link->nmhdr, EN_LINK);
    ::SendMessageW(window_->GetHWND(), WM_NOTIFY, link->nmhdr.idFrom, reinterpret_cast<LPARAM>(link));
}

}  // namespace ui
