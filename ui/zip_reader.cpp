#include "ui/zip_reader.h"

#include "base/string_conversions.h"
#include "ui/zip_directory.h"
#include "ui/zip_entry.h"
#include "ui/zip_item.h"
#include "ui/zip_local_header.h"
#include "ui/zip_source.h"

namespace ui {

namespace {

std::unique_ptr<ZipSource> MakeSource(const void* source, std::uint32_t length, std::uint32_t mode) {
    switch (mode) {
        case kZipFromHandle:
            return ZipSource::FromHandle(const_cast<HANDLE>(source));
        case kZipFromFileName:
            return ZipSource::FromFileName(static_cast<const wchar_t*>(source));
        case kZipFromMemory:
            return ZipSource::FromMemory(source, length);
        default:
            return nullptr;
    }
}

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameNameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

// The reader of an unzip handle, or the result that refuses the handle.
int ReaderOf(ZipHandle* zip, ZipReader*& reader) {
    if (!zip) return kZipBadArgument;
    if (zip->kind != kUnzipHandleKind) return kZipNotUnzipHandle;
    if (!zip->reader) return kZipBadArgument;
    reader = zip->reader.get();
    return kZipOk;
}

}  // namespace

ZipReader::ZipReader(std::unique_ptr<ZipSource> source, std::unique_ptr<ZipDirectory> directory,
                     std::string password)
    : source_(std::move(source)), directory_(std::move(directory)), password_(std::move(password)) {}

ZipReader::~ZipReader() = default;

int ZipReader::Find(const wchar_t* name, int* index, ZipEntry* entry) {
    CloseItem();
    std::string wanted;
    if (source_ && name && kbase::WideToUtf8(name, wanted)) {
        for (std::size_t i = 0; i < directory_->records.size(); ++i) {
            if (!SameNameIgnoringAsciiCase(directory_->records[i].name, wanted)) continue;
            if (index) *index = static_cast<int>(i);
            return entry ? GetItem(static_cast<int>(i), entry) : kZipOk;
        }
    }
    if (index) *index = -1;
    if (entry) *entry = ZipEntry{};
    return source_ ? kZipNotFound : kZipBadArgument;
}

int ZipReader::GetItem(int index, ZipEntry* entry) {
    CloseItem();
    if (!source_ || !entry) return kZipBadArgument;
    *entry = ZipEntry{};
    const int count = static_cast<int>(directory_->records.size());
    if (index == -1) {
        entry->index = count;
        return kZipOk;
    }
    if (index < 0 || index >= count) return kZipBadArgument;
    const ZipCentralRecord& record = directory_->records[index];
    ZipItemPlace place;
    const int result = LocateZipItem(*source_, *directory_, record, true, place);
    if (result == kZipOk) *entry = MakeZipEntry(index, record, place.localExtra);
    return result;
}

int ZipReader::Unzip(int index, void* buffer, std::uint32_t length) {
    if (!source_) return kZipBadArgument;
    if (index != itemIndex_) {
        CloseItem();
        if (index < 0 || static_cast<std::size_t>(index) >= directory_->records.size()) return kZipBadArgument;
        const ZipCentralRecord& record = directory_->records[index];
        ZipItemPlace place;
        if (LocateZipItem(*source_, *directory_, record, false, place) != kZipOk) return kZipUnpackFailed;
        item_ = std::make_unique<ZipItem>(*source_, record, place.dataStart, password_);
        itemIndex_ = index;
    }
    const int result = item_->Read(static_cast<std::uint8_t*>(buffer), length);
    if (result != kZipMore) CloseItem();
    return result;
}

int ZipReader::CloseItem() {
    if (!item_) return kZipNoItemOpen;
    item_.reset();
    itemIndex_ = -1;
    return kZipOk;
}

void ZipReader::Close() {
    CloseItem();
    directory_.reset();
    source_.reset();
    password_.clear();
}

ZipHandle::ZipHandle() = default;
ZipHandle::~ZipHandle() = default;

std::unique_ptr<ZipHandle> OpenZip(const void* source, std::uint32_t length, std::uint32_t mode,
                                   const char* password) {
    std::unique_ptr<ZipSource> zipSource = MakeSource(source, length, mode);
    if (!zipSource) return nullptr;
    std::optional<ZipDirectory> directory = ReadZipDirectory(*zipSource);
    if (!directory) return nullptr;  // the source, and a file it opened, close here
    auto zip = std::make_unique<ZipHandle>();
    zip->kind = kUnzipHandleKind;
    zip->reader = std::make_unique<ZipReader>(std::move(zipSource),
                                              std::make_unique<ZipDirectory>(std::move(*directory)),
                                              password ? password : "");
    return zip;
}

int FindZipItem(ZipHandle* zip, const wchar_t* name, int* index, ZipEntry* entry) {
    ZipReader* reader = nullptr;
    if (const int result = ReaderOf(zip, reader); result != kZipOk) return result;
    return reader->Find(name, index, entry);
}

int GetZipItem(ZipHandle* zip, int index, ZipEntry* entry) {
    ZipReader* reader = nullptr;
    if (const int result = ReaderOf(zip, reader); result != kZipOk) return result;
    return reader->GetItem(index, entry);
}

int UnzipItem(ZipHandle* zip, int index, void* buffer, std::uint32_t length) {
    ZipReader* reader = nullptr;
    if (const int result = ReaderOf(zip, reader); result != kZipOk) return result;
    return reader->Unzip(index, buffer, length);
}

int CloseZipItem(ZipHandle* zip) {
    ZipReader* reader = nullptr;
    if (const int result = ReaderOf(zip, reader); result != kZipOk) return kZipNoItemOpen;
    return reader->CloseItem();
}

void CloseZip(ZipHandle* zip) {
    ZipReader* reader = nullptr;
    if (ReaderOf(zip, reader) == kZipOk) reader->Close();
}

}  // namespace ui
