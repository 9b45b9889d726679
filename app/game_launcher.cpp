#include "app/game_launcher.h"

#include <windows.h>

#include <algorithm>
#include <charconv>

#include "app/command_line.h"
#include "app/file_util.h"
#include "app/json_util.h"
#include "app/launcher_messages.h"
#include "base/string_conversions.h"
#include "base/unique_handle.h"

namespace {
constexpr int kFirstSuffixedMajor = 10077;
}

std::wstring GameExecutablePath(const std::wstring& gamePath) {
    return NormalizePathW(gamePath, true) + kGameExecutableName;
}

std::wstring GamePlatformWord() {
    return CommandLinePlatform.given() ? CommandLinePlatform.value() : L"win";
}

bool WantsPlatformSuffix(const std::string& localGameVersion) {
    if (localGameVersion.empty()) return true;
    if (std::count(localGameVersion.begin(), localGameVersion.end(), '_') != 2) return false;
    const std::string_view major(localGameVersion.data(), localGameVersion.find('_'));
    int value = 0;
    const auto [end, error] = std::from_chars(major.data(), major.data() + major.size(), value);
    return !major.empty() && error == std::errc() && end == major.data() + major.size() &&
           value >= kFirstSuffixedMajor;
}

std::wstring BuildGameArguments(const std::string& md5, const std::string& localGameVersion,
                                const std::wstring& platformWord, int slot) {
    std::wstring arguments = L"empty";
    if (!md5.empty()) kbase::CodePageToWide(md5, arguments, CP_UTF8);
    if (WantsPlatformSuffix(localGameVersion)) {
        arguments += L" " + platformWord + L" " + std::to_wstring(slot) + L"|" +
                     std::to_wstring(kGameInstanceSlots);
    }
    return arguments;
}

bool IsGameRunning() {
    kbase::ScopedHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, kGameInstanceMutex));
    // A mutex that exists but may not be opened by us is still the game's.
    return mutex || ::GetLastError() == ERROR_ACCESS_DENIED;
}

int CountRunningGameInstances(std::vector<int>& freeSlots) {
    const std::size_t before = freeSlots.size();
    for (int slot = 0; slot < kGameInstanceSlots; ++slot) {
        if (!IsGameRunning()) freeSlots.push_back(slot);
    }
    return kGameInstanceSlots - static_cast<int>(freeSlots.size() - before);
}

bool ParseGateResponse(const std::string& text, std::vector<std::string>& dlcAddr,
                       std::vector<std::string>& preDlcAddr, std::string& error, bool wantPreDlc) {
    dlcAddr.clear();
    if (wantPreDlc) preDlcAddr.clear();
    Json::Value root;
    if (!ParseJson(text, root, error)) return false;
    if (!GetJsonStringList(root, "DlcAddr", dlcAddr)) {
        error = "Get DlcAddr failed";
        return false;
    }
    Json::Value others;
    if (wantPreDlc && FindJsonMember(root, "Others", others) && others.isString()) {
        Json::Value inner;
        std::string ignored;
        if (ParseJson(others.asString(), inner, ignored)) GetJsonStringList(inner, "PreDlcAddr", preDlcAddr);
    }
    return true;
}

bool ParseInfoAddresses(const std::string& text, std::vector<std::string>& addresses, std::string& error) {
    addresses.clear();
    Json::Value root;
    if (!ParseJson(text, root, error)) return false;
    std::vector<std::string> info;
    if (!GetJsonStringList(root, "info", info)) return false;
    Json::Value inner;
    if (!ParseJson(info.front(), inner, error)) return false;
    Json::Value found;
    if (!FindJsonMember(inner, "TW_pc_addr", found)) return false;
    GetJsonStringList(inner, "TW_pc_addr", addresses);
    return true;
}
