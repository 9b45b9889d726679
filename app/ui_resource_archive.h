#pragma once

#include <string>

#include "app/ui_seam.h"

// Which skin archive the UI framework reads.
enum class UiArchive {
    kNone,      // none could be opened: skins are read from the resource folder on disk
    kCopy,      // update\tmp_resources.zip, the copy of resources.zip beside the executable
    kEmbedded,  // the archive embedded in the executable (resource RESOURCES/129)
};

// resources.zip in launcherDir (ending with a separator) wins: it is copied to
// update\tmp_resources.zip and the copy is opened, so that a launcher update may replace
// resources.zip while the launcher runs. When it is absent, cannot be copied or the copy does
// not open as an archive, the embedded archive is opened. The archive open before is closed.
UiArchive LoadUiResourceArchive(const std::wstring& launcherDir, const UiServices& ui);
