#include "update/embedded_fonts.h"

#include <string_view>

#include "app/atomic_file.h"
#include "app/command_line.h"
#include "app/file_probe.h"
#include "app/hklm_string_value.h"
#include "app/language_codes.h"
#include "app/registry_key.h"
#include "base/path_util.h"
#include "update/deferred_updates.h"
#include "update/atomic_copy.h"

namespace {

constexpr wchar_t kFontsKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr wchar_t kFontResourceType[] = L"FONTS";
// A font added to the system more than once is removed once per addition.
constexpr int kMaxFontUnloads = 16;

std::wstring FontPath(const FontPlace& place, const wchar_t* fileName) {
    return place.folder + L"\\" + fileName;
}

bool WriteFontFromResource(const FontPlace& place, const EmbeddedFont& font) {
    HMODULE module = place.resources ? place.resources : ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(font.resourceId), kFontResourceType);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) return false;
    const std::string_view contents(static_cast<const char*>(bytes), ::SizeofResource(module, found));
    return WriteFileAtomic(FontPath(place, font.fileName), contents);
}

DeferredInstall InstallListedFont(const FontPlace& place, const std::string& name,
                                  std::map<std::string, unsigned long>& failures) {
    if (name.find_first_of("\\/") != std::string::npos) return DeferredInstall::kRefused;
    const std::wstring wideName = kbase::WidePath(name);
    const std::wstring source = L".\\update\\" + wideName;
    const std::wstring installed = FontPath(place, wideName.c_str());
    if (!CanOpenForReading(source)) {
        if (CanOpenForReading(installed)) return DeferredInstall::kDone;
        failures[name] = ERROR_FILE_NOT_FOUND;
        return DeferredInstall::kFailed;
    }
    if (!CopyFileAtomic(source, installed)) {
        failures[name] = ::GetLastError();
        return DeferredInstall::kFailed;
    }
    // The launcher's version map lists the fonts beside the launcher too.
    if (!CopyFileAtomic(source, L".\\" + wideName)) {
        failures[name] = ::GetLastError();
        return DeferredInstall::kFailed;
    }
    ::DeleteFileW(source.c_str());
    return DeferredInstall::kDone;
}

}  // namespace

FontPlace SystemFontPlace() {
    FontPlace place;
    place.registryKey = kFontsKey;
    const UINT length = ::GetWindowsDirectoryW(nullptr, 0);
    if (length == 0) return place;
    std::wstring windows(length, L'\0');
    const UINT written = ::GetWindowsDirectoryW(windows.data(), length);
    if (written == 0 || written >= length) return place;
    windows.resize(written);
    if (windows.back() == L'\\') windows.pop_back();
    place.folder = windows + L"\\Fonts";
    return place;
}

int InstallFonts(const FontPlace& place) {
    if (place.folder.empty()) return 0;
    for (const EmbeddedFont& font : EmbeddedFonts) {
        if (!CanOpenForReading(FontPath(place, font.fileName)) && !WriteFontFromResource(place, font)) return 0;
        if (SetHklmStringValue(place.registryKey, L"", font.registryValueName, font.fileName) < 0) return 0;
    }
    ApplyFontUpdate(place);
    return 1;
}

void UninstallFonts(std::map<std::wstring, unsigned long>& failures, const FontPlace& place) {
    for (const EmbeddedFont& font : EmbeddedFonts) {
        HKEY raw = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, place.registryKey.c_str(), 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS)
            continue;
        const ScopedRegistryKey key(raw);
        ::RegDeleteValueW(key.Get(), font.registryValueName);
    }
    if (place.folder.empty()) return;
    // The system keeps registered fonts loaded, and a loaded font file cannot be deleted.
    for (const EmbeddedFont& font : EmbeddedFonts) {
        const std::wstring path = FontPath(place, font.fileName);
        for (int i = 0; i < kMaxFontUnloads; ++i) {
            if (!::RemoveFontResourceW(path.c_str())) break;
        }
    }
    ::PostMessageW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
    for (const EmbeddedFont& font : EmbeddedFonts) {
        const std::wstring path = FontPath(place, font.fileName);
        if (CanOpenForReading(path) && !::DeleteFileW(path.c_str())) failures[font.fileName] = ::GetLastError();
    }
}

std::map<std::string, unsigned long> ApplyFontUpdate(const FontPlace& place) {
    std::map<std::string, unsigned long> failures;
    if (place.folder.empty()) return failures;
    ApplyDeferredList(kFontUpdateListPath, [&](const std::string& name) {
        return InstallListedFont(place, name, failures);
    });
    return failures;
}

UiFontFaces EmbeddedUiFontFaces() {
    const wchar_t* regular = EmbeddedFonts[kCjkRegularFontIndex].faceName;
    return {regular, EmbeddedFonts[kCjkBoldFontIndex].faceName, regular};
}

bool TextAntiAliasFromCommandLine() {
    if (!CommandLineTextOption.given()) return true;
    const std::wstring& option = CommandLineTextOption.value();
    return option == L"text_anti_alias" || option == L"taa";
}
