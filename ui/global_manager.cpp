// The resource half of the global manager: start-up and language reload, the resource root,
// the open skin archive and the reading of resource files. UI thread only, but for the language.
#include "ui/global_manager.h"

#include <windows.h>

#include <commctrl.h>
#include <shlwapi.h>

#include <cstdint>
#include <limits>
#include <utility>

#include "app/file_util.h"
#include "base/lock.h"
#include "base/string_util.h"
#include "ui/box.h"
#include "ui/global_block.h"
#include "ui/language_table.h"
#include "ui/process_dpi.h"
#include "ui/window.h"
#include "ui/window_builder.h"
#include "ui/zip_reader.h"

namespace ui {
namespace {

struct ResourceState {
    std::wstring resourcePath;  // of Startup: the folder holding lang\ and themes\ ("resources\")
    std::wstring resourceRoot;  // the theme's folder under it
    std::unique_ptr<ZipHandle> zip;
    // The telemetry records read the language on the worker thread.
    kbase::Lock languageLock;
    std::wstring language = L"zh_CN";
};

ResourceState& Shared() {
    static ResourceState state;
    return state;
}

std::wstring WithSeparator(std::wstring path) {
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path;
}

// The archive's item at path: its index and unpacked size. False without an archive and for
// an item the archive lacks.
bool FindItem(const std::wstring& path, int& index, std::uint32_t& size) {
    ZipHandle* zip = Shared().zip.get();
    if (!zip || path.empty()) return false;
    ZipEntry entry;
    if (FindZipItem(zip, NormalizeZipPath(path).c_str(), &index, &entry) != kZipOk) return false;
    size = entry.uncompressedSize;
    return true;
}

// Unpacks the found item whole into buffer, which holds exactly its size.
bool Unpack(int index, void* buffer, std::uint32_t size) {
    return UnzipItem(Shared().zip.get(), index, buffer, size) == kZipOk;
}

bool ReadArchiveFile(const std::wstring& path, std::string& bytes) {
    int index = -1;
    std::uint32_t size = 0;
    if (!FindItem(path, index, size)) return false;
    std::string content(size, '\0');
    if (!Unpack(index, content.data(), size)) return false;
    bytes = std::move(content);
    return true;
}

// global.xml of the resource root: its fonts, text colours and classes, built with a window
// that never gets a native one.
void LoadGlobalResources() {
    Window scratch;
    WindowBuilder().Create(L"global.xml", {}, &scratch);
}

// Loads the current language's file from the folder that holds lang\. A language the
// archive lacks leaves the table empty, as a missing file on disk does.
void LoadLanguageFile() {
    const ResourceState& state = Shared();
    const std::wstring path = state.resourcePath + L"lang\\" + GlobalManager::GetLanguage() + L".ini";
    LanguageTable& table = LanguageTable::GetInstance();
    if (!state.zip) {
        table.LoadFromFile(path);
        return;
    }
    ScopedGlobalBlock block(GlobalManager::ReadZipItem(path));
    if (block) {
        table.LoadFromMemory(block.Get());
    } else {
        table.Clear();
    }
}

}  // namespace

void GlobalManager::Startup(const std::wstring& resourcePath, CreateControlCallback createControl, bool,
                            const std::wstring& themePath, const std::wstring& language) {
    ResourceState& state = Shared();
    state.resourcePath = WithSeparator(resourcePath);
    state.resourceRoot = WithSeparator(resourcePath + themePath);
    SetCreateControlCallback(std::move(createControl));
    AdaptProcessDpi();
    StartupRender();
    SetFontFaces(GetFontFaces());  // probed again, now that GDI+ runs
    LoadGlobalResources();
    SetLanguage(language);
    LoadLanguageFile();
    ::InitCommonControls();
}

void GlobalManager::Shutdown() {
    CloseResourceZip();
    ClearImageCache();
    ShutdownRender();
}

std::wstring GlobalManager::GetResourcePath() {
    return Shared().resourceRoot;
}

std::wstring GlobalManager::GetLanguage() {
    kbase::AutoLock hold(Shared().languageLock);
    return Shared().language;
}

void GlobalManager::SetLanguage(const std::wstring& language) {
    kbase::AutoLock hold(Shared().languageLock);
    Shared().language = language;
}

void GlobalManager::ReloadLanguage(const std::wstring& resourceRoot, std::function<void()> done) {
    RemoveAllFonts();
    RemoveAllTextColors();
    RemoveAllClasses();
    for (Window* window : GetWindowList()) {
        if (Box* root = window->GetRoot()) root->ClearImageCache();
    }
    ClearImageCache();
    if (!resourceRoot.empty()) Shared().resourceRoot = WithSeparator(resourceRoot);
    LoadGlobalResources();
    LoadLanguageFile();
    if (done) done();
    for (Window* window : GetWindowList()) {
        if (Box* root = window->GetRoot()) root->Invalidate();
    }
}

bool GlobalManager::OpenResourceZip(const std::wstring& path) {
    Shared().zip = OpenZip(path.c_str(), 0, kZipFromFileName, "");
    return HasResourceZip();
}

bool GlobalManager::OpenResourceZip(const void* bytes, std::size_t size) {
    Shared().zip.reset();
    if (size > std::numeric_limits<std::uint32_t>::max()) return false;
    Shared().zip = OpenZip(bytes, static_cast<std::uint32_t>(size), kZipFromMemory, "");
    return HasResourceZip();
}

void GlobalManager::CloseResourceZip() {
    std::unique_ptr<ZipHandle>& zip = Shared().zip;
    if (!zip) return;
    CloseZip(zip.get());
    zip.reset();
}

bool GlobalManager::HasResourceZip() {
    return Shared().zip != nullptr;
}

HGLOBAL GlobalManager::ReadZipItem(const std::wstring& path) {
    int index = -1;
    std::uint32_t size = 0;
    if (!FindItem(path, index, size)) return nullptr;
    ScopedGlobalBlock block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, size));
    if (!block) return nullptr;
    bool unpacked = false;
    {
        const LockedGlobalBlock locked(block.Get());
        unpacked = locked.Data() && Unpack(index, locked.Data(), size);
    }
    return unpacked ? block.Release() : nullptr;
}

std::wstring GlobalManager::GetResourceFilePath(const std::wstring& path) {
    return ::PathIsRelativeW(path.c_str()) ? GetResourcePath() + path : path;
}

bool GlobalManager::ReadResourceFile(const std::wstring& path, std::string& bytes) {
    const std::wstring full = kbase::NormalizePathSeparators(GetResourceFilePath(path));
    if (ReadArchiveFile(full, bytes)) return true;
    return ReadFileToStringW(full, bytes);
}

bool GlobalManager::ResourceExists(const std::wstring& path) {
    if (!HasResourceZip()) return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    int index = -1;
    std::uint32_t size = 0;
    return FindItem(path, index, size);
}

}  // namespace ui
