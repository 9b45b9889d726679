#include "ui/window.h"

#include <algorithm>
#include <utility>

#include "app/launcher_messages.h"
#include "ui/box.h"
#include "ui/control.h"
#include "ui/global_manager.h"
#include "ui/render/gdiplus_headers.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"
#include "ui/shadow_box.h"

namespace ui {
namespace {

// The stock GUI font, made again with the default character set.
void MakeDefaultFont(FontInfo& font) {
    LOGFONTW logFont{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont);
    logFont.lfCharSet = DEFAULT_CHARSET;
    font.hFont = ::CreateFontIndirectW(&logFont);
    font.faceName = logFont.lfFaceName;
    font.size = -logFont.lfHeight;
    font.bold = logFont.lfWeight >= FW_BOLD;
    font.underline = logFont.lfUnderline != 0;
    font.italic = logFont.lfItalic != 0;
}

// The walk of a Tab move over the tree, parents before children.
struct FindTabInfo {
    Control* focus = nullptr;
    Control* last = nullptr;
    bool forward = true;
    bool nextIsIt = false;
};

Control* NextTabCallback(Control* control, void* data) {
    auto* info = static_cast<FindTabInfo*>(data);
    if (control == info->focus) {
        if (info->forward) {
            info->nextIsIt = true;
            return nullptr;
        }
        return info->last;  // null on the first tab stop: the walk goes on to the last one
    }
    if (!control->IsTabStop()) return nullptr;
    info->last = control;
    return info->nextIsIt || !info->focus ? control : nullptr;
}

}  // namespace

Window::WindowDc::WindowDc(WindowDc&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}

Window::WindowDc& Window::WindowDc::operator=(WindowDc&& other) noexcept {
    if (this != &other) {
        Reset();
        window_ = std::exchange(other.window_, nullptr);
        dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
}

void Window::WindowDc::Reset() {
    if (dc_) ::ReleaseDC(window_, dc_);
    window_ = nullptr;
    dc_ = nullptr;
}

Window::Window() {
    MakeDefaultFont(defaultFont_);
}

Window::~Window() {
    DetachFromNativeWindow();
    DeleteDelayedControls();
    root_.reset();
    classes_.clear();
    optionGroups_.clear();
    toolTip_.Reset();
    paintDc_.Reset();
    if (GlobalManager::RemoveWindow(this)) {
        const std::vector<Window*>& windows = GlobalManager::GetWindowList();
        if (!windows.empty()) ::SendMessageW(windows.back()->GetHWND(), kMsgWindowStackChanged, 0, 0);
    }
}

void Window::Init(HWND hwnd) {
    hwnd_ = hwnd;
    paintDc_ = WindowDc(hwnd);
    IRenderFactory* factory = GlobalManager::GetRenderFactory();
    renderContext_.reset(factory ? factory->CreateRenderContext() : nullptr);
    using RegisterTouchWindowFunction = BOOL(WINAPI*)(HWND, ULONG);
    static const auto registerTouchWindow = reinterpret_cast<RegisterTouchWindowFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "RegisterTouchWindow")));
    if (registerTouchWindow) registerTouchWindow(hwnd, 0);
    GlobalManager::AddWindow(this);
    ::SendMessageW(hwnd, kMsgWindowStackChanged, 0, 0);
}

bool Window::AttachRoot(Box* root) {
    SetFocusControl(nullptr);
    keyDown_ = nullptr;
    newHover_ = nullptr;
    hover_ = nullptr;
    mouseCapture_ = nullptr;
    touchCapture_ = nullptr;
    pointerCapture_ = nullptr;
    if (root_) {
        Box* old = root_.release();
        old->SetWindowAndParent(this, nullptr, false);
        DelayDelete(old);
    }
    root_.reset(root);
    layoutPending_ = true;
    firstFadePending_ = true;
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
    return shadow_.attached ? shadow_.padding : RECT{0, 0, 0, 0};
}

void Window::InvalidateRect(const RECT& rect) {
    if (!hwnd_) return;
    // Each call is a round trip to the display server: a skin of a few hundred controls being
    // built, all still without a place, would make thousands of them for nothing.
    if (!::IsRectEmpty(&rect)) ::InvalidateRect(hwnd_, &rect, FALSE);
    if (layered_ && !paintPosted_) {
        paintPosted_ = true;  // one posted paint covers every rectangle invalidated before it
        ::PostMessageW(hwnd_, WM_PAINT, 0, 0);
    }
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

bool Window::SetNextTabControl(bool forward) {
    if (layoutPending_ && forward) {
        // The tab stops have no places yet; the paint lays them out first.
        if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
        return true;
    }
    if (!root_) return true;
    constexpr UINT kTabWalk = kFindVisible | kFindEnabled | kFindMeFirst;
    FindTabInfo info;
    info.focus = focus_;
    info.forward = forward;
    Control* next = root_->FindControl(&NextTabCallback, &info, kTabWalk);
    if (!next) {
        if (forward) {
            FindTabInfo fromStart;
            fromStart.forward = true;
            next = root_->FindControl(&NextTabCallback, &fromStart, kTabWalk);
        } else {
            next = info.last;
        }
    }
    if (next) SetFocusControl(next);
    return true;
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
    if (control == static_cast<Control*>(shadow_.box)) shadow_.box = nullptr;
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

void Window::AddMessageFilter(IUIMessageFilter* filter) {
    messageFilters_.push_back(filter);
}

void Window::RemoveMessageFilter(IUIMessageFilter* filter) {
    messageFilters_.erase(std::remove(messageFilters_.begin(), messageFilters_.end(), filter), messageFilters_.end());
}

void Window::NotifyWindowClose() {
    EventArgs args;
    args.type = kEventWindowClose;
    args.mousePoint = lastMousePoint_;
    args.timestamp = ::GetTickCount();
    const std::weak_ptr<kbase::WeakFlag> alive = ObtainWeakFlag();
    for (const int type : {static_cast<int>(kEventWindowClose), static_cast<int>(kEventAll)}) {
        const auto handlers = windowEvents_.find(type);
        if (handlers == windowEvents_.end()) continue;
        Control::FireCallbacks(handlers->second, &args, alive);
        if (alive.expired()) return;  // a handler deleted the window
    }
}

}  // namespace ui
