#include "tools/skin_render/skin_window.h"

#include <algorithm>
#include <memory>
#include <tuple>
#include <utility>

#include "ui/box.h"
#include "ui/window_builder.h"

namespace skin_render {
namespace {

// "main/skin.xml" -> ("main\", "skin.xml").
std::pair<std::wstring, std::wstring> SplitSkinPath(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    const std::size_t slash = path.find_last_of(L'\\');
    const std::size_t fileStart = slash == std::wstring::npos ? 0 : slash + 1;
    return {path.substr(0, fileStart), path.substr(fileStart)};
}

// A plain hidden window, only for the window element's settings of a trial build.
class TrialWindow : public ui::Window {
public:
    std::wstring GetWindowClassName() const override { return L"SkinRenderTrial"; }
    ~TrialWindow() override {
        if (hwnd_) ::DestroyWindow(hwnd_);
    }
};

}  // namespace

SkinWindow::SkinWindow(const std::wstring& skin) {
    std::tie(skinFolder_, skinFile_) = SplitSkinPath(skin);
}

LRESULT SkinWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ui::WindowImplBase::HandleMessage(message, wParam, lParam);
    if (message == WM_PAINT) ++paintCount_;
    return result;
}

HWND SkinWindow::CreateFromSkin() {
    return Create(nullptr, L"skin_render", WS_POPUP, 0, true);
}

bool SkinWindow::IsSettled() const {
    return paintCount_ > 0 && GetWindowAlpha() == 255 && !IsArrangePending() &&
           !::GetUpdateRect(GetHWND(), nullptr, FALSE);
}

bool TryBuildSkin(const std::wstring& skin, std::wstring& error) {
    const auto [folder, file] = SplitSkinPath(skin);
    TrialWindow window;
    window.Create(nullptr, L"", WS_POPUP, 0, false);
    window.SetResourcePath(folder);
    ui::WindowBuilder builder;
    const std::unique_ptr<ui::Control> root(builder.Create((window.GetResourcePath() + file).c_str(), {}, &window));
    if (!root) {
        error = builder.GetLastErrorMessage();
        if (error.empty()) error = L"the skin holds no control";
        return false;
    }
    if (!window.IsShadowAttached() && !dynamic_cast<ui::Box*>(root.get())) {
        error = L"the skin's top control is no box, and there is no shadow box to hold it";
        return false;
    }
    return true;
}

}  // namespace skin_render
