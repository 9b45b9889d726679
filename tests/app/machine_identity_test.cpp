#include "app/machine_identity.h"

#include <windows.h>

#include <cctype>
#include <initializer_list>
#include <string>

#include <cpuid.h>
#include <gtest/gtest.h>

#include "app/gate_requests.h"

namespace {

IP_ADAPTER_INFO Adapter(std::initializer_list<unsigned> bytes, UINT length) {
    IP_ADAPTER_INFO adapter = {};
    std::size_t i = 0;
    for (unsigned b : bytes) {
        adapter.Address[i++] = static_cast<BYTE>(b);
    }
    adapter.AddressLength = length;
    return adapter;
}

TEST(FoldAdapterAddress, AddsLittleEndianWordsModulo65536) {
    struct Case { IP_ADAPTER_INFO adapter; std::uint16_t want; } const cases[] = {
        {Adapter({0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, 6), 39270},
        {Adapter({0x02, 0x00, 0x4C, 0x4F, 0x4F, 0x50}, 6), 40861},
        {Adapter({1, 2, 3, 4, 5, 6, 7}, 7), 0x0201 + 0x0403 + 0x0605 + 0x07},  // odd byte is low
        {Adapter({0xAB}, 1), 0xAB},
        {Adapter({0xAB}, 0), 0},
        {Adapter({0xFF, 0xFF, 0xFF, 0xFF}, 4), 0xFFFE},
        // A length beyond the 8-byte field reads only the field.
        {Adapter({1, 0, 1, 0, 1, 0, 1, 0}, 200), 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.adapter.AddressLength);
        EXPECT_EQ(FoldAdapterAddress(c.adapter), c.want);
    }
}

TEST(CombineAdapterChecksums, SmallerHalfFirst) {
    EXPECT_EQ(CombineAdapterChecksums(39270, 40861), 2573639581u);
    EXPECT_EQ(CombineAdapterChecksums(40861, 39270), 2573639581u);
    EXPECT_EQ(CombineAdapterChecksums(39270, std::nullopt), 39270u);
    EXPECT_EQ(CombineAdapterChecksums(500, 500), 500u * 65536u + 500u);
}

TEST(Udid, ComposedFromNameCpuSumAndChecksum) {
    // Leaf 0 of a processor reporting highest leaf 22 and the vendor "GenuineIntel".
    const std::uint32_t cpuSum = SumCpuidHalves({22, 0x756e6547, 0x6c65746e, 0x49656e69});
    EXPECT_EQ(cpuSum, 160620u);
    EXPECT_EQ(ComposeUdid("PC1", cpuSum, 39270), "PC116062039270");
    EXPECT_EQ(ComposeUdid("PC1", cpuSum, std::nullopt), "PC1160620");
    EXPECT_EQ(SumCpuidHalves({0xffffffff, 0xffffffff, 0xffffffff, 0xffffffff}), 8u * 0xffff);
}

TEST(Udid, StableAndWellFormedOnThisMachine) {
    const std::string udid = GetUdid();
    EXPECT_EQ(GetUdid(), udid);

    char name[1024] = {};
    DWORD length = sizeof(name);
    ASSERT_TRUE(::GetComputerNameA(name, &length));
    ASSERT_EQ(udid.compare(0, length, name, length), 0) << udid;
    const std::string numbers = udid.substr(length);

    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid_count(0, 0, eax, ebx, ecx, edx);
    const std::string cpuSum = std::to_string(SumCpuidHalves({eax, ebx, ecx, edx}));
    EXPECT_EQ(numbers.compare(0, cpuSum.size(), cpuSum), 0) << udid;

    std::uint32_t checksum = 0;
    const std::string expectedTail = GetAdapterChecksum(checksum) ? std::to_string(checksum) : "";
    EXPECT_EQ(numbers.substr(cpuSum.size()), expectedTail) << udid;
}

TEST(GateRequests, StripWhiteSpaceAndEncodeValues) {
    struct Case {
        const char* gateKey; const char* version; bool qa; const char* udid; const char* want;
    } const cases[] = {
        {"", "", false, "PC1160620", "get/urls?key=WIN10TW_&udid=PC1160620"},
        {"", "1_2_3", false, "PC1160620", "get/urls?key=WIN10TW_1_2_3&udid=PC1160620"},
        {"KEY 1\r\n", "1_2_3", true, " PC\t1 ", "get/urls?key=KEY1&udid=PC1&is_qa=true"},
        {"k&is_qa=true", "", false, "A&B#1", "get/urls?key=k%26is_qa%3Dtrue&udid=A%26B%231"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(BuildUrlsRequest(c.gateKey, c.version, c.qa, c.udid), c.want);
    }
    EXPECT_EQ(BuildPreDownloadRequest("PC1 160620\n"), "pre_download?channel=TW&udid=PC1160620");
    EXPECT_EQ(BuildPreDownloadRequest("A&B"), "pre_download?channel=TW&udid=A%26B");
}

}  // namespace
