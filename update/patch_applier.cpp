#include "update/patch_applier.h"
#include "base/path_util.h"

#include <new>

#include "update/patch_block_reader.h"
#include "update/patch_files.h"
#include "update/patch_format.h"

std::atomic<bool> PatchCancelFlag{false};
std::atomic<bool> AltPatchSuffix{false};

const char* CurrentPatchSuffix() { return AltPatchSuffix.load() ? ".qzdiff" : ".patch"; }

namespace {

// One triple: 0, or its PatchTripleDetail.
int ApplyTriple(std::int32_t x, std::int32_t y, HANDLE oldFile, std::int64_t oldSize, HANDLE newFile,
                std::int64_t newSize, std::int64_t newPosition, std::int64_t oldPosition, PatchBlockReader& diff,
                PatchBlockReader& extra, std::uint8_t* work, std::uint8_t* oldBytes) {
    if (x < 0 || y < 0 || newPosition + x > newSize) return kTripleBadLength;
    if (diff.ApplyPatchSpan(x, newFile, newPosition, oldFile, oldSize, oldPosition, work, oldBytes) < 0)
        return kTripleAddSpanFailed;
    if (newPosition + x + y > newSize) return kTripleCopyPastNewSize;
    if (extra.ApplyPatchSpan(y, newFile, newPosition + x, nullptr, 0, 0, work, nullptr) < 0)
        return kTripleCopySpanFailed;
    if (PatchCancelFlag.load(std::memory_order_relaxed)) return kTripleCancelled;
    return 0;
}

}  // namespace

int ApplyPatchStream(HANDLE oldFile, std::int64_t oldSize, HANDLE newFile, std::int64_t newSize,
                     const std::uint8_t* patch, int length, int& detail) {
    detail = 0;
    PatchHeader header;
    if (ReadPatchHeader(patch, length, header) != PatchHeaderCheck::kValid) return kPatchBadHeader;
    const std::int64_t diffStart = std::int64_t{kPatchHeaderSize} + header.controlLength;
    if (diffStart > length) return kPatchControlPastEnd;
    const std::int64_t extraStart = diffStart + header.diffLength;
    if (extraStart > length) return kPatchDiffPastEnd;
    PatchBlockReader diff(patch, length, static_cast<int>(diffStart));
    PatchBlockReader extra(patch, length, static_cast<int>(extraStart));

    PatchBytes work(new (std::nothrow) std::uint8_t[kPatchPieceSize]);
    if (!work) return kPatchNoWorkBuffer;
    PatchBytes oldBytes(new (std::nothrow) std::uint8_t[kPatchPieceSize]);
    if (!oldBytes) return kPatchNoOldBuffer;

    std::int64_t control = kPatchHeaderSize;
    std::int64_t newPosition = 0;
    std::int64_t oldPosition = 0;
    while (newPosition < newSize) {
        if (length - control < kPatchTripleSize) {
            detail = kTripleControlPastEnd;
            break;
        }
        const std::int32_t x = DecodePatchNumber(patch + control);
        const std::int32_t y = DecodePatchNumber(patch + control + kPatchNumberSize);
        const std::int32_t z = DecodePatchNumber(patch + control + 2 * kPatchNumberSize);
        control += kPatchTripleSize;
        detail = ApplyTriple(x, y, oldFile, oldSize, newFile, newSize, newPosition, oldPosition, diff, extra,
                             work.get(), oldBytes.get());
        if (detail < 0) break;
        oldPosition += std::int64_t{x} + z;
        newPosition += std::int64_t{x} + y;
    }
    return detail < 0 ? kPatchTripleFailed : kPatchApplied;
}

int ApplyPatchFileW(const std::wstring& oldPath, const std::wstring& newPath, const std::wstring& patchPath,
                    int& error) {
    PatchBytes patch;
    int length = 0;
    DWORD openError = 0;
    const int loaded = LoadPatchFile(patchPath, patch, length, openError);
    if (loaded <= 0) {
        if (loaded == 0) error = static_cast<int>(openError);
        return kPatchFileUnreadable;
    }
    PatchHeader header;
    if (ReadPatchHeader(patch.get(), length, header) != PatchHeaderCheck::kValid) return kPatchFileBadHeader;

    kbase::ScopedFileHandle oldFile = OpenPatchInput(oldPath);
    LARGE_INTEGER oldSize{};
    if (!oldFile || !::GetFileSizeEx(oldFile.Get(), &oldSize)) return kPatchFileNoOldFile;
    kbase::ScopedFileHandle newFile = CreatePatchOutput(newPath);
    if (!newFile) return kPatchFileNoNewFile;
    error = 0;
    return ApplyPatchStream(oldFile.Get(), oldSize.QuadPart, newFile.Get(), header.newSize, patch.get(), length,
                            error);
}

int ApplyPatchFileA(const std::string& oldPath, const std::string& newPath, const std::string& patchPath,
                    int& error) {
    return ApplyPatchFileW(kbase::WidePath(oldPath), kbase::WidePath(newPath), kbase::WidePath(patchPath),
                           error);
}
