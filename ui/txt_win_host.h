#pragma once

#include <windows.h>

#include <richedit.h>
#include <textserv.h>

#include "ui/com_ptr.h"

namespace ui {

class RichEdit;
class ScrollBar;

// The host of one rich edit control's windowless text services (msftedit.dll): answers their
// questions from its own fields and hands their requests (invalidation, scroll bars, caret,
// timers, capture, focus, notifications) to the owner control and its window. Reference
// counted, but only the text services and the owner hold it. UI thread only.
//
// The services call back while they are being created, before Init has stored them, and a
// start may fail for good: every use of the services pointer allows for it being null.
// A font's size (at pixelsPerInch), effects, character set, pitch and face into a character
// format; the effects replace the format's or are added to them.
void FillCharFormatFont(CHARFORMAT2W& format, const LOGFONTW& font, int pixelsPerInch, bool replaceEffects);

// The logical pixels per inch of a device context on one axis; 96 without one or when it says 0.
int PixelsPerInch(HDC dc, int axis);

class CTxtWinHost : public ITextHost {
public:
    CTxtWinHost();
    CTxtWinHost(const CTxtWinHost&) = delete;
    CTxtWinHost& operator=(const CTxtWinHost&) = delete;

    // --- ITextHost -----------------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HDC TxGetDC() override;
    INT TxReleaseDC(HDC dc) override;
    WINBOOL TxShowScrollBar(INT bar, WINBOOL show) override;
    WINBOOL TxEnableScrollBar(INT bars, INT arrows) override;
    WINBOOL TxSetScrollRange(INT bar, LONG minPos, INT maxPos, WINBOOL redraw) override;
    WINBOOL TxSetScrollPos(INT bar, INT pos, WINBOOL redraw) override;
    void TxInvalidateRect(LPCRECT rect, WINBOOL erase) override;
    void TxViewChange(WINBOOL update) override;
    WINBOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) override;
    WINBOOL TxShowCaret(WINBOOL show) override;
    WINBOOL TxSetCaretPos(INT x, INT y) override;
    WINBOOL TxSetTimer(UINT id, UINT timeout) override;
    void TxKillTimer(UINT id) override;
    void TxScrollWindowEx(INT dx, INT dy, LPCRECT scroll, LPCRECT clip, HRGN update, LPRECT updateRect,
                          UINT flags) override;
    void TxSetCapture(WINBOOL capture) override;
    void TxSetFocus() override;
    void TxSetCursor(HCURSOR cursor, WINBOOL text) override;
    WINBOOL TxScreenToClient(LPPOINT point) override;
    WINBOOL TxClientToScreen(LPPOINT point) override;
    HRESULT TxActivate(LONG* oldState) override;
    HRESULT TxDeactivate(LONG newState) override;
    HRESULT TxGetClientRect(LPRECT rect) override;
    HRESULT TxGetViewInset(LPRECT rect) override;
    HRESULT TxGetCharFormat(const CHARFORMATW** format) override;
    HRESULT TxGetParaFormat(const PARAFORMAT** format) override;
    COLORREF TxGetSysColor(int index) override;
    HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override;
    HRESULT TxGetMaxLength(DWORD* length) override;
    HRESULT TxGetScrollBars(DWORD* scrollBars) override;
    HRESULT TxGetPasswordChar(TCHAR* character) override;
    HRESULT TxGetAcceleratorPos(LONG* position) override;
    HRESULT TxGetExtent(LPSIZEL extent) override;
    HRESULT OnTxCharFormatChange(const CHARFORMATW* format) override;
    HRESULT OnTxParaFormatChange(const PARAFORMAT* format) override;
    HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override;
    HRESULT TxNotify(DWORD code, void* data) override;
    HIMC TxImmGetContext() override;
    void TxImmReleaseContext(HIMC context) override;
    HRESULT TxGetSelectionBarWidth(LONG* width) override;

    // Deactivates and releases the text services, when there are any.
    virtual ~CTxtWinHost();

    // --- the host's own -----------------------------------------------------------------
    // Binds to the owner and starts the text services with the create parameters' style and
    // text (either may be absent); false when the services cannot be had.
    bool Init(RichEdit* owner, const CREATESTRUCTW* create);
    // Null until Init succeeds.
    ITextServices* GetTextServices() const { return services_.Get(); }
    // Where the text is laid out and drawn, window pixels; the extent follows.
    void SetClientRect(const RECT& rect);
    const RECT& GetClientRect() const { return clientRect_; }
    // The client rectangle moved down for the owner's vertical alignment.
    void GetControlRect(RECT* rect);
    // The font's face, size and effects become the default character format.
    void SetFont(HFONT font);
    // The size the text needs when laid out width pixels wide (height is a hint); false
    // without services or when they refuse.
    bool GetNaturalSize(LONG width, LONG height, SIZE& size);
    // In-place activation (at the start and at every focus change); false when refused.
    bool ActivateInPlace();
    void SetTransparent(bool transparent);
    void SetRichText(bool rich);
    void SetTextColor(COLORREF color);
    void SetParaFormat(const PARAFORMAT2& format) { paraFormat_ = format; }
    // Property bits the services should read again.
    void NotifyPropertyBitsChange(DWORD mask, DWORD bits);
    bool IsInPlaceActive() const { return inPlaceActive_; }
    // Range 0, position 0, hidden, laid out again; nothing for a missing or hidden bar.
    static void HideScrollBar(ScrollBar* bar);

private:
    // Takes the scroll bar of a text-services bar number; null when the owner has none.
    ScrollBar* BarOf(INT bar) const;
    // The window's DC, its pixels per inch on one axis (96 when it reports 0).
    int WindowPixelsPerInch(int axis) const;

    RichEdit* owner_ = nullptr;
    LONG references_ = 0;
    ComPtr<ITextServices> services_;
    DWORD style_ = 0;
    bool wordWrap_ = false;
    bool richText_ = false;
    bool inPlaceActive_ = false;
    bool transparent_ = false;
    LONG selectionBarWidth_ = 0;
    LONG maxLength_ = 32767;
    RECT clientRect_{0, 0, 0, 0};
    SIZEL extent_{0, 0};
    CHARFORMAT2W charFormat_{};
    PARAFORMAT2 paraFormat_{};
    LONG acceleratorPos_ = -1;
    WCHAR passwordChar_ = 0;
};

}  // namespace ui
