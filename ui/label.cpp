#include "ui/label.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "base/string_conversions.h"
#include "base/string_util.h"
#include "ui/attribute_values.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/language_table.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"
#include "ui/render/text_effect.h"
#include "ui/text_style.h"
#include "ui/window.h"

namespace ui {
namespace {

std::vector<std::wstring> SplitAtCommas(const std::wstring& value) {
    const auto pieces = kbase::SplitByDelimiters(value, L",");
    return std::vector<std::wstring>(pieces.begin(), pieces.end());
}

// The characters of the longest line of a text.
std::size_t LongestLine(const std::wstring& text) {
    std::size_t longest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

}  // namespace

template <>
LabelTemplate<Control>::LabelTemplate() {
    InitLabel();
    fixedWidth_ = kSizeAuto;
    fixedHeight_ = kSizeAuto;
}

template <>
LabelTemplate<Box>::LabelTemplate() : Box(nullptr) {
    InitLabel();
}

template <class B>
LabelTemplate<B>::~LabelTemplate() = default;

template <class B>
void LabelTemplate<B>::InitLabel() {
    textColors_.SetOwner(this);
    textColors_.SetColor(kControlStateNormal, GlobalManager::GetDefaultTextColor());
    textColors_.SetColor(kControlStateDisabled, GlobalManager::GetDefaultDisabledTextColor());
}

// --- text ---------------------------------------------------------------------------------------

template <class B>
std::wstring LabelTemplate<B>::GetText() const {
    if (text_.empty() && !textId_.empty()) return LanguageTable::GetInstance().GetText(textId_);
    return text_;
}

template <class B>
std::string LabelTemplate<B>::GetUTF8Text() const {
    std::string utf8;
    kbase::WideToCodePage(GetText(), utf8, CP_UTF8);
    return utf8;
}

template <class B>
void LabelTemplate<B>::SetText(const std::wstring& text) {
    if (text == text_) return;
    text_ = text;
    ArrangeOrInvalidate();
}

template <class B>
void LabelTemplate<B>::SetUTF8Text(const std::string& text) {
    std::wstring wide;
    kbase::CodePageToWide(text, wide, CP_UTF8);
    SetText(wide);
}

template <class B>
void LabelTemplate<B>::SetTextId(const std::wstring& id, bool clearText) {
    if (id == textId_ && !clearText) return;
    textId_ = id;
    if (clearText) text_.clear();
    ArrangeOrInvalidate();
}

template <class B>
void LabelTemplate<B>::SetUTF8TextId(const std::string& id, bool clearText) {
    std::wstring wide;
    kbase::CodePageToWide(id, wide, CP_UTF8);
    SetTextId(wide, clearText);
}

// --- look ---------------------------------------------------------------------------------------

template <class B>
ITextEffect* LabelTemplate<B>::EnsureTextEffect() {
    if (!textEffect_) textEffect_.reset(GlobalManager::GetRenderFactory()->CreateTextEffect());
    return textEffect_.get();
}

template <class B>
void LabelTemplate<B>::SetTextOutline(const std::wstring& color1, const std::wstring& color2, int width,
                                      bool gradient) {
    if (ITextEffect* effect = EnsureTextEffect()) {
        effect->SetOutline(GlobalManager::GetTextColor(color1), GlobalManager::GetTextColor(color2), width, gradient);
    }
}

template <class B>
void LabelTemplate<B>::SetTextFillGradient(const std::wstring& color1, const std::wstring& color2, float widthRatio,
                                           float heightRatio) {
    if (ITextEffect* effect = EnsureTextEffect()) {
        effect->SetFillGradient(GlobalManager::GetTextColor(color1), GlobalManager::GetTextColor(color2), widthRatio,
                                heightRatio);
    }
}

template <class B>
void LabelTemplate<B>::SetTextEffectParam(int value) {
    if (textEffect_) textEffect_->SetLetterSpacing(value);
}

template <class B>
void LabelTemplate<B>::SetTextStyle(UINT style) {
    textStyle_ = style;
    this->Invalidate();
}

template <class B>
void LabelTemplate<B>::SetTextPadding(RECT padding, bool scaleForDpi) {
    if (scaleForDpi) DpiManager::GetInstance()->ScaleRect(padding);
    textPadding_ = padding;
    ArrangeOrInvalidate();
}

template <class B>
void LabelTemplate<B>::SetFont(const std::wstring& fontId) {
    fontId_ = fontId;
    this->Invalidate();
}

template <class B>
void LabelTemplate<B>::SetStateTextColor(int state, const std::wstring& colorName) {
    if (state == kControlStateHot) this->animationManager_.SetFadeHot(true);
    textColors_.SetColor(state, colorName);
    this->Invalidate();
}

template <class B>
void LabelTemplate<B>::SetSingleLine(bool singleLine) {
    if (singleLine_ == singleLine) return;
    singleLine_ = singleLine;
    this->Invalidate();
}

template <class B>
void LabelTemplate<B>::SetLineLimit(bool lineLimit) {
    if (lineLimit_ == lineLimit) return;
    lineLimit_ = lineLimit;
    this->Invalidate();
}

template <class B>
bool LabelTemplate<B>::HasHotState() {
    return textColors_.HasColor(kControlStateHot) || B::HasHotState();
}

template <class B>
void LabelTemplate<B>::SetAttribute(const std::wstring& name, const std::wstring& value) {
    static const wchar_t* const kTextColors[4] = {L"normaltextcolor", L"hottextcolor", L"pushedtextcolor",
                                                  L"disabledtextcolor"};
    const int state = StateOfAttribute(name, kTextColors);
    if (state >= 0) {
        SetStateTextColor(state, value);
    } else if (name == L"align") {
        textStyle_ = ApplyAlignWords(textStyle_, value);
    } else if (name == L"endellipsis") {
        textStyle_ = ParseBool(value) ? textStyle_ | DT_END_ELLIPSIS : textStyle_ & ~static_cast<UINT>(DT_END_ELLIPSIS);
    } else if (name == L"linelimit") {
        SetLineLimit(ParseBool(value));
    } else if (name == L"singleline") {
        SetSingleLine(ParseBool(value));
    } else if (name == L"text") {
        SetText(value);
    } else if (name == L"textid") {
        SetTextId(value, false);
    } else if (name == L"font") {
        SetFont(value);
    } else if (name == L"textpadding") {
        SetTextPadding(ParseRect(value));
    } else if (name == L"gradient_text") {
        const std::vector<std::wstring> items = SplitAtCommas(value);
        if (items.size() < 4) return;
        SetTextFillGradient(items[0], items[1], static_cast<float>(std::wcstod(items[2].c_str(), nullptr)),
                            static_cast<float>(std::wcstod(items[3].c_str(), nullptr)));
        if (items.size() == 5) SetTextEffectParam(ParseInt(items[4]));
    } else if (name == L"gradient_outline") {
        const std::vector<std::wstring> items = SplitAtCommas(value);
        if (items.size() < 3) return;
        const bool gradient = items.size() == 3 || (items[3] != L"false" && items[3] != L"0");
        SetTextOutline(items[0], items[1], ParseInt(items[2]), gradient);
    } else {
        B::SetAttribute(name, value);
    }
}

// --- measuring and painting ----------------------------------------------------------------------

template <class B>
void LabelTemplate<B>::ArrangeOrInvalidate() {
    if (this->fixedWidth_ == kSizeAuto || this->fixedHeight_ == kSizeAuto) {
        this->ArrangeAncestor();
    } else {
        this->Invalidate();
    }
}

template <class B>
RECT LabelTemplate<B>::GetTextRect() const {
    const RECT& r = this->rect_;
    return RECT{r.left + textPadding_.left, r.top + textPadding_.top, r.right - textPadding_.right,
                r.bottom - textPadding_.bottom};
}

template <class B>
void LabelTemplate<B>::SyncSingleLineStyle() {
    textStyle_ = WithSingleLine(textStyle_, singleLine_);
}

template <class B>
SIZE LabelTemplate<B>::EstimateText(SIZE available, bool& reEstimate) {
    SyncSingleLineStyle();
    const int widthLimit = this->fixedWidth_ >= 0 ? this->fixedWidth_ : 0;
    SIZE result{0, 0};
    const std::wstring text = GetText();
    IRenderContext* context = this->window_ ? this->window_->GetRenderContext() : nullptr;
    if (text.empty() || !context) return result;

    const int paddingX = textPadding_.left + textPadding_.right;
    const int paddingY = textPadding_.top + textPadding_.bottom;
    RECT measured = context->MeasureText(text, fontId_, textStyle_, widthLimit);
    if (this->fixedWidth_ == kSizeAuto) result.cx = paddingX + (measured.right - measured.left);
    if (this->fixedHeight_ == kSizeAuto) {
        if (!singleLine_ && this->fixedWidth_ == kSizeAuto && this->maxWidth_ == kSizeStretch) {
            // The height of wrapped text depends on the width the layout offers this time.
            reEstimate = true;
            const int room = available.cx - paddingX;
            if (measured.right - measured.left > room) measured = context->MeasureText(text, fontId_, textStyle_, room);
        }
        result = SIZE{paddingX + (measured.right - measured.left), paddingY + (measured.bottom - measured.top)};
    }
    if (textEffect_) {
        const std::size_t characters = singleLine_ ? text.size() : LongestLine(text);
        result.cx += textEffect_->GetLetterSpacing() * static_cast<int>(characters);
    }
    return result;
}

template <class B>
void LabelTemplate<B>::DrawTextOnce(IRenderContext* context, const RECT& rect, const std::wstring& text, DWORD color,
                                    BYTE alpha) {
    if (textEffect_) {
        context->DrawText(rect, text, color, fontId_, textStyle_, textEffect_.get(), lineLimit_);
    } else {
        context->DrawText(rect, text, color, fontId_, textStyle_, alpha, lineLimit_);
    }
}

template <class B>
void LabelTemplate<B>::PaintText(IRenderContext* context) {
    const std::wstring text = GetText();
    if (text.empty()) return;
    const RECT rect = GetTextRect();
    const int state = textColors_.ResolveState(this->state_);
    SyncSingleLineStyle();

    const bool hotFade = this->animationManager_.GetAnimationPlayer(kAnimationHot) != nullptr;
    if (hotFade && (state == kControlStateNormal || state == kControlStateHot) &&
        textColors_.HasColor(kControlStateHot)) {
        if (textColors_.HasColor(kControlStateNormal)) {
            DrawTextOnce(context, rect, text, GlobalManager::GetTextColor(textColors_.GetColor(kControlStateNormal)), 255);
        }
        if (this->hotAlpha_ > 0) {
            DrawTextOnce(context, rect, text, GlobalManager::GetTextColor(textColors_.GetColor(kControlStateHot)),
                         static_cast<BYTE>(this->hotAlpha_));
        }
        return;
    }
    DrawTextOnce(context, rect, text, GlobalManager::GetTextColor(textColors_.GetColor(state)), 255);
}

template <class B>
void LabelTemplate<B>::Activate() {
    if (!this->IsActivatable() || !this->window_) return;
    Control::SendEvent(this, kEventClick);
}

template class LabelTemplate<Control>;
template class LabelTemplate<Box>;

}  // namespace ui
