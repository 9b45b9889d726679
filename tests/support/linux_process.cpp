#include "tests/support/linux_process.h"

#include <vector>

#include "base/unique_handle.h"

namespace {

// Two connected loopback sockets; the child's end is a plain (non-overlapped) socket, usable as a
// standard handle.
bool MakeSocketPair(ScopedSocket& ours, ScopedSocket& theirs) {
    ScopedSocket listener(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (!listener || ::bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(listener.Get(), 1) != 0 ||
        ::getsockname(listener.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return false;
    }
    theirs.Reset(::WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, 0));
    if (!theirs || ::connect(theirs.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        return false;
    }
    ours.Reset(::accept(listener.Get(), nullptr, nullptr));
    return static_cast<bool>(ours);
}

}  // namespace

bool LaunchLinuxProgram(const wchar_t* program, const std::wstring& command_line,
                        const std::wstring& working_folder, ScopedSocket& ours) {
    ScopedSocket theirs;
    if (!MakeSocketPair(ours, theirs)) return false;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = reinterpret_cast<HANDLE>(theirs.Get());
    startup.hStdOutput = reinterpret_cast<HANDLE>(theirs.Get());
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info = {};
    std::vector<wchar_t> buffer(command_line.begin(), command_line.end());
    buffer.push_back(L'\0');
    if (!::CreateProcessW(program, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          working_folder.empty() ? nullptr : working_folder.c_str(), &startup, &info)) {
        ours.Reset();
        return false;
    }
    // Null for a Linux child; closed in case a future Wine hands them out.
    kbase::ScopedHandle process(info.hProcess);
    kbase::ScopedHandle thread(info.hThread);
    return true;  // theirs closes here: the child holds the only other copy
}
