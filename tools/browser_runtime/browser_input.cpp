#include <vector>

#include "tools/browser_runtime/browser.h"
#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/runtime.h"

namespace {

class ContextMenuParams final : public RefCounted<CefContextMenuParams> {
public:
    ContextMenuParams(int x, int y, CefString pageUrl) : x_(x), y_(y), pageUrl_(std::move(pageUrl)) {}
    int GetXCoord() override { return x_; }
    int GetYCoord() override { return y_; }
    CefString GetPageUrl() override { return pageUrl_; }

private:
    const int x_;
    const int y_;
    const CefString pageUrl_;
};

class MenuModel final : public RefCounted<CefMenuModel> {
public:
    int GetCount() override { return static_cast<int>(items_.size()); }
    bool Clear() override {
        items_.clear();
        return true;
    }
    bool AddItem(int commandId, const CefString& label) override {
        items_.emplace_back(commandId, label);
        return true;
    }
    int GetCommandIdAt(int index) override {
        return index >= 0 && index < GetCount() ? items_[index].first : -1;
    }

private:
    std::vector<std::pair<int, CefString>> items_;
};

// The page's own context menu: back, forward, reload.
enum MenuCommand { kBack = 100, kForward = 101, kReload = 102 };

std::string Point(const CefMouseEvent& event) {
    return std::to_string(event.x) + "," + std::to_string(event.y) + " flags " + std::to_string(event.modifiers);
}

}  // namespace

void Browser::SendKeyEvent(const CefKeyEvent& event) {
    journal::Write(Name() + ": SendKeyEvent(type " + std::to_string(event.type) + ", key " +
                   std::to_string(event.windows_key_code) + ", native " + std::to_string(event.native_key_code) +
                   ", system " + std::to_string(event.is_system_key) + ", flags " + std::to_string(event.modifiers) + ")");
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self, event] {
        CefRefPtr<CefKeyboardHandler> keyboard = self->client_ ? self->client_->GetKeyboardHandler() : nullptr;
        if (self->Closed() || !keyboard) return;
        bool shortcut = false;
        journal::Write("-> OnPreKeyEvent(" + self->Name() + ")");
        if (keyboard->OnPreKeyEvent(self.get(), event, nullptr, &shortcut)) return;
        // The stand-in's pages take no keys: every key comes back unhandled.
        journal::Write("-> OnKeyEvent(" + self->Name() + ")");
        keyboard->OnKeyEvent(self.get(), event, nullptr);
    });
}

void Browser::SendMouseClickEvent(const CefMouseEvent& event, CefMouseButtonType type, bool mouseUp, int clickCount) {
    journal::Write(Name() + ": SendMouseClickEvent(" + Point(event) + ", button " + std::to_string(type) +
                   (mouseUp ? ", up" : ", down") + ", clicks " + std::to_string(clickCount) + ")");
    if (type != MBT_RIGHT || !mouseUp) return;
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self, event] {
        CefRefPtr<CefFrame> frame = self->GetMainFrame();
        if (self->Closed() || !frame) return;
        CefRefPtr<MenuModel> model = new MenuModel();
        model->AddItem(kBack, "Back");
        model->AddItem(kForward, "Forward");
        model->AddItem(kReload, "Reload");
        if (CefRefPtr<CefContextMenuHandler> menus = self->client_ ? self->client_->GetContextMenuHandler() : nullptr) {
            journal::Write("-> OnBeforeContextMenu(" + self->Name() + ", " + Point(event) + ")");
            menus->OnBeforeContextMenu(self.get(), frame, new ContextMenuParams(event.x, event.y, frame->GetURL()),
                                       model.get());
        }
        journal::Write(model->GetCount() > 0 ? "context menu shown with " + std::to_string(model->GetCount()) + " items"
                                             : std::string("context menu empty: not shown"));
    });
}

void Browser::SendMouseMoveEvent(const CefMouseEvent& event, bool mouseLeave) {
    journal::Write(Name() + ": SendMouseMoveEvent(" + Point(event) + (mouseLeave ? ", leave" : "") + ")");
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self, mouseLeave] {
        CefRefPtr<CefRenderHandler> render = self->client_ ? self->client_->GetRenderHandler() : nullptr;
        if (self->Closed() || !render || self->cursorShown_ == !mouseLeave) return;
        self->cursorShown_ = !mouseLeave;
        if (mouseLeave) return;
        journal::Write("-> OnCursorChange(" + self->Name() + ", arrow)");
        render->OnCursorChange(self.get(), ::LoadCursorW(nullptr, IDC_ARROW));
    });
}

void Browser::SendMouseWheelEvent(const CefMouseEvent& event, int deltaX, int deltaY) {
    journal::Write(Name() + ": SendMouseWheelEvent(" + Point(event) + ", " + std::to_string(deltaX) + ", " +
                   std::to_string(deltaY) + ")");
}

void Browser::SendFocusEvent(bool setFocus) {
    journal::Write(Name() + ": SendFocusEvent(" + (setFocus ? "true" : "false") + ")");
}

void Browser::SendCaptureLostEvent() { journal::Write(Name() + ": SendCaptureLostEvent"); }
