#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "base/weak_callback.h"
#include "ui/animation_manager.h"
#include "ui/event_args.h"
#include "ui/image.h"
#include "ui/place_holder.h"
#include "ui/state_color_map.h"
#include "ui/state_image_map.h"

namespace ui {

class IRenderContext;

enum ControlState { kControlStateNormal = 0, kControlStateHot = 1, kControlStatePushed = 2, kControlStateDisabled = 3 };
enum CursorType { kCursorArrow = 0, kCursorHand = 1, kCursorIbeam = 2 };

// Kinds of a control's state images.
enum StateImageKind { kStateImageBk = 0, kStateImageFore = 1 };

// Flags of FindControl.
enum FindFlags : UINT {
    kFindVisible = 0x00000001,
    kFindEnabled = 0x00000002,
    kFindHitTest = 0x00000004,
    kFindTopFirst = 0x00000008,
    kFindMeFirst = 0x80000000,
};
using FindControlCallback = Control* (*)(Control* control, void* data);

// The base of every widget: no window handle of its own; it lives in one window's control
// tree under a parent box, takes its look from skin attributes, paints into a render context,
// receives events and owns its animations. UI thread only.
class Control : public PlaceHolder {
public:
    Control();
    ~Control() override;

    // --- geometry -------------------------------------------------------------------------
    SIZE EstimateSize(SIZE available) override;
    RECT GetPos(bool containShadow = true) const override;
    void SetPos(RECT rect) override;
    virtual RECT GetMargin() const { return margin_; }
    virtual void SetMargin(RECT margin, bool scaleForDpi = true);
    // Text controls measure their text here; reEstimate may be set again when the text size
    // depends on a width not known yet.
    virtual SIZE EstimateText(SIZE available, bool& reEstimate);
    virtual bool ContainsPoint(POINT point) const;
    // A scrolled container answers for its scroll bars: whether one with a range is there
    // (only the vertical one when asked), and the content's scroll position.
    virtual bool HasScrollBarRange(bool /*verticalOnly*/) const { return false; }
    virtual SIZE GetContentScrollPos() const { return SIZE{0, 0}; }
    virtual Image* GetBkImage();

    // --- attributes ---------------------------------------------------------------------
    virtual void SetAttribute(const std::wstring& name, const std::wstring& value);
    void ApplyAttributeList(const std::wstring& list);
    void ApplyClass(const std::wstring& classes);
    void SetStateColor(int state, const std::wstring& colorName);
    void SetBkColor(const std::wstring& colorName);
    const std::wstring& GetBkColor() const { return bkColor_; }
    void SetBorderColor(const std::wstring& colorName);
    void SetBkImage(const std::wstring& attribute);
    void SetStateImage(int kind, int state, const std::wstring& attribute);
    // The attribute string of a state image of a kind; empty when the state has none.
    std::wstring GetStateImage(int kind, int state);
    void SetBorderRound(SIZE round);
    void SetChannel(const std::wstring& channels);

    // --- visibility, state, focus ---------------------------------------------------------
    virtual void SetFadeVisible(bool visible);
    virtual void SetInternalVisible(bool visible);
    virtual void SetVisible(bool visible);
    virtual bool IsEnabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    virtual bool IsMouseEnabled() const { return mouseEnabled_; }
    virtual void SetMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
    virtual bool IsKeyboardEnabled() const { return keyboardEnabled_; }
    virtual void SetKeyboardEnabled(bool enabled) { keyboardEnabled_ = enabled; }
    virtual bool IsFocused() const { return focused_; }
    virtual void SetFocus();
    virtual bool IsTabStop() const { return true; }
    // A control that takes the Tab key itself while it has the focus (a rich edit may).
    virtual bool IsWantTab() const { return false; }
    // Buttons and edit boxes stay clickable inside a window's caption band, where other
    // controls drag the window.
    virtual bool IsCaptionClickable() const { return false; }
    virtual bool IsMouseFocused() const { return mouseFocused_; }
    virtual void SetMouseFocused(bool focused) { mouseFocused_ = focused; }
    virtual bool IsActivatable() const { return IsVisible() && IsEnabled(); }
    virtual void Activate() {}
    virtual bool HasHotState();
    int GetState() const { return state_; }
    void SetState(int state) { state_ = state; }
    bool IsNoFocus() const { return noFocus_; }
    bool IsContextMenuUsed() const { return contextMenuUsed_; }
    void SetContextMenuUsed(bool used) { contextMenuUsed_ = used; }
    bool IsReceivePointerMsg() const { return receivePointer_; }
    bool NeedButtonUpWhenKillFocus() const { return buttonUpOnFocusLoss_; }
    void SetNeedButtonUpWhenKillFocus(bool need) { buttonUpOnFocusLoss_ = need; }
    int GetCursorType() const { return cursorType_; }

    // --- texts and data -------------------------------------------------------------------
    std::wstring GetToolTipText() const;
    std::string GetUTF8ToolTipText() const;
    void SetToolTipText(const std::wstring& text);
    void SetUTF8ToolTipText(const std::string& text);
    void SetToolTipTextId(const std::wstring& id);
    void SetUTF8ToolTipTextId(const std::string& id);
    void SetToolTipWidth(int width);
    int GetToolTipWidth() const { return tooltipWidth_; }
    const std::wstring& GetDataId() const { return dataId_; }
    std::string GetUTF8DataId() const;
    void SetDataId(const std::wstring& id) { dataId_ = id; }
    void SetUTF8DataId(const std::string& id);
    kbase::SupportWeakCallback* GetUserData() const { return userData_.get(); }
    void SetUserData(std::unique_ptr<kbase::SupportWeakCallback> data) { userData_ = std::move(data); }

    // --- animation targets ----------------------------------------------------------------
    int GetAlpha() const { return alpha_; }
    void SetAlpha(int alpha);
    int GetHotAlpha() const { return hotAlpha_; }
    void SetHotAlpha(int alpha);
    POINT GetRenderOffset() const { return renderOffset_; }
    void SetRenderOffsetX(int x);
    void SetRenderOffsetY(int y);
    AnimationManager& GetAnimationManager() { return animationManager_; }

    // --- searching ------------------------------------------------------------------------
    virtual Control* FindControl(FindControlCallback callback, void* data, UINT flags, SIZE offset = {0, 0});

    // --- events ---------------------------------------------------------------------------
    std::vector<EventCallback>& EventMapAt(int type) { return codeEvents_[type]; }
    void AttachXmlEvent(int type, EventCallback callback) { xmlEvents_[type].push_back(std::move(callback)); }
    void AttachFrameEvent(EventCallback callback) { frameEvents_[1].push_back(std::move(callback)); }
    static void SendEvent(Control* control, int type, WPARAM wParam = 0, LPARAM lParam = 0, wchar_t key = 0,
                          POINT mouse = {0, 0}, float pressure = 0.0f);
    // Calls the handlers in order until one returns false (the result then). Runs over a copy,
    // so handlers may attach or detach handlers; with an owner, stops once the owner is gone.
    static bool FireCallbacks(const std::vector<EventCallback>& callbacks, EventArgs* args);
    static bool FireCallbacks(const std::vector<EventCallback>& callbacks, EventArgs* args,
                              const std::weak_ptr<kbase::WeakFlag>& owner);
    virtual void DispatchEvent(EventArgs* args);
    virtual void HandleEvent(EventArgs* args);
    virtual bool MouseEnter(EventArgs* args);
    virtual bool MouseLeave(EventArgs* args);
    virtual bool ButtonDown(EventArgs* args);
    virtual bool ButtonUp(EventArgs* args);
    // Bound by the skin builder to event elements with a receiver and an attribute list.
    bool OnApplyAttributeList(const std::wstring& receiver, const std::wstring& list, EventArgs* args);

    // --- painting -------------------------------------------------------------------------
    virtual void AlphaPaint(IRenderContext* context, const RECT& dirty);
    virtual void Paint(IRenderContext* context, const RECT& dirty);
    virtual void PaintChild(IRenderContext* /*context*/, const RECT& /*dirty*/) {}
    virtual void PaintBkColor(IRenderContext* context);
    virtual void PaintBkImage(IRenderContext* context);
    virtual void PaintStatusColor(IRenderContext* context);
    virtual void PaintStatusImage(IRenderContext* context);
    virtual void PaintText(IRenderContext* /*context*/) {}
    virtual void PaintBorder(IRenderContext* context);
    const RECT& GetPaintRect() const { return paintRect_; }
    // Resolves the image's file and takes its decoded image from the global cache.
    void LoadImage(Image& image);
    // Draws an image over the control; override re-parses rectangles, fade and tiling for this
    // draw only; fade -1 keeps the image's own. False when nothing could be drawn.
    bool DrawImage(IRenderContext* context, Image& image, const std::wstring& override = L"", int fade = -1);
    IRenderContext* GetRenderContext();

    // --- image caches and frame animation ---------------------------------------------------
    virtual void ReloadImageFromCache();
    virtual void ReleaseBkImage();
    virtual void ClearImageCache();
    void PlayFrames();
    // frame: -1 keep the current, 0 the first, 65535 the last, else that frame.
    void StopFrames(int frame = -1);

protected:
    static bool FireSnapshot(const std::vector<EventCallback>& callbacks, EventArgs* args,
                             const std::weak_ptr<kbase::WeakFlag>* owner);
    void OnFramesFinished();
    void StopBkImageAnimation();
    // The delay of a frame of the background image in milliseconds, normalised.
    int GetFrameDelay(std::size_t frame) const;

    EventMap xmlEvents_;
    EventMap codeEvents_;
    EventMap frameEvents_;
    std::unique_ptr<kbase::SupportWeakCallback> userData_;
    bool contextMenuUsed_ = false;
    bool enabled_ = true;
    bool mouseEnabled_ = true;
    bool keyboardEnabled_ = true;
    bool focused_ = false;
    bool mouseFocused_ = false;
    bool resizeGuard_ = false;
    bool noFocus_ = false;
    bool framesAutoPlay_ = true;
    bool receivePointer_ = true;
    bool buttonUpOnFocusLoss_ = false;
    bool bkImageAdaptLanguage_ = false;
    int borderSize_ = 0;
    int tooltipWidth_ = 300;
    int alpha_ = 255;
    int hotAlpha_ = 0;
    SIZE estimateSize_{0, 0};
    POINT renderOffset_{0, 0};
    SIZE borderRound_{0, 0};
    RECT margin_{0, 0, 0, 0};
    RECT paintRect_{0, 0, 0, 0};
    RECT borderWidths_{0, 0, 0, 0};
    int cursorType_ = kCursorArrow;
    int state_ = kControlStateNormal;
    std::wstring tooltipText_;
    std::wstring tooltipTextId_;
    std::wstring dataId_;
    std::wstring bkColor_;
    StateColorMap stateColors_;
    Image bkImage_;
    std::map<int, StateImageMap> stateImages_;
    std::wstring borderColor_;
    kbase::WeakCallbackFlag frameTimerFlag_;
    AnimationManager animationManager_;
    std::wstring channels_;
};

}  // namespace ui
