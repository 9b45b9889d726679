// The text colour and class tables of the global manager, the default text colour names and
// the publishing channel. UI thread only.
#include <cwchar>
#include <map>
#include <string>

#include "ui/global_manager.h"

namespace ui {
namespace {

struct Tables {
    std::map<std::wstring, DWORD> textColors;
    std::map<std::wstring, std::wstring> classes;
    std::wstring defaultTextColor = L"textdefaultcolor";
    std::wstring defaultDisabledTextColor = L"textdefaultdisablecolor";
    std::wstring channel = L"AppStore";
};

Tables& Shared() {
    static Tables tables;
    return tables;
}

}  // namespace

void GlobalManager::AddTextColor(const std::wstring& name, const std::wstring& value) {
    // The digits after the leading '#'.
    const DWORD argb = value.empty() ? 0 : static_cast<DWORD>(std::wcstoul(value.c_str() + 1, nullptr, 16));
    AddTextColor(name, argb);
}

void GlobalManager::AddTextColor(const std::wstring& name, DWORD argb) { Shared().textColors[name] = argb; }

DWORD GlobalManager::GetTextColor(const std::wstring& name) { return Shared().textColors[name]; }

void GlobalManager::RemoveAllTextColors() { Shared().textColors.clear(); }

const std::wstring& GlobalManager::GetDefaultTextColor() { return Shared().defaultTextColor; }

const std::wstring& GlobalManager::GetDefaultDisabledTextColor() { return Shared().defaultDisabledTextColor; }

void GlobalManager::SetDefaultTextColor(const std::wstring& name) { Shared().defaultTextColor = name; }

void GlobalManager::SetDefaultDisabledTextColor(const std::wstring& name) {
    Shared().defaultDisabledTextColor = name;
}

void GlobalManager::AddClass(const std::wstring& name, const std::wstring& attributes) {
    Shared().classes[name] = attributes;
}

std::wstring GlobalManager::GetClassAttributes(const std::wstring& name) {
    const auto& classes = Shared().classes;
    const auto found = classes.find(name);
    return found == classes.end() ? std::wstring() : found->second;
}

void GlobalManager::RemoveAllClasses() { Shared().classes.clear(); }

std::wstring GlobalManager::GetCurrentChannel() { return Shared().channel; }

void GlobalManager::SetCurrentChannel(const std::wstring& channel) { Shared().channel = channel; }

}  // namespace ui
