#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/box.h"
#include "ui/control.h"
#include "ui/state_color_map.h"

namespace ui {

class ITextEffect;

// Text drawn over a control: font, colour per state, DrawText style bits, padding, and an
// optional outline or gradient effect. One template serves both bases: over Control for leaf
// widgets ("Label"), over Box for widgets that also hold children ("LabelBox"). The leaf form
// sizes itself to its text; the box form stretches and measures its children.
template <class B>
class LabelTemplate : public B {
public:
    // DT_END_ELLIPSIS | DT_NOCLIP | DT_SINGLELINE, left and top.
    static constexpr UINT kDefaultTextStyle = 0x8120;

    LabelTemplate();
    ~LabelTemplate() override;

    // The text; when it is empty, the language text of the text id.
    virtual std::wstring GetText() const;
    virtual std::string GetUTF8Text() const;
    virtual void SetText(const std::wstring& text);
    virtual void SetUTF8Text(const std::string& text);
    // A text given directly keeps priority over the id unless clearText empties it.
    virtual void SetTextId(const std::wstring& id, bool clearText);
    virtual std::wstring GetTextId() const { return textId_; }
    virtual void SetUTF8TextId(const std::string& id, bool clearText);
    // Colours are names of the global colour table.
    virtual void SetTextOutline(const std::wstring& color1, const std::wstring& color2, int width, bool gradient);
    virtual void SetTextFillGradient(const std::wstring& color1, const std::wstring& color2, float widthRatio,
                                     float heightRatio);
    // Extra width per character of the effect; no effect without an outline or gradient.
    virtual void SetTextEffectParam(int value);

    UINT GetTextStyle() const { return textStyle_; }
    void SetTextStyle(UINT style);
    RECT GetTextPadding() const { return textPadding_; }
    void SetTextPadding(RECT padding, bool scaleForDpi = true);
    const std::wstring& GetFont() const { return fontId_; }
    void SetFont(const std::wstring& fontId);
    const std::wstring& GetStateTextColor(int state) const { return textColors_.GetColor(state); }
    void SetStateTextColor(int state, const std::wstring& colorName);
    bool IsSingleLine() const { return singleLine_; }
    void SetSingleLine(bool singleLine);
    bool IsLineLimit() const { return lineLimit_; }
    void SetLineLimit(bool lineLimit);

    SIZE EstimateText(SIZE available, bool& reEstimate) override;
    bool HasHotState() override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void PaintText(IRenderContext* context) override;
    void Activate() override;

protected:
    // Measures again (auto size) or repaints, after a change of text or padding.
    void ArrangeOrInvalidate();
    // The control's rectangle less the text padding.
    RECT GetTextRect() const;
    // DT_SINGLELINE as the single-line setting says.
    void SyncSingleLineStyle();
    void DrawTextOnce(IRenderContext* context, const RECT& rect, const std::wstring& text, DWORD color, BYTE alpha);
    ITextEffect* EnsureTextEffect();

    std::wstring fontId_;
    UINT textStyle_ = kDefaultTextStyle;
    bool singleLine_ = true;
    bool lineLimit_ = false;
    RECT textPadding_{0, 0, 0, 0};
    std::wstring text_;
    std::wstring textId_;
    StateColorMap textColors_;
    std::unique_ptr<ITextEffect> textEffect_;

private:
    void InitLabel();
};

// Each base constructs differently: the leaf sizes to its text, the box takes a plain layout.
template <>
LabelTemplate<Control>::LabelTemplate();
template <>
LabelTemplate<Box>::LabelTemplate();

extern template class LabelTemplate<Control>;
extern template class LabelTemplate<Box>;

using Label = LabelTemplate<Control>;
using LabelBox = LabelTemplate<Box>;

}  // namespace ui
