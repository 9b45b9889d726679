#include "ui/txt_win_host.h"

#include <cstdint>

#include "ui/com_ptr.h"
#include "ui/platform_abi.h"
#include "ui/rich_edit.h"
#include "ui/scroll_bar.h"
#include "ui/window.h"

namespace ui {
namespace {

constexpr DWORD kAutoHScrollOrHScroll = ES_AUTOHSCROLL | WS_HSCROLL;
constexpr DWORD kScrollBarStyles = WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_DISABLENOSCROLL;
constexpr DWORD kParaFormatMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS |
                                  PFM_NUMBERING | PFM_RTLPARA | PFM_OFFSETINDENT;
constexpr int kDefaultPixelsPerInch = 96;
constexpr LONG kTwipsPerInch = 1440;
constexpr int kHimetricPerInch = 2540;
constexpr LONG kDefaultTabTwips = 720;
constexpr WCHAR kDefaultPasswordChar = L'*';

// The text services' factory, from the library loaded once for the process and never unloaded
// (services may outlive any one control).
PCreateTextServices TextServicesFactory() {
    static const HMODULE library = ::LoadLibraryW(L"msftedit.dll");
    if (!library) return nullptr;
    return reinterpret_cast<PCreateTextServices>(
        reinterpret_cast<void*>(::GetProcAddress(library, "CreateTextServices")));
}

}  // namespace

void FillCharFormatFont(CHARFORMAT2W& format, const LOGFONTW& font, int pixelsPerInch, bool replaceEffects) {
    format.yHeight = -font.lfHeight * kTwipsPerInch / pixelsPerInch;
    DWORD effects = 0;
    if (font.lfWeight >= FW_BOLD) effects |= CFE_BOLD;
    if (font.lfItalic) effects |= CFE_ITALIC;
    if (font.lfUnderline) effects |= CFE_UNDERLINE;
    format.dwEffects = replaceEffects ? effects : format.dwEffects | effects;
    format.bCharSet = font.lfCharSet;
    format.bPitchAndFamily = font.lfPitchAndFamily;
    static_assert(sizeof(format.szFaceName) == sizeof(font.lfFaceName));
    ::lstrcpynW(format.szFaceName, font.lfFaceName, LF_FACESIZE);
}

int PixelsPerInch(HDC dc, int axis) {
    const int value = dc ? ::GetDeviceCaps(dc, axis) : 0;
    return value != 0 ? value : kDefaultPixelsPerInch;
}

CTxtWinHost::CTxtWinHost() {
    charFormat_.cbSize = sizeof(charFormat_);
    paraFormat_.cbSize = sizeof(paraFormat_);
}

CTxtWinHost::~CTxtWinHost() {
    if (services_) services_->OnTxInPlaceDeactivate();
}

bool CTxtWinHost::Init(RichEdit* owner, const CREATESTRUCTW* create) {
    owner_ = owner;
    references_ = 1;
    owner_->GetCharFormat(charFormat_);

    paraFormat_ = PARAFORMAT2{};
    paraFormat_.cbSize = sizeof(paraFormat_);
    paraFormat_.dwMask = kParaFormatMask;
    paraFormat_.wAlignment = PFA_LEFT;
    paraFormat_.cTabCount = 1;
    paraFormat_.rgxTabs[0] = kDefaultTabTwips;

    style_ = ES_MULTILINE;
    richText_ = owner_->IsRich();
    maxLength_ = owner_->GetLimitText();
    if (create) {
        style_ = static_cast<DWORD>(create->style);
        if ((style_ & kAutoHScrollOrHScroll) == 0) wordWrap_ = true;
    }
    if (style_ & ES_CENTER) paraFormat_.wAlignment = PFA_CENTER;
    else if (style_ & ES_RIGHT) paraFormat_.wAlignment = PFA_RIGHT;
    inPlaceActive_ = true;

    const PCreateTextServices factory = TextServicesFactory();
    if (!factory) return false;
    ComPtr<IUnknown> unknown;
    if (FAILED(factory(nullptr, this, reinterpret_cast<IUnknown**>(unknown.Receive()))) || !unknown) return false;
    // Stored only from here on: the services call back while they are being created.
    if (FAILED(unknown->QueryInterface(kIidTextServices, services_.Receive()))) services_.Reset();
    if (!services_) return false;

    if (create && create->lpszName) return SUCCEEDED(services_->TxSetText(create->lpszName));
    return true;
}

// --- IUnknown ---------------------------------------------------------------------------------

HRESULT CTxtWinHost::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIidTextHost)) {
        AddRef();
        *object = static_cast<ITextHost*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CTxtWinHost::AddRef() {
    return static_cast<ULONG>(++references_);
}

ULONG CTxtWinHost::Release() {
    const LONG left = --references_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// --- device context, scroll bars, invalidation -----------------------------------------------

HDC CTxtWinHost::TxGetDC() {
    Window* window = owner_ ? owner_->GetWindow() : nullptr;
    return window ? window->GetPaintDC() : nullptr;
}

INT CTxtWinHost::TxReleaseDC(HDC /*dc*/) {
    return 1;
}

WINBOOL CTxtWinHost::TxShowScrollBar(INT /*bar*/, WINBOOL /*show*/) {
    return TRUE;
}

ScrollBar* CTxtWinHost::BarOf(INT bar) const {
    if (!owner_) return nullptr;
    if (bar == SB_VERT) return owner_->GetVerticalScrollBar();
    if (bar == SB_HORZ) return owner_->GetHorizontalScrollBar();
    return nullptr;
}

void CTxtWinHost::HideScrollBar(ScrollBar* bar) {
    if (!bar || bar->GetScrollRange() == 0) return;
    bar->SetScrollRange(0);
    bar->SetScrollPos(0);
    bar->SetVisible(false);
    bar->Relayout();
}

WINBOOL CTxtWinHost::TxEnableScrollBar(INT bars, INT arrows) {
    if (!owner_) return TRUE;
    if (arrows == ESB_DISABLE_BOTH) {
        if (bars == SB_BOTH) {
            HideScrollBar(owner_->GetVerticalScrollBar());
            HideScrollBar(owner_->GetHorizontalScrollBar());
        } else {
            HideScrollBar(BarOf(bars));
        }
    }
    owner_->SetPos(owner_->GetPos());
    return TRUE;
}

WINBOOL CTxtWinHost::TxSetScrollRange(INT bar, LONG minPos, INT maxPos, WINBOOL /*redraw*/) {
    ScrollBar* scrollBar = BarOf(bar);
    if (!scrollBar) return TRUE;
    const std::int64_t view = bar == SB_VERT ? clientRect_.bottom - clientRect_.top : clientRect_.right - clientRect_.left;
    const std::int64_t range = static_cast<std::int64_t>(maxPos) - minPos - view;
    if (range <= 0) {
        HideScrollBar(scrollBar);
        return TRUE;
    }
    const bool wasHidden = scrollBar->GetScrollRange() == 0;
    scrollBar->SetScrollRange(range);
    if (wasHidden) owner_->SetPos(owner_->GetPos());
    return TRUE;
}

WINBOOL CTxtWinHost::TxSetScrollPos(INT bar, INT pos, WINBOOL /*redraw*/) {
    ScrollBar* scrollBar = BarOf(bar);
    if (!scrollBar || scrollBar->GetScrollPos() == pos) return TRUE;
    scrollBar->SetScrollPos(pos);  // clamped to [0, range]
    scrollBar->Relayout();
    return TRUE;
}

void CTxtWinHost::TxInvalidateRect(LPCRECT rect, WINBOOL /*erase*/) {
    Window* window = owner_ ? owner_->GetWindow() : nullptr;
    if (!window) return;
    RECT area = rect ? *rect : clientRect_;
    const SIZE offset = owner_->GetScrollOffset();
    ::OffsetRect(&area, -offset.cx, -offset.cy);
    window->InvalidateRect(area);
}

void CTxtWinHost::TxViewChange(WINBOOL /*update*/) {}

// --- caret, timers, capture, focus, cursor ---------------------------------------------------

WINBOOL CTxtWinHost::TxCreateCaret(HBITMAP /*bitmap*/, INT width, INT height) {
    // Width 0 asks for the system's caret width, as CreateCaret reads it (Wine always asks so).
    if (owner_) owner_->SetCaretSize(width > 0 ? width : ::GetSystemMetrics(SM_CXBORDER), height);
    return TRUE;
}

WINBOOL CTxtWinHost::TxShowCaret(WINBOOL /*show*/) {
    return TRUE;  // the owner draws its own caret
}

WINBOOL CTxtWinHost::TxSetCaretPos(INT x, INT y) {
    if (!owner_) return TRUE;
    owner_->SetCaretPos(x, y);
    owner_->ShowCaret(owner_->GetSelText().empty());
    return TRUE;
}

WINBOOL CTxtWinHost::TxSetTimer(UINT id, UINT timeout) {
    if (owner_) owner_->SetTimer(id, timeout);
    return TRUE;
}

void CTxtWinHost::TxKillTimer(UINT id) {
    if (owner_) owner_->KillTimer(id);
}

void CTxtWinHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {}

void CTxtWinHost::TxSetCapture(WINBOOL capture) {
    if (Window* window = owner_ ? owner_->GetWindow() : nullptr) window->CaptureMouse(capture != FALSE);
}

void CTxtWinHost::TxSetFocus() {
    if (owner_) owner_->SetFocus();
}

void CTxtWinHost::TxSetCursor(HCURSOR cursor, WINBOOL /*text*/) {
    ::SetCursor(cursor);
}

WINBOOL CTxtWinHost::TxScreenToClient(LPPOINT point) {
    Window* window = owner_ ? owner_->GetWindow() : nullptr;
    return window && ::ScreenToClient(window->GetHWND(), point);
}

WINBOOL CTxtWinHost::TxClientToScreen(LPPOINT point) {
    Window* window = owner_ ? owner_->GetWindow() : nullptr;
    return window && ::ClientToScreen(window->GetHWND(), point);
}

HRESULT CTxtWinHost::TxActivate(LONG* /*oldState*/) {
    return S_OK;
}

HRESULT CTxtWinHost::TxDeactivate(LONG /*newState*/) {
    return S_OK;
}

// --- what the services ask --------------------------------------------------------------------

HRESULT CTxtWinHost::TxGetClientRect(LPRECT rect) {
    GetControlRect(rect);
    return S_OK;
}

HRESULT CTxtWinHost::TxGetViewInset(LPRECT rect) {
    *rect = RECT{0, 0, 0, 0};
    return S_OK;
}

HRESULT CTxtWinHost::TxGetCharFormat(const CHARFORMATW** format) {
    *format = reinterpret_cast<const CHARFORMATW*>(&charFormat_);
    return S_OK;
}

HRESULT CTxtWinHost::TxGetParaFormat(const PARAFORMAT** format) {
    *format = reinterpret_cast<const PARAFORMAT*>(&paraFormat_);
    return S_OK;
}

COLORREF CTxtWinHost::TxGetSysColor(int index) {
    return ::GetSysColor(index);
}

HRESULT CTxtWinHost::TxGetBackStyle(TXTBACKSTYLE* style) {
    *style = transparent_ ? TXTBACK_TRANSPARENT : TXTBACK_OPAQUE;
    return S_OK;
}

HRESULT CTxtWinHost::TxGetMaxLength(DWORD* length) {
    *length = static_cast<DWORD>(maxLength_);
    return S_OK;
}

HRESULT CTxtWinHost::TxGetScrollBars(DWORD* scrollBars) {
    *scrollBars = style_ & kScrollBarStyles;
    return S_OK;
}

HRESULT CTxtWinHost::TxGetPasswordChar(TCHAR* character) {
    // The services show a password in clear for character 0: a password field masks it.
    *character = passwordChar_ != 0 || !(style_ & ES_PASSWORD) ? passwordChar_ : kDefaultPasswordChar;
    return S_OK;
}

HRESULT CTxtWinHost::TxGetAcceleratorPos(LONG* position) {
    *position = acceleratorPos_;
    return S_OK;
}

HRESULT CTxtWinHost::TxGetExtent(LPSIZEL extent) {
    *extent = extent_;
    return S_OK;
}

HRESULT CTxtWinHost::OnTxCharFormatChange(const CHARFORMATW* /*format*/) {
    return S_OK;
}

HRESULT CTxtWinHost::OnTxParaFormatChange(const PARAFORMAT* /*format*/) {
    return S_OK;
}

HRESULT CTxtWinHost::TxGetPropertyBits(DWORD mask, DWORD* bits) {
    DWORD value = 0;
    if (richText_) value |= TXTBIT_RICHTEXT;
    if (style_ & ES_MULTILINE) value |= TXTBIT_MULTILINE;
    if (style_ & ES_READONLY) value |= TXTBIT_READONLY;
    if (style_ & ES_PASSWORD) value |= TXTBIT_USEPASSWORD;
    if (!(style_ & ES_NOHIDESEL)) value |= TXTBIT_HIDESELECTION;
    if (wordWrap_) value |= TXTBIT_WORDWRAP;
    *bits = value & mask;
    return S_OK;
}

HRESULT CTxtWinHost::TxNotify(DWORD code, void* data) {
    if (!owner_) return S_OK;
    if (code == EN_REQUESTRESIZE && data) {
        const RECT& wanted = static_cast<const REQRESIZE*>(data)->rc;
        RECT rect{};
        GetControlRect(&rect);
        rect.right = rect.left + (wanted.right - wanted.left);
        rect.bottom = rect.top + (wanted.bottom - wanted.top);
        SetClientRect(rect);
    }
    owner_->OnTxNotify(code, data);
    return S_OK;
}

HIMC CTxtWinHost::TxImmGetContext() {
    return nullptr;
}

void CTxtWinHost::TxImmReleaseContext(HIMC /*context*/) {}

HRESULT CTxtWinHost::TxGetSelectionBarWidth(LONG* width) {
    *width = selectionBarWidth_;
    return S_OK;
}

// --- the host's own -----------------------------------------------------------------------------

int CTxtWinHost::WindowPixelsPerInch(int axis) const {
    Window* window = owner_ ? owner_->GetWindow() : nullptr;
    return ui::PixelsPerInch(window ? window->GetPaintDC() : nullptr, axis);
}

void CTxtWinHost::SetClientRect(const RECT& rect) {
    clientRect_ = rect;
    extent_.cx = ::MulDiv(rect.right - rect.left, kHimetricPerInch, WindowPixelsPerInch(LOGPIXELSX));
    extent_.cy = ::MulDiv(rect.bottom - rect.top, kHimetricPerInch, WindowPixelsPerInch(LOGPIXELSY));
    NotifyPropertyBitsChange(TXTBIT_VIEWINSETCHANGE, TXTBIT_VIEWINSETCHANGE);
}

bool CTxtWinHost::GetNaturalSize(LONG width, LONG height, SIZE& size) {
    if (!services_) return false;
    const SIZEL extent{-1, -1};
    LONG w = width;
    LONG h = height;
    const HRESULT result = services_->TxGetNaturalSize(DVASPECT_CONTENT, TxGetDC(), nullptr, nullptr,
                                                       TXTNS_FITTOCONTENT, &extent, &w, &h);
    if (FAILED(result)) return false;
    size = SIZE{w, h};
    return true;
}

void CTxtWinHost::GetControlRect(RECT* rect) {
    *rect = clientRect_;
    if (!owner_ || owner_->GetTextVerAlignType() == kVerAlignTop) return;
    SIZE natural{0, 0};
    if (!GetNaturalSize(clientRect_.right - clientRect_.left, 0, natural)) return;
    const LONG room = (clientRect_.bottom - clientRect_.top) - natural.cy;
    ::OffsetRect(rect, 0, owner_->GetTextVerAlignType() == kVerAlignCenter ? room / 2 : room);
}

void CTxtWinHost::SetFont(HFONT font) {
    if (!font) return;
    LOGFONTW logFont{};
    if (!::GetObjectW(font, sizeof(logFont), &logFont)) return;
    FillCharFormatFont(charFormat_, logFont, WindowPixelsPerInch(LOGPIXELSY), false);
    NotifyPropertyBitsChange(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
}

bool CTxtWinHost::ActivateInPlace() {
    inPlaceActive_ = true;
    if (services_ && FAILED(services_->OnTxInPlaceActivate(nullptr))) inPlaceActive_ = false;
    return inPlaceActive_;
}

void CTxtWinHost::SetTransparent(bool transparent) {
    transparent_ = transparent;
    NotifyPropertyBitsChange(TXTBIT_BACKSTYLECHANGE, 0);
}

void CTxtWinHost::SetRichText(bool rich) {
    richText_ = rich;
    NotifyPropertyBitsChange(TXTBIT_RICHTEXT, rich ? TXTBIT_RICHTEXT : 0);
}

void CTxtWinHost::SetTextColor(COLORREF color) {
    charFormat_.crTextColor = color;
    NotifyPropertyBitsChange(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
}

void CTxtWinHost::NotifyPropertyBitsChange(DWORD mask, DWORD bits) {
    if (services_) services_->OnTxPropertyBitsChange(mask, bits);
}

}  // namespace ui
