#include "windows/install_folder.h"

namespace {
constexpr wchar_t kGameFolderName[] = L"Tarvenor Game";
constexpr std::size_t kMaxInstallFolderLength = 259;
}  // namespace

std::optional<std::wstring> InstallFolderFor(const std::wstring& chosen) {
    if (chosen.empty()) return std::nullopt;
    std::wstring folder = chosen;
    if (folder.back() != L'\\') folder += L'\\';
    folder += kGameFolderName;
    if (folder.size() > kMaxInstallFolderLength) return std::nullopt;
    return folder;
}
