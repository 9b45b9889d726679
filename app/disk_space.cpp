#include "app/disk_space.h"

#include "app/file_util.h"
#include "app/system_info.h"
#include "base/string_format.h"
#include "base/string_util.h"

bool QueryFreeDiskSpace(const std::wstring& path, std::uint64_t& freeBytes) {
    std::uint64_t total = 0;
    return GetDiskSpaceW(path, total, freeBytes);
}

std::wstring RequiredSpaceText() {
    return kbase::FormatWideString(L"%5.2fG", 4.0);
}

std::wstring FillNeedDiskSpaceText(const std::wstring& text, const std::wstring& sizeText,
                                   const std::wstring& drive) {
    std::wstring filled = text;
    kbase::ReplaceAll(L"{p2}", sizeText, filled);
    kbase::ReplaceAll(L"{p1}", drive, filled);
    return filled;
}

bool CheckFreeDiskSpace(const std::wstring& path, const std::wstring& text,
                        const std::wstring& button1Id, const std::wstring& button2Id,
                        const DiskSpaceAnswer& answer, const DiskSpaceServices& services) {
    std::uint64_t freeBytes = 0;
    if (!services.queryFree(path, freeBytes)) {
        services.showMessageBox(L"STRING_ERROR_NOTICE", L"STRING_ERROR_INVALID_DISKSPACE", L"",
                                L"STRING_CONFIRM", nullptr);
        return true;
    }
    if (freeBytes >= kRequiredFreeBytes) return true;
    services.showMessageBoxEx(L"STRING_ERROR_NOTICE", text, button1Id, button2Id, answer);
    return false;
}

bool CheckDownloadDiskSpace(const std::wstring& gamePath, const std::wstring& launcherPath,
                            const std::wstring& needText, const DiskSpaceAnswer& answer,
                            const DiskSpaceServices& services) {
    const std::wstring size = RequiredSpaceText();
    const std::wstring gameText = FillNeedDiskSpaceText(needText, size, GetDriveName(gamePath));
    if (!CheckFreeDiskSpace(gamePath, gameText, L"STRING_CANCEL", L"STRING_DOWNLOAD_CONTINUE",
                            answer, services)) {
        return false;
    }
    const std::wstring launcherText = FillNeedDiskSpaceText(needText, size, GetDriveName(launcherPath));
    return CheckFreeDiskSpace(launcherPath, launcherText, L"STRING_CANCEL",
                              L"STRING_DOWNLOAD_CONTINUE", answer, services);
}

bool CheckInstallDiskSpace(const std::wstring& gamePath, const std::wstring& launcherPath,
                           const std::wstring& needText, const DiskSpaceAnswer& answer,
                           const DiskSpaceServices& services) {
    const std::wstring text = kbase::FillTextValue(needText, RequiredSpaceText());
    return CheckFreeDiskSpace(gamePath, text, L"", L"STRING_CONFIRM", answer, services) &&
           CheckFreeDiskSpace(launcherPath, text, L"", L"STRING_CONFIRM", answer, services);
}
