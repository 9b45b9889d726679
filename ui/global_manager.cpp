#include "ui/global_manager.h"

#include <windows.h>

#include <shlwapi.h>

#include "app/file_util.h"
#include "base/lock.h"
#include "base/string_util.h"
#include "ui/language_table.h"

namespace ui {
namespace {

struct State {
    kbase::Lock lock;
    std::wstring resourceRoot;
    std::wstring language = L"zh_CN";
    std::string archive;  // the open archive's bytes; empty when none is open
};

State& Shared() {
    static State state;
    return state;
}

// Every zip archive starts with a local file header or, when empty, with the end record.
bool LooksLikeZip(const std::string& bytes) {
    return bytes.size() >= 4 && bytes.compare(0, 2, "PK") == 0 &&
           ((bytes[2] == 3 && bytes[3] == 4) || (bytes[2] == 5 && bytes[3] == 6));
}

std::wstring WithSeparator(std::wstring path) {
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path;
}

}  // namespace

void GlobalManager::Startup(const std::wstring& resourcePath, const std::wstring& themePath,
                            const std::wstring& language) {
    {
        kbase::AutoLock hold(Shared().lock);
        Shared().resourceRoot = WithSeparator(resourcePath + themePath);
        Shared().language = language;
    }
    LanguageTable::GetInstance().LoadFromFile(resourcePath + L"lang\\" + language + L".ini");
}

void GlobalManager::Shutdown() {
    CloseResourceZip();
}

std::wstring GlobalManager::GetResourcePath() {
    kbase::AutoLock hold(Shared().lock);
    return Shared().resourceRoot;
}

std::wstring GlobalManager::GetLanguage() {
    kbase::AutoLock hold(Shared().lock);
    return Shared().language;
}

void GlobalManager::SetLanguage(const std::wstring& language) {
    kbase::AutoLock hold(Shared().lock);
    Shared().language = language;
}

void GlobalManager::ReloadLanguage() {
    LanguageTable::GetInstance().LoadFromFile(L".\\resources\\lang\\" + GetLanguage() + L".ini");
}

bool GlobalManager::OpenResourceZip(const std::wstring& path) {
    std::string bytes;
    if (!ReadFileToStringW(path, bytes)) bytes.clear();
    return OpenResourceZip(bytes.data(), bytes.size());
}

bool GlobalManager::OpenResourceZip(const void* bytes, std::size_t size) {
    std::string archive(static_cast<const char*>(bytes), size);
    const bool opened = LooksLikeZip(archive);
    kbase::AutoLock hold(Shared().lock);
    Shared().archive = opened ? std::move(archive) : std::string();
    return opened;
}

void GlobalManager::CloseResourceZip() {
    kbase::AutoLock hold(Shared().lock);
    Shared().archive.clear();
}

bool GlobalManager::HasResourceZip() {
    kbase::AutoLock hold(Shared().lock);
    return !Shared().archive.empty();
}

bool GlobalManager::ReadResourceFile(const std::wstring& path, std::string& bytes) {
    const std::wstring full = ::PathIsRelativeW(path.c_str()) ? GetResourcePath() + path : path;
    return ReadFileToStringW(kbase::NormalizePathSeparators(full), bytes);
}

}  // namespace ui
