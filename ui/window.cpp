#include "ui/window.h"

#include <algorithm>

#include "ui/box.h"
#include "ui/control.h"

namespace ui {

Window::Window() = default;

Window::~Window() {
    DeleteDelayedControls();
    root_.reset();
}

bool Window::AttachRoot(Box* root) {
    focus_ = nullptr;
    hover_ = nullptr;
    newHover_ = nullptr;
    mouseCapture_ = nullptr;
    keyDown_ = nullptr;
    touchCapture_ = nullptr;
    pointerCapture_ = nullptr;
    if (root_) {
        Box* old = root_.release();
        old->SetWindowAndParent(this, nullptr, false);
        DelayDelete(old);
    }
    root_.reset(root);
    layoutPending_ = true;
    if (!root) return false;
    root->SetWindowAndParent(this, root->GetParent(), true);
    RegisterNamedControls(root);
    return true;
}

void Window::SetResourcePath(const std::wstring& folder) {
    resourcePath_ = folder;
    if (!resourcePath_.empty() && resourcePath_.back() != L'\\' && resourcePath_.back() != L'/') {
        resourcePath_ += L'\\';
    }
}

RECT Window::GetShadowPadding() const {
    return shadowAttached_ ? shadowPadding_ : RECT{0, 0, 0, 0};
}

void Window::InvalidateRect(const RECT& rect) {
    if (!hwnd_) return;
    ::InvalidateRect(hwnd_, &rect, FALSE);
    if (layered_) ::PostMessageW(hwnd_, WM_PAINT, 0, 0);
}

std::wstring Window::GetClassAttributes(const std::wstring& name) const {
    const auto it = classes_.find(name);
    return it == classes_.end() ? std::wstring() : it->second;
}

void Window::SetFocusControl(Control* control) {
    if (hwnd_ && ::GetFocus() != hwnd_ && control && control != focus_) ::SetFocus(hwnd_);
    if (control == focus_) return;
    if (Control* old = focus_) {
        Control::SendEvent(old, kEventInternalKillFocus);
        focus_ = nullptr;
        Control::SendEvent(old, kEventKillFocus, 0, 0, 0, lastMousePoint_);
    }
    if (control && control->GetWindow() == this && control->IsVisible() && control->IsEnabled()) {
        focus_ = control;
        Control::SendEvent(control, kEventInternalSetFocus);
        if (focus_ == control) Control::SendEvent(control, kEventSetFocus, 0, 0, 0, lastMousePoint_);
    }
}

Control* Window::FindControl(POINT point) const {
    if (!root_) return nullptr;
    return root_->FindControl(&Window::HitTestCallback, &point, kFindVisible | kFindHitTest | kFindTopFirst);
}

Control* Window::FindControl(const std::wstring& name) const {
    const auto it = nameMap_.find(name);
    return it == nameMap_.end() ? nullptr : it->second;
}

Control* Window::MatchControlName(Control* control, void* data) {
    const std::wstring& name = *static_cast<const std::wstring*>(data);
    const std::wstring& own = control->GetName();
    return !own.empty() && _wcsicmp(own.c_str(), name.c_str()) == 0 ? control : nullptr;
}

Control* Window::HitTestCallback(Control* control, void* data) {
    const POINT point = *static_cast<const POINT*>(data);
    const RECT rect = control->GetPos(true);
    return ::PtInRect(&rect, point) ? control : nullptr;
}

void Window::RegisterNamedControls(Control* control) {
    struct Walk {
        Window* window;
        static Control* Visit(Control* c, void* data) {
            if (!c->GetName().empty()) static_cast<Walk*>(data)->window->nameMap_[c->GetName()] = c;
            return nullptr;  // keep walking the whole tree
        }
    } walk{this};
    control->FindControl(&Walk::Visit, &walk, 0);
}

void Window::DelayDelete(Control* control) {
    delayedDelete_.push_back(control);
    if (hwnd_) ::PostMessageW(hwnd_, kMsgDelayedDelete, 0, 0);
}

void Window::DeleteDelayedControls() {
    std::vector<Control*> doomed;
    doomed.swap(delayedDelete_);
    for (Control* control : doomed) delete control;
}

void Window::ReapObjects(Control* control) {
    if (!control) return;
    for (Control** reference : {&keyDown_, &hover_, &newHover_, &mouseCapture_, &touchCapture_, &pointerCapture_, &focus_}) {
        if (*reference == control) *reference = nullptr;
    }
    const auto it = nameMap_.find(control->GetName());
    if (!control->GetName().empty() && it != nameMap_.end() && it->second == control) nameMap_.erase(it);
}

bool Window::AddOptionGroup(const std::wstring& group, Control* control) {
    std::vector<Control*>& members = optionGroups_[group];
    if (std::find(members.begin(), members.end(), control) != members.end()) return false;
    members.push_back(control);
    return true;
}

std::vector<Control*>* Window::GetOptionGroup(const std::wstring& group) {
    const auto it = optionGroups_.find(group);
    return it == optionGroups_.end() ? nullptr : &it->second;
}

void Window::RemoveOptionGroup(const std::wstring& group, Control* control) {
    const auto it = optionGroups_.find(group);
    if (it == optionGroups_.end()) return;
    auto& members = it->second;
    const auto member = std::find(members.begin(), members.end(), control);
    if (member != members.end()) members.erase(member);
    if (members.empty()) optionGroups_.erase(it);
}

}  // namespace ui
