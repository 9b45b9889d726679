#include "ui/text_style.h"

namespace ui {

UINT ApplyAlignWords(UINT style, const std::wstring& words) {
    const auto has = [&words](const wchar_t* word) { return words.find(word) != std::wstring::npos; };
    if (has(L"left")) style &= ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    if (has(L"center")) style = (style & ~DT_RIGHT) | DT_CENTER;
    if (has(L"right")) style = (style & ~(DT_CENTER | DT_VCENTER | DT_SINGLELINE)) | DT_RIGHT;
    if (has(L"top")) style = (style & ~(DT_VCENTER | DT_BOTTOM)) | DT_SINGLELINE;
    if (has(L"vcenter")) style = (style & ~DT_BOTTOM) | DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (has(L"bottom")) style = (style & ~DT_VCENTER) | DT_BOTTOM | DT_SINGLELINE;
    return style;
}

UINT WithSingleLine(UINT style, bool singleLine) {
    return singleLine ? style | DT_SINGLELINE : style & ~static_cast<UINT>(DT_SINGLELINE);
}

}  // namespace ui
