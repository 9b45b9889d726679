#include "tools/skin_render/skin_session.h"

#include <windows.h>

#include <filesystem>

#include "ui/dpi_manager.h"
#include "ui/global_manager.h"

namespace skin_render {
namespace {

std::wstring FullPath(const std::wstring& path) {
    std::error_code error;
    return path.empty() ? path : std::filesystem::absolute(path, error).wstring();
}

}  // namespace

SkinSession::~SkinSession() {
    ui::GlobalManager::ShutdownRender();
}

bool SkinSession::Start(RenderOptions& options, std::wstring& error) {
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

}  // namespace skin_render
