#pragma once

#include <windows.h>

#include <richedit.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "base/weak_callback.h"
#include "ui/image.h"
#include "ui/scrollable_box.h"

namespace ui {

class CTxtWinHost;

// The framework's text input: a windowless control whose editing, selection, clipboard, undo
// and input method are the system's windowless rich-edit text services, reached through its
// text host. It turns events into the messages the services expect, draws their output and
// its own blinking caret, lays its scroll bars out from what they report, and raises text
// change (44), "return" (45) and "tab" (46). Without text services it stays inert: nothing is
// drawn and the text reads empty. UI thread only.
// Sources: rich_edit.cpp (attributes, texts), rich_edit_layout.cpp (size, position,
// scrolling, painting), rich_edit_input.cpp (events, keys, caret, timers, notifications).
class RichEdit : public ScrollableBox {
public:
    RichEdit();
    ~RichEdit() override;

    // --- control and scrollable box -------------------------------------------------------
    void DoInit() override;
    SIZE EstimateSize(SIZE available) override;
    void SetPos(RECT rect) override;
    void SetEnabled(bool enabled) override;
    bool IsTabStop() const override { return IsEnabled(); }
    bool IsWantTab() const override { return wantTab_; }
    bool IsCaptionClickable() const override { return true; }
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void Paint(IRenderContext* context, const RECT& dirty) override;
    void PaintChild(IRenderContext* context, const RECT& dirty) override;
    void ClearImageCache() override;
    void HandleEvent(EventArgs* args) override;
    void PaintStatusImage(IRenderContext* context) override;
    void SetScrollPos(SIZE pos) override;
    void PageUp() override;
    void PageDown() override;
    void HomeUp() override;
    void PageLeft() override;
    void PageRight() override;
    void HomeLeft() override;
    void EndRight() override;

    // --- the edit's own -------------------------------------------------------------------
    virtual void SetTextColor(const std::wstring& colorName);
    virtual std::string GetUTF8Text() const;
    virtual void SetUTF8Text(const std::string& text);
    // A message to the text services; S_FALSE without them. result, when given, is 0 unless
    // the services answer.
    virtual HRESULT TxSendMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) const;
    virtual void OnTxNotify(DWORD code, void* data);
    // Raises the text change event; true.
    virtual bool OnTxTextChanged();

    // Replaces all content, not undoable; before the first initialisation only stores it.
    void SetText(const std::wstring& text);
    std::wstring GetText() const;
    std::wstring GetSelText() const;
    // The default character format from the edit's font and current text colour.
    void GetCharFormat(CHARFORMAT2W& format) const;
    // The prompt text, or the language text of the prompt id when the text is empty.
    std::wstring GetPromptText() const;
    void SetPromptText(const std::wstring& text);
    void SetPromptTextId(const std::wstring& id);
    void SetFont(const std::wstring& fontId);
    void SetRich(bool rich);
    bool IsRich() const { return rich_; }
    bool IsNumberOnly() const { return numberOnly_; }
    int GetLimitText() const { return limit_; }
    DWORD GetEditStyle() const { return style_; }
    int GetTextVerAlignType() const { return textVerAlign_; }
    CTxtWinHost* GetHost() const { return host_.get(); }

    // --- input (rich_edit_input.cpp) -------------------------------------------------------
    void OnKeyDown(EventArgs* args);
    // Shows the caret and starts its blinking, or hides it.
    void ShowCaret(bool show);
    bool IsCaretShown() const { return caretShown_; }
    // Timers of the text services: WM_TIMER to them every elapse ms until killed.
    void SetTimer(UINT id, UINT elapse);
    void KillTimer(UINT id);
    // Where the text services put the caret, and its size (the host has made a width of 0 the
    // system's).
    void SetCaretPos(int x, int y);
    void SetCaretSize(int width, int height);
    POINT GetCaretPos() const { return caretPos_; }
    SIZE GetCaretSize() const { return caretSize_; }

private:
    // The edit's reference to its host.
    struct HostRelease {
        void operator()(CTxtWinHost* host) const;
    };

    // Edits the style word: set or clear bits.
    void SetStyleBits(DWORD bits, bool set);
    // The "vscrollbar" and "hscrollbar" attributes.
    void SetScrollBarStyle(bool vertical, bool enabled);
    // The area inside the padding and the shown scroll bars.
    RECT GetInnerRect() const;
    RECT GetTextRect() const;
    // Natural height of the text at width, 0 without services.
    LONG NaturalHeight(LONG width) const;
    // WM_VSCROLL or WM_HSCROLL to the services: a thumb position, or a scroll code.
    void SendScroll(UINT message, WORD position);
    void SendScrollCode(UINT message, WORD code);
    // Raises an event of the edit itself; nothing without a window.
    void RaiseEvent(int type, WPARAM wParam = 0, LPARAM lParam = 0);
    // Number-only Ctrl+V: the clipboard's digits replace the selection as one undoable step.
    void PasteDigits();
    void OnFocusChange(bool gained);
    void OnImeStartComposition();
    void OnLinkNotify(ENLINK* link);
    void FillNotifyHeader(NMHDR& header, UINT code) const;
    LRESULT TextLength() const;

    std::unique_ptr<CTxtWinHost, HostRelease> host_;
    bool vScrollBarFixing_ = false;
    bool wantTab_ = true;
    bool wantReturnMsg_ = false;
    bool returnMsgWantCtrl_ = false;
    bool rich_ = false;
    bool readOnly_ = false;
    bool numberOnly_ = false;
    bool initialised_ = false;
    bool caretShown_ = false;
    bool composing_ = false;
    POINT caretPos_{0, 0};
    SIZE caretSize_{0, 0};
    std::wstring fontId_;
    int limit_ = 32767;
    DWORD style_ = ES_MULTILINE;
    int textVerAlign_ = kVerAlignTop;
    std::wstring textColor_;
    std::wstring normalTextColor_;
    std::wstring disabledTextColor_;
    std::wstring promptColor_;
    std::wstring caretColor_;
    std::wstring text_;
    std::wstring promptText_;
    std::wstring promptTextId_;
    kbase::WeakCallbackFlag caretFlag_;
    int lineSpacing_ = -1;
    RECT textPadding_{0, 0, 0, 0};
    std::map<UINT, kbase::WeakCallbackFlag> timers_;
    Image focusedImage_;
};

}  // namespace ui
