#include "app/handle_buffer.h"

#include <windows.h>

#include <climits>
#include <new>

std::unique_ptr<char[]> ReadHandleToBuffer(kbase::ScopedFileHandle file, std::uint64_t count, int* size) {
    if (!file || count > INT_MAX) {
        return nullptr;
    }
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[count + 1]);
    if (!buffer) {
        return nullptr;
    }
    buffer[count] = '\0';
    std::uint64_t done = 0;
    while (done < count) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), buffer.get() + done, static_cast<DWORD>(count - done), &read, nullptr) ||
            read == 0) {
            return nullptr;
        }
        done += read;
    }
    if (size) {
        *size = static_cast<int>(count);
    }
    return buffer;
}
