// The edit's life, skin attributes and texts.
#include "ui/rich_edit.h"

#include <vector>

#include "base/string_conversions.h"
#include "ui/attribute_values.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/language_table.h"
#include "ui/layout.h"
#include "ui/txt_win_host.h"
#include "ui/window.h"

namespace ui {
namespace {

constexpr wchar_t kDefaultTextColor[] = L"textdefaultcolor";
constexpr DWORD kVScrollStyle = WS_VSCROLL | ES_DISABLENOSCROLL;
constexpr DWORD kHScrollStyle = WS_HSCROLL | ES_DISABLENOSCROLL;
// The number-only edit shares ES_DISABLENOSCROLL's bit, as the skins have always had it.
constexpr DWORD kNumberStyle = ES_DISABLENOSCROLL;
constexpr WORD kUnicodeCodePage = 1200;
constexpr BYTE kLineSpacingRuleTwips = 4;

// Colour names in the skins may start with blanks.
std::wstring SkipLeadingBlanks(const std::wstring& value) {
    std::size_t start = 0;
    while (start < value.size() && value[start] <= L' ') ++start;
    return value.substr(start);
}

COLORREF ArgbToColorRef(DWORD argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// A text read into a buffer of count characters: up to its first zero.
std::wstring UpToTerminator(const std::vector<wchar_t>& buffer) {
    std::size_t length = 0;
    while (length < buffer.size() && buffer[length] != L'\0') ++length;
    return std::wstring(buffer.data(), length);
}

}  // namespace

void RichEdit::HostRelease::operator()(CTxtWinHost* host) const {
    host->Release();
}

RichEdit::RichEdit()
    : ScrollableBox(new Layout),
      textColor_(kDefaultTextColor),
      normalTextColor_(kDefaultTextColor),
      disabledTextColor_(kDefaultTextColor) {}

RichEdit::~RichEdit() {
    // The services go first: they may still call the host, which calls this edit.
    host_.reset();
    for (auto& [id, flag] : timers_) flag.Cancel();
    caretFlag_.Cancel();
}

void RichEdit::DoInit() {
    if (initialised_) return;
    CREATESTRUCTW create{};
    create.style = static_cast<LONG>(style_);
    create.lpszName = text_.c_str();
    host_.reset(new CTxtWinHost);
    // Before the start too: Wine's services read the back style only while they are created.
    host_->SetTransparent(true);
    if (!host_->Init(this, &create)) host_.reset();

    if (host_) {
        host_->SetTransparent(true);
        TxSendMessage(EM_SETLANGOPTIONS, 0, 0, nullptr);
        TxSendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE, nullptr);
        host_->ActivateInPlace();
    }
    CTxtWinHost::HideScrollBar(GetHorizontalScrollBar());
    CTxtWinHost::HideScrollBar(GetVerticalScrollBar());

    if (lineSpacing_ >= 0) {
        PARAFORMAT2 format{};
        format.cbSize = sizeof(format);
        format.dwMask = PFM_LINESPACING;
        format.bLineSpacingRule = kLineSpacingRuleTwips;
        format.dyLineSpacing = lineSpacing_;
        LRESULT result = 0;
        TxSendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format), &result);
        if (result == 1 && host_) host_->SetParaFormat(format);
    }
    initialised_ = true;
}

HRESULT RichEdit::TxSendMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) const {
    if (result) *result = 0;
    ITextServices* services = host_ ? host_->GetTextServices() : nullptr;
    if (!services) return S_FALSE;
    LRESULT answer = 0;
    const HRESULT status = services->TxSendMessage(message, wParam, lParam, &answer);
    if (result) *result = answer;
    return status;
}

// --- attributes --------------------------------------------------------------------------------

void RichEdit::SetStyleBits(DWORD bits, bool set) {
    style_ = set ? style_ | bits : style_ & ~bits;
}

void RichEdit::SetScrollBarStyle(bool vertical, bool enabled) {
    const DWORD own = vertical ? WS_VSCROLL : WS_HSCROLL;
    const DWORD other = vertical ? WS_HSCROLL : WS_VSCROLL;
    if (enabled) {
        SetStyleBits(own | ES_DISABLENOSCROLL, true);
    } else {
        SetStyleBits(own, false);
        if (!(style_ & other)) SetStyleBits(ES_DISABLENOSCROLL, false);
    }
    const bool hasVertical = GetVerticalScrollBar() != nullptr;
    const bool hasHorizontal = GetHorizontalScrollBar() != nullptr;
    EnableScrollBar(vertical ? enabled : hasVertical, vertical ? hasHorizontal : enabled);
}

void RichEdit::SetAttribute(const std::wstring& name, const std::wstring& value) {
    const bool isTrue = value == L"true";
    const bool isFalse = value == L"false";
    if (name == L"vscrollbar") {
        SetScrollBarStyle(true, isTrue);
    } else if (name == L"hscrollbar") {
        SetScrollBarStyle(false, isTrue);
    } else if (name == L"autovscroll") {
        if (isTrue || isFalse) SetStyleBits(ES_AUTOVSCROLL, isTrue);
    } else if (name == L"autohscroll") {
        if (isTrue || isFalse) SetStyleBits(ES_AUTOHSCROLL, isTrue);
    } else if (name == L"multiline") {
        if (isTrue || isFalse) SetStyleBits(ES_MULTILINE, isTrue);
    } else if (name == L"linespace") {
        lineSpacing_ = ParseInt(value);
    } else if (name == L"textpadding") {
        RECT padding = ParseRect(value);
        DpiManager::GetInstance()->ScaleRect(padding);
        textPadding_ = padding;
        if (GetFixedWidth() == kSizeAuto || GetFixedHeight() == kSizeAuto) ArrangeAncestor();
        else Invalidate();
    } else if (name == L"readonly") {
        if (isTrue || isFalse) {
            SetStyleBits(ES_READONLY, isTrue);
            readOnly_ = isTrue;
        }
    } else if (name == L"password") {
        if (isTrue || isFalse) SetStyleBits(ES_PASSWORD, isTrue);
    } else if (name == L"number") {
        if (isTrue || isFalse) {
            SetStyleBits(kNumberStyle, isTrue);
            numberOnly_ = isTrue;
        }
    } else if (name == L"align") {
        if (value.find(L"left") != std::wstring::npos) SetStyleBits(ES_CENTER | ES_RIGHT, false);
        if (value.find(L"hcenter") != std::wstring::npos) {
            SetStyleBits(ES_RIGHT, false);
            SetStyleBits(ES_CENTER, true);
        }
        if (value.find(L"right") != std::wstring::npos) {
            SetStyleBits(ES_CENTER, false);
            SetStyleBits(ES_RIGHT, true);
        }
        if (value.find(L"top") != std::wstring::npos) textVerAlign_ = kVerAlignTop;
        if (value.find(L"vcenter") != std::wstring::npos) textVerAlign_ = kVerAlignCenter;
        if (value.find(L"bottom") != std::wstring::npos) textVerAlign_ = kVerAlignBottom;
    } else if (name == L"normaltextcolor") {
        normalTextColor_ = SkipLeadingBlanks(value);
        if (IsEnabled()) SetTextColor(normalTextColor_);
    } else if (name == L"disabledtextcolor") {
        disabledTextColor_ = SkipLeadingBlanks(value);
        if (!IsEnabled()) SetTextColor(disabledTextColor_);
    } else if (name == L"caretcolor") {
        caretColor_ = SkipLeadingBlanks(value);
    } else if (name == L"promptmode") {
        // Accepted for older skins; there is one prompt mode.
    } else if (name == L"promptcolor") {
        promptColor_ = SkipLeadingBlanks(value);
    } else if (name == L"prompttext") {
        SetPromptText(value);
    } else if (name == L"prompttextid") {
        SetPromptTextId(value);
    } else if (name == L"focusedimage") {
        focusedImage_.ReleaseCache();
        focusedImage_.Clear();
        focusedImage_.attribute = value;
        focusedImage_.ParseAttribute(value);
        Invalidate();
    } else if (name == L"font") {
        SetFont(value);
    } else if (name == L"text") {
        SetText(value);
    } else if (name == L"textid") {
        SetText(LanguageTable::GetInstance().GetText(value));
    } else if (name == L"wanttab") {
        wantTab_ = isTrue;
    } else if (name == L"wantreturnmsg") {
        wantReturnMsg_ = isTrue;
    } else if (name == L"returnmsgwantctrl") {
        returnMsgWantCtrl_ = isTrue;
    } else if (name == L"rich") {
        SetRich(isTrue);
    } else {
        ScrollableBox::SetAttribute(name, value);
    }
}

void RichEdit::SetFont(const std::wstring& fontId) {
    fontId_ = fontId;
    if (!host_) return;
    if (const FontInfo* font = GlobalManager::GetFont(fontId_)) host_->SetFont(font->hFont);
}

void RichEdit::SetRich(bool rich) {
    rich_ = rich;
    if (host_) host_->SetRichText(rich);
}

void RichEdit::SetTextColor(const std::wstring& colorName) {
    if (colorName == textColor_) return;
    textColor_ = colorName;
    if (host_) host_->SetTextColor(ArgbToColorRef(GlobalManager::GetTextColor(textColor_)));
}

void RichEdit::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    state_ = enabled ? kControlStateNormal : kControlStateDisabled;
    SetTextColor(enabled ? normalTextColor_ : disabledTextColor_);
    Invalidate();
}

// --- texts --------------------------------------------------------------------------------------

void RichEdit::SetText(const std::wstring& text) {
    text_ = text;
    if (!initialised_) return;
    CHARRANGE all{0, -1};
    TxSendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all), nullptr);
    TxSendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()), nullptr);
}

LRESULT RichEdit::TextLength() const {
    GETTEXTLENGTHEX query{GTL_DEFAULT, kUnicodeCodePage};
    LRESULT length = 0;
    TxSendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0, &length);
    return length > 0 ? length : 0;
}

std::wstring RichEdit::GetText() const {
    const LRESULT length = TextLength();
    if (length == 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    GETTEXTEX query{};
    query.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    query.flags = GT_DEFAULT;
    query.codepage = kUnicodeCodePage;
    TxSendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query), reinterpret_cast<LPARAM>(buffer.data()), nullptr);
    return UpToTerminator(buffer);
}

std::string RichEdit::GetUTF8Text() const {
    std::string utf8;
    kbase::WideToUtf8(GetText(), utf8);
    return utf8;
}

void RichEdit::SetUTF8Text(const std::string& text) {
    std::wstring wide;
    kbase::Utf8ToWide(text.c_str(), wide);
    SetText(wide);
}

std::wstring RichEdit::GetSelText() const {
    if (!host_) return std::wstring();
    CHARRANGE range{0, 0};
    TxSendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range), nullptr);
    if (range.cpMax <= range.cpMin) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(range.cpMax - range.cpMin) + 1, L'\0');
    TxSendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()), nullptr);
    return UpToTerminator(buffer);
}

void RichEdit::GetCharFormat(CHARFORMAT2W& format) const {
    format = CHARFORMAT2W{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_OFFSET | CFM_CHARSET;
    format.crTextColor = ArgbToColorRef(GlobalManager::GetTextColor(textColor_));
    LOGFONTW font{};
    const FontInfo* info = GlobalManager::GetFont(fontId_);
    if (!info || !info->hFont || !::GetObjectW(info->hFont, sizeof(font), &font)) return;
    const HDC dc = window_ ? window_->GetPaintDC() : nullptr;
    FillCharFormatFont(format, font, PixelsPerInch(dc, LOGPIXELSY), true);
}

std::wstring RichEdit::GetPromptText() const {
    if (promptText_.empty() && !promptTextId_.empty()) return LanguageTable::GetInstance().GetText(promptTextId_);
    return promptText_;
}

void RichEdit::SetPromptText(const std::wstring& text) {
    if (promptText_ == text) return;
    promptText_ = text;
    Invalidate();
}

void RichEdit::SetPromptTextId(const std::wstring& id) {
    if (promptTextId_ == id) return;
    promptTextId_ = id;
    Invalidate();
}

}  // namespace ui
