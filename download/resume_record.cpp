#include "download/resume_record.h"

#include <windows.h>

#include <json/json.h>

#include "app/file_util.h"
#include "app/json_util.h"
#include "base/path_util.h"
#include "download/file_ranges.h"
#include "download/local_file.h"

namespace {

// A record of 64 ranges takes a few kilobytes; anything far larger is not one of ours.
constexpr std::size_t kMaxRecordBytes = 1 << 20;

bool ReadRecordJson(const std::string& file, Json::Value& root) {
    std::string text, errors;
    return ReadFileToString(ResumeRecordPath(file), text) && text.size() <= kMaxRecordBytes &&
           ParseJson(text, root, errors);
}

bool ReadInt32(const Json::Value& entry, const char* key, std::int32_t& out) {
    const Json::Value& value = entry[key];
    if (!value.isInt()) return false;
    out = value.asInt();
    return true;
}

// All ranges of the record, finished ones included; false when any entry is malformed.
bool ReadRanges(const Json::Value& list, std::vector<ChunkInfo>& out) {
    for (const Json::Value& entry : list) {
        ChunkInfo range;
        if (!entry.isObject() || !ReadInt32(entry, "index", range.index) || !ReadInt32(entry, "begin", range.begin) ||
            !ReadInt32(entry, "end", range.end)) {
            return false;
        }
        out.push_back(range);
    }
    return true;
}

}  // namespace

std::string ResumeRecordPath(const std::string& file) {
    return file + ".cfg";
}

bool ReadResumeRecord(const std::string& file, const std::string& md5, std::int32_t size,
                      std::vector<ChunkInfo>& out) {
    Json::Value root;
    if (!ReadRecordJson(file, root)) return false;
    std::vector<ChunkInfo> ranges;
    // Without the file, the ranges it calls finished are not there either.
    const bool usable = LocalFileExists(file) && root.isObject() && root["md5"].isString() &&
                        root["md5"].asString() == md5 && root["infoList"].isArray() &&
                        ReadRanges(root["infoList"], ranges) && RangesFitFile(ranges, size);
    std::vector<ChunkInfo> open;
    if (usable) {
        for (const ChunkInfo& range : ranges) {
            if (!range.Finished()) open.push_back(range);
        }
    }
    if (open.empty()) {
        DeleteLocalFile(file);
        DeleteLocalFile(ResumeRecordPath(file));
        return false;
    }
    out.insert(out.end(), open.begin(), open.end());
    return true;
}

bool WriteResumeRecord(const std::string& file, const std::string& md5, const std::vector<ChunkInfo>& ranges) {
    const std::string path = ResumeRecordPath(file);
    CreateParentFolders(path);
    Json::Value root(Json::objectValue);
    root["md5"] = md5;
    Json::Value& list = root["infoList"] = Json::Value(Json::arrayValue);
    for (const ChunkInfo& range : ranges) {
        Json::Value entry(Json::objectValue);
        entry["index"] = range.index;
        entry["begin"] = range.begin;
        entry["end"] = range.end;
        list.append(entry);
    }
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "\t";
    const std::string text = Json::writeString(writer, root);
    // Written in place, without a flush of its own: a record torn by a crash does not parse and
    // is then ignored, and one that parses never names bytes that were not flushed before it.
    kbase::ScopedFileHandle out(::CreateFileW(kbase::WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return out && ::WriteFile(out.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

bool ResumeRecordMatchesMd5(const std::string& file, const std::string& md5) {
    Json::Value root;
    return ReadRecordJson(file, root) && root.isObject() && root["md5"].isString() && root["md5"].asString() == md5;
}
