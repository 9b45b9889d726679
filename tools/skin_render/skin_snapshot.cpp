#include "tools/skin_render/skin_snapshot.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "tools/skin_render/control_tree_json.h"
#include "tools/skin_render/skin_window.h"
#include "ui/box.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/window_builder.h"

namespace skin_render {
namespace {

// Creation, layout, first paint and the 250 ms fade-in take far less.
constexpr ULONGLONG kPaintTimeoutMs = 10000;

std::wstring FullPath(const std::wstring& path) {
    std::error_code error;
    return path.empty() ? path : std::filesystem::absolute(path, error).wstring();
}

// A plain hidden window, only for the window element's settings of a trial build.
class TrialWindow : public ui::Window {
public:
    std::wstring GetWindowClassName() const override { return L"SkinRenderTrial"; }
    ~TrialWindow() override {
        if (hwnd_) ::DestroyWindow(hwnd_);
    }
};

// The window base answers a skin it cannot build with a message box, which would wait for a
// click nobody gives: the same build is tried first to tell why.
bool TryBuild(const std::wstring& folder, const std::wstring& file, std::wstring& error) {
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

// Runs the window's messages until it has painted everything and faded in.
bool WaitUntilPainted(HWND hwnd, const ui::Window& window) {
    const ULONGLONG deadline = ::GetTickCount64() + kPaintTimeoutMs;
    while (::GetTickCount64() < deadline) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (window.GetWindowAlpha() == 255 && !window.IsArrangePending() && !::GetUpdateRect(hwnd, nullptr, FALSE)) {
            return true;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

}  // namespace

SkinSnapshot::SkinSnapshot() = default;

SkinSnapshot::~SkinSnapshot() {
    if (window_ && window_->GetHWND()) ::DestroyWindow(window_->GetHWND());
    ui::GlobalManager::ShutdownRender();
}

bool SkinSnapshot::Start(RenderOptions& options, std::wstring& error) {
    options.png = FullPath(options.png);
    options.tree = FullPath(options.tree);
    const std::wstring resources = FullPath(options.resources);
    const DWORD attributes = ::GetFileAttributesW(resources.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = L"no such folder or archive: " + options.resources;
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        ::SetCurrentDirectoryW(resources.c_str());
    } else if (!ui::GlobalManager::OpenResourceZip(resources)) {
        error = L"not a zip archive: " + options.resources;
        return false;
    }

    ui::DpiManager::GetInstance()->SetAdaptDPI(true);
    ui::GlobalManager::Startup(L"resources\\", {}, false, L"themes\\default", options.language);
    // Startup takes the screen's scale; the picture is drawn at the one asked for, global.xml's
    // fonts included.
    ui::DpiManager::GetInstance()->SetScale(options.dpiPercent);
    ui::GlobalManager::ReloadLanguage(L"", nullptr);
    return true;
}

bool SkinSnapshot::Render(const std::wstring& skin, std::wstring& error) {
    std::wstring path = skin;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    const std::size_t slash = path.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    const std::wstring file = path.substr(folder.size());
    if (!TryBuild(folder, file, error)) return false;

    window_ = new SkinWindow(folder, file);
    const HWND hwnd = window_->Create(nullptr, L"skin_render", WS_POPUP, 0, true);
    if (!hwnd) {
        window_ = nullptr;  // a window that failed to be made has ended its object
        error = L"the window cannot be created";
        return false;
    }
    window_->ShowWindow(true, false);
    if (!WaitUntilPainted(hwnd, *window_)) {
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
