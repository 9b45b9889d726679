// The in-memory applier: old file, new file and inflated patch held whole.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>

#include "update/byte_add.h"
#include "base/path_util.h"
#include "update/patch_applier.h"
#include "update/patch_files.h"
#include "update/patch_format.h"

namespace {

int CorruptPatch() {
    std::printf("Corrupt patch\n");
    return -1;
}

// The old file whole; false when it does not open, is 2 GiB or more, or reads short.
bool ReadOldFile(const std::wstring& path, PatchBytes& data, std::int64_t& size) {
    kbase::ScopedFileHandle file = OpenPatchInput(path);
    LARGE_INTEGER length{};
    if (!file || !::GetFileSizeEx(file.Get(), &length) || length.QuadPart >= INT_MAX) return false;
    data.reset(new (std::nothrow) std::uint8_t[length.QuadPart + 1]);
    DWORD got = 0;
    if (!data || !::ReadFile(file.Get(), data.get(), static_cast<DWORD>(length.QuadPart), &got, nullptr) ||
        got != length.QuadPart)
        return false;
    size = length.QuadPart;
    return true;
}

// Writes the new file whole; what a failed write left is removed.
int WriteNewFile(const std::wstring& path, const std::uint8_t* data, std::int32_t size) {
    kbase::ScopedFileHandle file = CreatePatchOutput(path);
    if (!file) {
        std::printf("failed to write new file: %ls", path.c_str());
        return -1;
    }
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr);
    if (ok && written == static_cast<DWORD>(size)) return 0;
    if (!ok)
        std::printf("failed to write to new file: %ls", path.c_str());
    else
        std::printf("failed to write to new file: %ls, diff size(%u:%u)", path.c_str(), static_cast<unsigned>(written),
                    static_cast<unsigned>(size));
    file.Reset();
    ::DeleteFileW(path.c_str());
    return -1;
}

}  // namespace

int ApplyPatchMemory(const std::uint8_t* oldData, std::int64_t oldSize, std::uint8_t* newData,
                     std::int64_t newSize, const std::uint8_t* patch, int length) {
    PatchHeader header;
    const PatchHeaderCheck check = ReadPatchHeader(patch, length, header);
    if (check == PatchHeaderCheck::kTooShort) {
        std::printf("fread(%s)", "patchfile");
        return -1;
    }
    if (check == PatchHeaderCheck::kBadMagic) return CorruptPatch();
    if (header.newSize != newSize) {
        std::printf("Corrupt param of newsize\n");
        return -1;
    }
    if (check == PatchHeaderCheck::kNegative || newSize < 0) return CorruptPatch();
    std::int64_t diff = std::int64_t{kPatchHeaderSize} + header.controlLength;
    std::int64_t extra = diff + header.diffLength;
    for (const std::int64_t offset : {diff, extra}) {
        if (offset > length) {
            std::printf("fseeko(%s, %lld)", "patchfile", static_cast<long long>(offset));
            return -1;
        }
    }

    std::int64_t control = kPatchHeaderSize;
    std::int64_t newPosition = 0;
    std::int64_t oldPosition = 0;
    while (newPosition < newSize) {
        if (length - control < kPatchTripleSize) return CorruptPatch();
        const std::int32_t x = DecodePatchNumber(patch + control);
        const std::int32_t y = DecodePatchNumber(patch + control + kPatchNumberSize);
        const std::int32_t z = DecodePatchNumber(patch + control + 2 * kPatchNumberSize);
        control += kPatchTripleSize;
        if (x < 0 || y < 0) return CorruptPatch();

        // Add span: the diff bytes, plus the old bytes where the old range lies inside the old file.
        if (newPosition + x > newSize || length - diff < x) return CorruptPatch();
        std::uint8_t* out = newData + newPosition;
        const std::uint8_t* in = patch + diff;
        const std::int64_t from = std::clamp<std::int64_t>(-oldPosition, 0, x);
        const std::int64_t to = std::clamp<std::int64_t>(oldSize - oldPosition, from, x);
        std::memcpy(out, in, static_cast<std::size_t>(x));
        if (from < to)
            AddBytes(out + from, in + from, oldData + oldPosition + from, static_cast<std::size_t>(to - from));
        diff += x;
        newPosition += x;

        // Copy span: the extra bytes as they stand.
        if (newPosition + y > newSize || length - extra < y) return CorruptPatch();
        std::memcpy(newData + newPosition, patch + extra, static_cast<std::size_t>(y));
        extra += y;
        newPosition += y;
        oldPosition += std::int64_t{x} + z;
    }
    return 0;
}

int BaPatchFileW(const std::wstring& oldPath, const std::wstring& newPath, const std::wstring& patchPath) {
    PatchBytes patch;
    int length = 0;
    DWORD openError = 0;
    if (LoadPatchFile(patchPath, patch, length, openError) <= 0) return -1;
    PatchHeader header;
    const PatchHeaderCheck check = ReadPatchHeader(patch.get(), length, header);
    if (check == PatchHeaderCheck::kTooShort) {
        std::printf("fread(%ls)", patchPath.c_str());
        return -1;
    }
    // An N that the patch cannot fill would only cost an allocation before failing.
    if (check != PatchHeaderCheck::kValid || header.newSize > MaxPatchedSize(header, length)) return CorruptPatch();

    PatchBytes oldData;
    std::int64_t oldSize = 0;
    if (!ReadOldFile(oldPath, oldData, oldSize)) {
        std::printf("old file: %ls", oldPath.c_str());
        return -1;
    }
    PatchBytes newData(new (std::nothrow) std::uint8_t[std::size_t(header.newSize) + 1]);
    if (!newData) {
        std::printf("Failed to allocate memory for new");
        return -1;
    }
    const int result = ApplyPatchMemory(oldData.get(), oldSize, newData.get(), header.newSize, patch.get(), length);
    if (result != 0) {
        std::printf("bapatch failed:");
        return result;
    }
    return WriteNewFile(newPath, newData.get(), header.newSize);
}

int BaPatchFileA(const std::string& oldPath, const std::string& newPath, const std::string& patchPath) {
    return BaPatchFileW(kbase::WidePath(oldPath), kbase::WidePath(newPath), kbase::WidePath(patchPath));
}
