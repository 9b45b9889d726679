#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include <iphlpapi.h>

// The device id ("udid"): the computer name, the CPUID leaf-0 sum and the adapter checksum,
// joined without separators. Computed once per process; later calls (from any thread) return
// the same text.
std::string GetUdid();

// The parts of the device id, exposed so that they can be checked one by one.

// Sum of the high and low 16-bit halves of the four CPUID leaf-0 registers (EAX, EBX, ECX, EDX).
std::uint32_t SumCpuidHalves(const std::array<std::uint32_t, 4>& registers);

// Little-endian 16-bit sum (mod 65536) of the adapter's hardware address; an odd last byte is
// added as a low byte. An address length beyond the record's address field is clamped to it.
std::uint16_t FoldAdapterAddress(const IP_ADAPTER_INFO& adapter);

// (smaller of a and b) * 65536 + (larger of a and b); b is 0 when there is one adapter.
std::uint32_t CombineAdapterChecksums(std::uint16_t first, std::optional<std::uint16_t> second);

// The checksum of the system's first two adapters, in the order the system lists them.
// False when the adapter list cannot be read (no adapter).
bool GetAdapterChecksum(std::uint32_t& out);

// computerName + decimal cpuSum + decimal adapter checksum (left out when there is none).
std::string ComposeUdid(const std::string& computerName, std::uint32_t cpuSum,
                        std::optional<std::uint32_t> adapterChecksum);
