#include "ui/control.h"

#include "base/string_util.h"
#include "ui/attribute_values.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/image_info.h"
#include "ui/window.h"

namespace ui {
namespace {

// "stretch", "auto" or a number.
int ParseSizeValue(const std::wstring& value) {
    if (value == L"stretch") return kSizeStretch;
    if (value == L"auto") return kSizeAuto;
    return ParseInt(value);
}

const wchar_t* const kStateColors[4] = {L"normalcolor", L"hotcolor", L"pushedcolor", L"disabledcolor"};
const wchar_t* const kStateImages[4] = {L"normalimage", L"hotimage", L"pushedimage", L"disabledimage"};
const wchar_t* const kForeImages[4] = {L"forenormalimage", L"forehotimage", L"forepushedimage",
                                       L"foredisabledimage"};

}  // namespace

void Control::SetAttribute(const std::wstring& name, const std::wstring& value) {
    DpiManager* dpi = DpiManager::GetInstance();
    int state = -1;
    if (name == L"class") {
        ApplyClass(value);
    } else if (name == L"halign") {
        if (value == L"left") horAlign_ = kHorAlignLeft;
        else if (value == L"center") horAlign_ = kHorAlignCenter;
        else if (value == L"right") horAlign_ = kHorAlignRight;
    } else if (name == L"valign") {
        if (value == L"top") verAlign_ = kVerAlignTop;
        else if (value == L"center") verAlign_ = kVerAlignCenter;
        else if (value == L"bottom") verAlign_ = kVerAlignBottom;
    } else if (name == L"margin") {
        SetMargin(ParseRect(value), true);
    } else if (name == L"bkcolor" || name == L"bkcolor1") {
        std::size_t skip = 0;
        while (skip < value.size() && value[skip] >= 1 && value[skip] <= 32) ++skip;
        SetBkColor(value.substr(skip));
    } else if (name == L"bordersize") {
        if (value.find(L',') != std::wstring::npos) {
            RECT widths = ParseRect(value);
            dpi->ScaleRect(widths);
            borderWidths_ = widths;
            Invalidate();
        } else {
            const int size = dpi->ScaleInt(ParseInt(value));
            if (size != borderSize_) {
                borderSize_ = size;
                Invalidate();
            }
            borderWidths_ = RECT{0, 0, 0, 0};
            Invalidate();
        }
    } else if (name == L"borderround") {
        SetBorderRound(ParseSize(value));
    } else if (name == L"width") {
        SetFixedWidth(ParseSizeValue(value));
    } else if (name == L"height") {
        SetFixedHeight(ParseSizeValue(value));
    } else if (name == L"maxwidth" || name == L"maxheight" || name == L"minwidth" || name == L"minheight") {
        const bool isMin = name[1] == L'i';
        int size = isMin ? ParseInt(value) : ParseSizeValue(value);
        if (isMin && size < 0) return;
        // Only pixel sizes scale: -1 and -2 stay markers at every DPI.
        if (size > 0) size = dpi->ScaleInt(size);
        int& field = name == L"maxwidth" ? maxWidth_ : name == L"maxheight" ? maxHeight_
                   : name == L"minwidth" ? minWidth_ : minHeight_;
        if (size == field) return;
        field = size;
        if (float_) {
            Arrange();
        } else {
            ArrangeAncestor();
        }
    } else if (name == L"state") {
        if (value == L"normal") {
            hotAlpha_ = 0;
            state_ = kControlStateNormal;
        } else if (value == L"hot") {
            hotAlpha_ = 255;
            state_ = kControlStateHot;
        } else if (value == L"pushed") {
            state_ = kControlStatePushed;
        } else if (value == L"disabled") {
            state_ = kControlStateDisabled;
        } else {
            return;
        }
        Invalidate();
    } else if (name == L"cursortype") {
        if (value == L"arrow") cursorType_ = kCursorArrow;
        else if (value == L"hand") cursorType_ = kCursorHand;
        else if (value == L"ibeam") cursorType_ = kCursorIbeam;
    } else if (name == L"renderoffset") {
        const POINT offset = ParsePoint(value);
        renderOffset_ = POINT{dpi->ScaleInt(offset.x), dpi->ScaleInt(offset.y)};
        Invalidate();
    } else if ((state = StateOfAttribute(name, kStateColors)) >= 0) {
        SetStateColor(state, value);
    } else if (name == L"bordercolor") {
        SetBorderColor(value);
    } else if (name == L"leftbordersize" || name == L"topbordersize" || name == L"rightbordersize" ||
               name == L"bottombordersize") {
        const int size = dpi->ScaleInt(ParseInt(value));
        LONG& side = name[0] == L'l' ? borderWidths_.left : name[0] == L't' ? borderWidths_.top
                   : name[0] == L'r' ? borderWidths_.right : borderWidths_.bottom;
        side = size;
        Invalidate();
    } else if (name == L"bkimage") {
        SetBkImage(value);
    } else if (name == L"bkimageadaptlanguage") {
        bkImageAdaptLanguage_ = ParseBool(value);
    } else if (name == L"name") {
        name_ = value;
    } else if (name == L"tooltiptext") {
        SetToolTipText(value);
    } else if (name == L"tooltiptextid") {
        SetToolTipTextId(value);
    } else if (name == L"dataid") {
        SetDataId(value);
    } else if (name == L"enabled") {
        SetEnabled(ParseBool(value));
    } else if (name == L"mouse") {
        SetMouseEnabled(ParseBool(value));
    } else if (name == L"keyboard") {
        SetKeyboardEnabled(ParseBool(value));
    } else if (name == L"visible") {
        SetVisible(ParseBool(value));
    } else if (name == L"fadevisible") {
        SetFadeVisible(ParseBool(value));
    } else if (name == L"float") {
        const bool isFloat = ParseBool(value);
        if (isFloat != float_) {
            float_ = isFloat;
            ArrangeAncestor();
        }
    } else if (name == L"menu") {
        SetContextMenuUsed(ParseBool(value));
    } else if (name == L"cache") {
        useCache_ = ParseBool(value);
    } else if (name == L"nofocus") {
        noFocus_ = true;
    } else if (name == L"alpha") {
        SetAlpha(std::clamp(ParseInt(value), 0, 255));
    } else if ((state = StateOfAttribute(name, kStateImages)) >= 0) {
        SetStateImage(kStateImageBk, state, value);
    } else if ((state = StateOfAttribute(name, kForeImages)) >= 0) {
        SetStateImage(kStateImageFore, state, value);
    } else if (name == L"fadealpha") {
        animationManager_.SetFadeAlpha(ParseBool(value));
    } else if (name == L"fadehot") {
        animationManager_.SetFadeHot(ParseBool(value));
    } else if (name == L"fadewidth") {
        animationManager_.SetFadeWidth(ParseBool(value));
    } else if (name == L"fadeheight") {
        animationManager_.SetFadeHeight(ParseBool(value));
    } else if (name == L"fadeinoutxfromleft" || name == L"fadeinoutxfromright") {
        animationManager_.SetFadeInOutX(ParseBool(value), name == L"fadeinoutxfromright");
    } else if (name == L"fadeinoutyfromtop" || name == L"fadeinoutyfrombottom") {
        animationManager_.SetFadeInOutY(ParseBool(value), name == L"fadeinoutyfrombottom");
    } else if (name == L"receivepointer") {
        receivePointer_ = ParseBool(value);
    } else if (name == L"channel") {
        SetChannel(value);
    }
}

void Control::ApplyAttributeList(const std::wstring& list) {
    std::size_t pos = 0;
    while (pos < list.size()) {
        const std::size_t equals = list.find(L'=', pos);
        if (equals == std::wstring::npos || equals + 1 >= list.size()) return;
        const wchar_t quote = list[equals + 1];
        if (quote != L'"' && quote != L'\'') return;
        const std::size_t close = list.find(quote, equals + 2);
        if (close == std::wstring::npos) return;
        SetAttribute(list.substr(pos, equals - pos), list.substr(equals + 2, close - equals - 2));
        // Pairs are separated by exactly one space.
        if (close + 1 >= list.size() || list[close + 1] != L' ' || close + 2 >= list.size()) return;
        pos = close + 2;
    }
}

void Control::ApplyClass(const std::wstring& classes) {
    for (const std::wstring& name : kbase::SplitByDelimiters(classes, L" ")) {
        std::wstring attributes = GlobalManager::GetClassAttributes(name);
        if (attributes.empty() && window_) attributes = window_->GetClassAttributes(name);
        if (!attributes.empty()) ApplyAttributeList(attributes);
    }
}

void Control::SetStateColor(int state, const std::wstring& colorName) {
    if (stateColors_.HasColor(state) && stateColors_.GetColor(state) == colorName) return;
    if (state == kControlStateHot) animationManager_.SetFadeHot(true);
    stateColors_.SetColor(state, colorName);
    Invalidate();
}

void Control::SetBkColor(const std::wstring& colorName) {
    if (colorName == bkColor_) return;
    bkColor_ = colorName;
    Invalidate();
}

void Control::SetBorderColor(const std::wstring& colorName) {
    if (colorName == borderColor_) return;
    borderColor_ = colorName;
    Invalidate();
}

std::wstring Control::GetStateImage(int kind, int state) {
    const Image* image = stateImages_[kind].GetImage(state);
    return image ? image->attribute : std::wstring();
}

void Control::SetStateImage(int kind, int state, const std::wstring& attribute) {
    if (state == kControlStateHot) animationManager_.SetFadeHot(true);
    stateImages_[kind].SetImage(state, attribute);
    if (kind == kStateImageBk && (fixedWidth_ == kSizeAuto || fixedHeight_ == kSizeAuto)) {
        ArrangeAncestor();
    } else {
        Invalidate();
    }
}

void Control::SetBkImage(const std::wstring& attribute) {
    StopBkImageAnimation();
    bkImage_.ReleaseCache();
    bkImage_.Clear();
    bkImage_.attribute = attribute;
    bkImage_.file = attribute;
    bkImage_.ParseAttribute(attribute);
    framesAutoPlay_ = bkImage_.playCount != 0;
    if (fixedWidth_ == kSizeAuto || fixedHeight_ == kSizeAuto) {
        ArrangeAncestor();
    } else {
        Invalidate();
    }
}

void Control::SetBorderRound(SIZE round) {
    DpiManager::GetInstance()->ScaleSize(round);
    borderRound_ = round;
    Invalidate();
}

void Control::SetChannel(const std::wstring& channels) {
    channels_ = channels;
    const std::wstring current = GlobalManager::GetCurrentChannel();
    bool listed = false;
    for (const std::wstring& channel : kbase::SplitByDelimiters(channels, L" ")) {
        if (channel == current) listed = true;
    }
    if (!listed) SetFadeVisible(false);
    Invalidate();
}

}  // namespace ui
