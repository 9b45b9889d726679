#include "tools/skin_render/skin_snapshot.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "tools/skin_render/control_tree_json.h"
#include "ui/control.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"
#include "ui/window.h"
#include "ui/window_builder.h"

namespace skin_render {
namespace {

// Size of a skin whose root does not fix its own.
constexpr SIZE kFallbackSize{640, 480};

std::wstring FullPath(const std::wstring& path) {
    std::error_code error;
    return path.empty() ? path : std::filesystem::absolute(path, error).wstring();
}

std::wstring WithBackslashes(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

}  // namespace

SkinSnapshot::SkinSnapshot() = default;

SkinSnapshot::~SkinSnapshot() {
    root_.reset();
    window_.reset();
    bitmap_.reset();
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
    const std::wstring path = WithBackslashes(skin);
    window_ = std::make_unique<ui::Window>();
    window_->SetResourcePath(path.substr(0, path.find_last_of(L'\\') + 1));
    ui::WindowBuilder builder;
    root_.reset(builder.Create(path.c_str(), {}, window_.get()));
    if (!root_) {
        error = builder.GetLastErrorMessage();
        if (error.empty()) error = L"the skin holds no control";
        return false;
    }
    SIZE size = root_->EstimateSize(SIZE{99999, 99999});
    if (size.cx <= 0) size.cx = kFallbackSize.cx;
    if (size.cy <= 0) size.cy = kFallbackSize.cy;
    const RECT rect{0, 0, size.cx, size.cy};
    root_->SetPos(rect);
    bitmap_.reset(ui::GlobalManager::GetRenderFactory()->CreateRenderContext());
    bitmap_->Resize(size.cx, size.cy);
    bitmap_->Clear();
    root_->Paint(bitmap_.get(), rect);
    root_->PaintChild(bitmap_.get(), rect);
    return true;
}

Json::Value SkinSnapshot::DescribeTree() const {
    return root_ ? DescribeControlTree(*root_) : Json::Value();
}

}  // namespace skin_render
