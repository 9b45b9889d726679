#include "app/machine_identity.h"

#include <algorithm>
#include <memory>
#include <new>

#include <cpuid.h>

namespace {

// The NetBIOS name in the system's ANSI code page; empty when it cannot be read.
std::string ReadComputerName() {
    // Wider than a NetBIOS name: some systems report their longer host name here.
    char name[1024] = {};
    DWORD length = ARRAYSIZE(name);
    if (!::GetComputerNameA(name, &length)) {
        return {};
    }
    return std::string(name, length);
}

std::uint32_t CpuidLeafZeroSum() {
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid_count(0, 0, eax, ebx, ecx, edx);
    return SumCpuidHalves({eax, ebx, ecx, edx});
}

std::string ComputeUdid() {
    std::uint32_t checksum = 0;
    const bool haveChecksum = GetAdapterChecksum(checksum);
    return ComposeUdid(ReadComputerName(), CpuidLeafZeroSum(),
                       haveChecksum ? std::optional<std::uint32_t>(checksum) : std::nullopt);
}

}  // namespace

std::string GetUdid() {
    static const std::string udid = ComputeUdid();
    return udid;
}

std::uint32_t SumCpuidHalves(const std::array<std::uint32_t, 4>& registers) {
    std::uint32_t sum = 0;
    for (std::uint32_t value : registers) {
        sum += (value >> 16) + (value & 0xffff);
    }
    return sum;
}

std::uint16_t FoldAdapterAddress(const IP_ADAPTER_INFO& adapter) {
    const std::size_t length = std::min<std::size_t>(adapter.AddressLength, sizeof(adapter.Address));
    const BYTE* bytes = adapter.Address;
    std::uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < length; i += 2) {
        sum += bytes[i] + 256u * bytes[i + 1];
    }
    if (i < length) {
        sum += bytes[i];
    }
    return static_cast<std::uint16_t>(sum & 0xffff);
}

std::uint32_t CombineAdapterChecksums(std::uint16_t first, std::optional<std::uint16_t> second) {
    const std::uint16_t other = second.value_or(0);
    return static_cast<std::uint32_t>(std::min(first, other)) * 65536u + std::max(first, other);
}

bool GetAdapterChecksum(std::uint32_t& out) {
    // Sized by what the system asks for, so that a machine with many adapters still gets one.
    ULONG bytes = 0;
    std::unique_ptr<IP_ADAPTER_INFO[]> adapters;
    ULONG status = ERROR_BUFFER_OVERFLOW;
    for (int round = 0; round < 4 && status == ERROR_BUFFER_OVERFLOW; ++round) {
        const std::size_t count = bytes / sizeof(IP_ADAPTER_INFO) + 1;
        adapters.reset(new (std::nothrow) IP_ADAPTER_INFO[count]);
        if (!adapters) {
            return false;
        }
        bytes = static_cast<ULONG>(count * sizeof(IP_ADAPTER_INFO));
        status = ::GetAdaptersInfo(adapters.get(), &bytes);
    }
    if (status != ERROR_SUCCESS) {
        return false;
    }
    const IP_ADAPTER_INFO& first = adapters[0];
    std::optional<std::uint16_t> second;
    if (first.Next) {
        second = FoldAdapterAddress(*first.Next);
    }
    out = CombineAdapterChecksums(FoldAdapterAddress(first), second);
    return true;
}

std::string ComposeUdid(const std::string& computerName, std::uint32_t cpuSum,
                        std::optional<std::uint32_t> adapterChecksum) {
    std::string udid = computerName + std::to_string(cpuSum);
    if (adapterChecksum) {
        udid += std::to_string(*adapterChecksum);
    }
    return udid;
}
