// The Windows side of tools/bench/update_bench.sh, timing the launcher's own code in-process (so
// Wine's start-up stays out of the figures):
//   update_bench md5 <folder>                  hashes every file below folder as the launcher does
//   update_bench apply <old> <new> <patch>     the streaming patch applier
// Each prints one line: "<verb> ok|failed <bytes> <seconds>".
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <list>
#include <string>

#include "app/file_util.h"
#include "app/md5.h"
#include "update/patch_applier.h"

namespace {

double Seconds(const LARGE_INTEGER& start) {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int HashTree(const std::wstring& folder) {
    LARGE_INTEGER start{};
    ::QueryPerformanceCounter(&start);
    std::list<std::wstring> files;
    bool ok = ListFilesRecursiveW(folder, files, {}) >= 0;
    std::int64_t total = 0;
    for (const std::wstring& file : files) {
        std::string hex;
        std::int64_t size = 0;
        ok = Md5OfFile(file, hex, size) && ok;
        total += size;
    }
    std::printf("md5 %s %lld %.3f\n", ok ? "ok" : "failed", static_cast<long long>(total), Seconds(start));
    return ok ? 0 : 1;
}

int Apply(const std::wstring& oldPath, const std::wstring& newPath, const std::wstring& patchPath) {
    LARGE_INTEGER start{};
    ::QueryPerformanceCounter(&start);
    int detail = 0;
    const int result = ApplyPatchFileW(oldPath, newPath, patchPath, detail);
    const double seconds = Seconds(start);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(newPath.c_str(), GetFileExInfoStandard, &data);
    const std::int64_t size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    std::printf("apply %s %lld %.3f\n", result == 0 ? "ok" : "failed", static_cast<long long>(size), seconds);
    if (result != 0) std::fprintf(stderr, "apply: result %d, detail %d\n", result, detail);
    return result == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"md5" && argc == 3) return HashTree(argv[2]);
    if (verb == L"apply" && argc == 5) return Apply(argv[2], argv[3], argv[4]);
    std::fprintf(stderr, "usage: update_bench md5 <folder> | apply <old> <new> <patch>\n");
    return 2;
}
