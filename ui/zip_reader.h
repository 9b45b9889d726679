#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

// Reading of the skin archive: zip archives (stored or deflated items, optionally with the
// traditional encryption; no ZIP64, no spanning) from a file handle, a file name or memory.
// The protocol: FindZipItem (name) -> index and unpacked size; a buffer of that size;
// UnzipItem (index, buffer, size) returns 0.

namespace ui {

// Results of the item operations.
enum ZipResult : int {
    kZipOk = 0,
    kZipNotFound = 0x500,           // no item of that name
    kZipMore = 0x600,               // the buffer filled before the item's end; the same index continues
    kZipBadLocalHeader = 0x700,     // the local header disagrees with the directory, or the item
                                    // cannot lie inside the archive as stated
    kZipBadLocalExtra = 0x800,      // the local extra field cannot be read
    kZipWrongPassword = 0x1000,
    kZipBadArgument = 0x10000,      // index out of range, or no archive open
    kZipNotUnzipHandle = 0x80000,
    kZipUnpackFailed = 0x5000000,   // damaged data, read error, or a zero-length buffer
};
// CloseZipItem with no item open.
constexpr int kZipNoItemOpen = -102;

// Sources of OpenZip.
enum ZipSourceMode : std::uint32_t {
    kZipFromHandle = 1,    // an open file handle, read from its position on; the caller closes it
    kZipFromFileName = 2,  // a file name, opened with read sharing and closed with the archive
    kZipFromMemory = 3,    // a block of the given length, read in place; the caller keeps it alive
};

// One item as GetZipItem and FindZipItem describe it.
struct ZipEntry {
    int index = -1;  // in the central directory, from 0; -1 when not found
    // The stored name decoded as UTF-8, without leading drive letters and separators and
    // without anything up to a "..\" or "../" that climbs out of it.
    std::wstring name;
    DWORD attributes = 0;  // FILE_ATTRIBUTE_ read-only, hidden, system, directory, archive
    FILETIME accessTime{};  // UTC
    FILETIME creationTime{};
    FILETIME modificationTime{};
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
};

struct ZipDirectory;
class ZipItem;
class ZipSource;

// The open archive's state: the source, its directory, the item open for unpacking and the
// password. Reached through a ZipHandle.
class ZipReader {
public:
    ZipReader(std::unique_ptr<ZipSource> source, std::unique_ptr<ZipDirectory> directory,
              std::string password);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    int Find(const wchar_t* name, int* index, ZipEntry* entry);
    int GetItem(int index, ZipEntry* entry);
    int Unzip(int index, void* buffer, std::uint32_t length);
    int CloseItem();
    void Close();

private:
    std::unique_ptr<ZipSource> source_;        // null once closed
    std::unique_ptr<ZipDirectory> directory_;
    std::unique_ptr<ZipItem> item_;            // the item open for unpacking
    int itemIndex_ = -1;
    std::string password_;
};

// What OpenZip returns; operations refuse a handle of another kind.
constexpr int kUnzipHandleKind = 1;
struct ZipHandle {
    ZipHandle();
    ~ZipHandle();
    int kind = 0;
    std::unique_ptr<ZipReader> reader;
};

// Null when the source cannot be read or is not a zip archive (a file the reader opened is
// closed again). The password is copied; null is none.
std::unique_ptr<ZipHandle> OpenZip(const void* source, std::uint32_t length, std::uint32_t mode,
                                   const char* password);

// Case-insensitive for ASCII letters only, on the stored names ("/" separated). Found: index,
// and the entry filled through GetZipItem when given (its result). Not found: index -1, the
// entry cleared, 0x500. Closes the open item.
int FindZipItem(ZipHandle* zip, const wchar_t* name, int* index, ZipEntry* entry);
// Index -1: entry.index is the number of items, the rest empty. An item whose local header or
// stated sizes fail the checks gives 0x700 and a cleared entry, so no size of a damaged item
// reaches an allocation. Closes the open item.
int GetZipItem(ZipHandle* zip, int index, ZipEntry* entry);
// Unpacks the item into at most length bytes of buffer: 0 when it ended there, 0x600 when the
// buffer filled first (call again with the same index for the rest). Any other result, and 0,
// close the item, so the next call starts it over.
int UnzipItem(ZipHandle* zip, int index, void* buffer, std::uint32_t length);
// 0, or kZipNoItemOpen.
int CloseZipItem(ZipHandle* zip);
// Closes the item, the archive (and the file the reader opened) and drops the password; the
// handle stays, answering 0x10000, until it is destroyed.
void CloseZip(ZipHandle* zip);

}  // namespace ui
