#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "download/download_task.h"

// The resume record "<file>.cfg" beside a file being downloaded: the expected MD5 and the
// state of each range, so that a later launch continues where this one stopped.
//   {"infoList": [{"begin": b, "end": e, "index": i}, ...], "md5": "..."}

std::string ResumeRecordPath(const std::string& file);

// out := the unfinished ranges of the record, in record order; true when there is at least
// one. A record that cannot be read or parsed changes nothing and gives false. A record that
// parses but is unusable (another MD5, no range list, a value that is not a 32-bit integer,
// ranges that do not fit a file of size bytes, nothing left to fetch, no file beside it) gives
// false and deletes both the record and the file, which must then be fetched whole.
bool ReadResumeRecord(const std::string& file, const std::string& md5, std::int32_t size,
                      std::vector<ChunkInfo>& out);

// Replaces the record; its folder is created when missing. False when it could not be written
// (the download goes on without it).
bool WriteResumeRecord(const std::string& file, const std::string& md5, const std::vector<ChunkInfo>& ranges);

// True when the record can be read, parses, and names md5; nothing is deleted.
bool ResumeRecordMatchesMd5(const std::string& file, const std::string& md5);
