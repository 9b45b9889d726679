#pragma once

#include <map>
#include <string>

namespace ui {

class Control;
class IRenderContext;

// A control's colour name per state (normal, hot, pushed, disabled).
class StateColorMap {
public:
    void SetOwner(Control* owner) { owner_ = owner; }
    bool HasColor(int state) const;
    const std::wstring& GetColor(int state) const;  // empty when unset
    void SetColor(int state, const std::wstring& colorName) { colors_[state] = colorName; }
    // The state whose colour stands for state: pushed falls back to hot, hot and disabled to
    // normal, each only when its own colour is unset.
    int ResolveState(int state) const;
    // Fills the owner's paint rectangle with the colour of its state, cross-fading normal and
    // hot by the hot alpha while a hot fade exists.
    void Paint(IRenderContext* context, int state);

private:
    Control* owner_ = nullptr;
    std::map<int, std::wstring> colors_;
};

}  // namespace ui
