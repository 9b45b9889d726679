#include "update/parent_process.h"

#include <windows.h>

#include <tlhelp32.h>

#include "base/unique_handle.h"

namespace {

DWORD ParentProcessId() {
    const kbase::ScopedFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    const DWORD self = ::GetCurrentProcessId();
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == self) return entry.th32ParentProcessID;
    }
    return 0;
}

ULONGLONG CreationTime(HANDLE process) {
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

void WaitForParentExit(unsigned long timeoutMs) {
    const DWORD parentId = ParentProcessId();
    if (parentId == 0) return;
    const kbase::ScopedHandle parent(
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parentId));
    if (!parent) return;
    // Process ids are reused: a process started after this one is not the one to wait for.
    if (CreationTime(parent.Get()) > CreationTime(::GetCurrentProcess())) return;
    ::WaitForSingleObject(parent.Get(), timeoutMs);
}
