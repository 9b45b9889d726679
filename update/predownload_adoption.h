#pragma once

#include <string>

// Takes a file that the pre-download fetched for the version now being installed over into the
// update folder. The pre-download keeps each file under its MD5 text in preDownloadFolder, with
// a resume record "<file>.cfg" beside it while incomplete; the update wants it as
// <updateFolder>\<name>. True when the file now lies complete under the update folder and needs
// no download (with PreDlcCheck set: only when its MD5 also matches). An incomplete file moves
// with its record, so that the download resumes from it. With keepSource the pre-downloaded file
// is copied instead, for the further entries that share its content. Narrow paths, system code
// page.
bool AdoptPreDownloadedFile(const std::string& preDownloadFolder, const std::string& updateFolder,
                            const std::string& name, const std::string& md5, bool keepSource = false);
