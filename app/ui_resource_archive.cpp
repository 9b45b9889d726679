#include "app/ui_resource_archive.h"

#include <windows.h>

#include "app/file_probe.h"

namespace {

constexpr int kEmbeddedArchiveId = 129;

void CloseArchive(const UiServices& ui) {
    if (ui.closeResourceZip) ui.closeResourceZip();
}

}  // namespace

UiArchive LoadUiResourceArchive(const std::wstring& launcherDir, const UiServices& ui) {
    const std::wstring zip = launcherDir + L"resources.zip";
    if (CanOpenForReading(zip)) {
        CloseArchive(ui);
        const std::wstring copy = launcherDir + L"update\\tmp_resources.zip";
        if (::CopyFileW(zip.c_str(), copy.c_str(), FALSE)) {
            CloseArchive(ui);
            if (ui.openResourceZipFile && ui.openResourceZipFile(copy)) return UiArchive::kCopy;
        }
    }
    CloseArchive(ui);
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(kEmbeddedArchiveId), L"RESOURCES");
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (bytes && ui.openResourceZipMemory && ui.openResourceZipMemory(bytes, ::SizeofResource(module, resource)))
        return UiArchive::kEmbedded;
    return UiArchive::kNone;
}
