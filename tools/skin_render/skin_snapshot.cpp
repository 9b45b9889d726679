#include "tools/skin_render/skin_snapshot.h"

#include <windows.h>

#include "tools/skin_render/control_tree_json.h"
#include "tools/skin_render/skin_window.h"
#include "ui/box.h"

namespace skin_render {
namespace {

// Creation, layout, first paint and the 250 ms fade-in take far less.
constexpr ULONGLONG kSettleTimeoutMs = 10000;

}  // namespace

SkinSnapshot::~SkinSnapshot() {
    if (window_ && window_->GetHWND()) ::DestroyWindow(window_->GetHWND());
}

bool SkinSnapshot::Render(const std::wstring& skin, std::wstring& error) {
    if (!TryBuildSkin(skin, error)) return false;
    window_ = new SkinWindow(skin);
    if (!window_->CreateFromSkin()) {
        window_ = nullptr;  // a window that failed to be made has ended its object
        error = L"the window cannot be created";
        return false;
    }
    window_->ShowWindow(true, false);
    if (!PumpMessagesUntil([this] { return window_->IsSettled(); }, kSettleTimeoutMs)) {
        error = L"the window did not finish painting";
        return false;
    }
    return true;
}

ui::IRenderContext* SkinSnapshot::GetBitmap() const {
    return window_ ? window_->GetRenderContext() : nullptr;
}

Json::Value SkinSnapshot::DescribeTree() const {
    return window_ && window_->GetRoot() ? DescribeControlTree(*window_->GetRoot()) : Json::Value();
}

}  // namespace skin_render
