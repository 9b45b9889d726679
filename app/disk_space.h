#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Free-space checks before a game download or installation: the game folder's drive and the
// launcher's own drive (which holds update\) each need 4 GiB free for the caller.
inline constexpr std::uint64_t kRequiredFreeBytes = 4294967296ULL;

// Called with the user's answer to the box that reported too little space.
using DiskSpaceAnswer = std::function<void(int answer)>;

// The system's answer for the drive of path (see GetDiskSpaceW): bytes free for the caller;
// false when they cannot be read.
bool QueryFreeDiskSpace(const std::wstring& path, std::uint64_t& freeBytes);

// What the checks need from outside: the free-space query and the two kinds of notice box,
// both shown on the UI thread by their implementer. The boxes must be set.
using FreeSpaceQuery = std::function<bool(const std::wstring& path, std::uint64_t& freeBytes)>;

struct DiskSpaceServices {
    FreeSpaceQuery queryFree = QueryFreeDiskSpace;
    // A box whose text is a language text id.
    std::function<void(const std::wstring& titleId, const std::wstring& textId,
                       const std::wstring& button1Id, const std::wstring& button2Id,
                       DiskSpaceAnswer answer)> showMessageBox;
    // A box whose text is shown as it stands.
    std::function<void(const std::wstring& titleId, const std::wstring& text,
                       const std::wstring& button1Id, const std::wstring& button2Id,
                       DiskSpaceAnswer answer)> showMessageBoxEx;
};

// " 4.00G": the required space as the notices write it.
std::wstring RequiredSpaceText();

// The download notice: every "{p2}" becomes sizeText, then every "{p1}" drive.
std::wstring FillNeedDiskSpaceText(const std::wstring& text, const std::wstring& sizeText,
                                   const std::wstring& drive);

// True when the drive of path has kRequiredFreeBytes free, or when its free space cannot be
// read (the user is told and the operation goes on). Otherwise shows text with the two
// buttons, hands answer to that box and returns false.
bool CheckFreeDiskSpace(const std::wstring& path, const std::wstring& text,
                        const std::wstring& button1Id, const std::wstring& button2Id,
                        const DiskSpaceAnswer& answer, const DiskSpaceServices& services);

// The check before a game download. needText is the language text of
// "STRING_ERROR_NEED_DISKSPACE_R". The launcher's drive is tested only when the game's passed.
bool CheckDownloadDiskSpace(const std::wstring& gamePath, const std::wstring& launcherPath,
                            const std::wstring& needText, const DiskSpaceAnswer& answer,
                            const DiskSpaceServices& services);

// The check before a first installation. needText is the language text of
// "STRING_ERROR_NEED_DISKSPACE"; its first "%ls" becomes the required size.
bool CheckInstallDiskSpace(const std::wstring& gamePath, const std::wstring& launcherPath,
                           const std::wstring& needText, const DiskSpaceAnswer& answer,
                           const DiskSpaceServices& services);
