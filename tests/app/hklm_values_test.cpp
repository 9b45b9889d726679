#include "app/hklm_values.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "app/registry_key.h"
#include "app/system_info.h"

namespace {

// A key of its own under HKLM (64-bit view), filled by the test and removed afterwards.
class HklmValuesTest : public testing::Test {
protected:
    const std::wstring parentPath_ = L"SOFTWARE\\TarvenorLauncherTests";
    const std::wstring keyPath_ = parentPath_ + L"\\HklmValues" + std::to_wstring(::GetCurrentProcessId());

    void SetUp() override {
        HKEY raw = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath_.c_str(), 0, nullptr, 0,
                                    KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        key_.Reset(raw);
    }

    void TearDown() override {
        key_.Reset();
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, keyPath_.c_str(), KEY_WOW64_64KEY, 0);
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, parentPath_.c_str(), KEY_WOW64_64KEY, 0);  // only when empty
    }

    void Set(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        ASSERT_EQ(::RegSetValueExW(key_.Get(), name, 0, type, static_cast<const BYTE*>(data), bytes),
                  ERROR_SUCCESS);
    }
    void SetText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
        Set(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    ScopedRegistryKey key_;
};

TEST_F(HklmValuesTest, ReadsStringsWholeAndTerminated) {
    const std::wstring longText(1000, L'x');  // beyond any fixed 260-byte buffer
    SetText(L"plain", L"Windows 10 Pro");
    SetText(L"expand", L"%SystemRoot%\\x", REG_EXPAND_SZ);
    SetText(L"long", longText);
    SetText(L"unicode", L"Caf\u00e9 \u4e2d");
    SetText(L"empty", L"");
    // Stored without a terminator, once with an odd byte count (half a character trails).
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    Set(L"unterminated", REG_SZ, unterminated, sizeof(unterminated));
    Set(L"odd", REG_SZ, unterminated, sizeof(unterminated) - 1);
    const wchar_t embedded[] = {L'a', L'b', 0, L'c', 0};
    Set(L"embedded", REG_SZ, embedded, sizeof(embedded));
    const DWORD number = 7;
    Set(L"number", REG_DWORD, &number, sizeof(number));

    struct Case { const char* name; std::string want; } const cases[] = {
        {"plain", "Windows 10 Pro"},
        {"expand", "%SystemRoot%\\x"},
        {"long", std::string(1000, 'x')},
        {"unicode", "Caf\xC3\xA9 \xE4\xB8\xAD"},
        {"empty", ""},
        {"unterminated", "abc"},
        {"odd", "abc"},  // the trailing half character reads with a zero high byte
        {"embedded", "ab"},
        {"number", ""},   // not a string
        {"missing", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadHklmString(keyPath_, c.name), c.want);
    }
    EXPECT_EQ(ReadHklmString(keyPath_ + L"\\missing", "plain"), "");
}

TEST_F(HklmValuesTest, ReadsDwordsAsUnsignedDecimal) {
    const DWORD small = 10;
    const DWORD large = 0xFFFFFFFF;
    const unsigned long long wide = 5;
    const DWORD binary = 9;
    Set(L"small", REG_DWORD, &small, sizeof(small));
    Set(L"large", REG_DWORD, &large, sizeof(large));
    Set(L"qword", REG_QWORD, &wide, sizeof(wide));
    Set(L"binary", REG_BINARY, &binary, sizeof(binary));
    SetText(L"text", L"12");

    struct Case { const char* name; const char* want; } const cases[] = {
        {"small", "10"}, {"large", "4294967295"}, {"qword", "0"}, {"binary", "0"}, {"text", "0"}, {"missing", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadHklmDwordText(keyPath_, c.name), c.want);
    }
    EXPECT_EQ(ReadHklmDwordText(keyPath_ + L"\\missing", "small"), "0");
}

TEST(SystemValues, ReadFromTheSystemsKeys) {
    const std::string os = GetOsVersionText();
    // major.minor.build: two numbers, then the build (which may be empty).
    const std::size_t firstDot = os.find('.');
    const std::size_t secondDot = os.find('.', firstDot + 1);
    ASSERT_NE(secondDot, std::string::npos) << os;
    EXPECT_GT(firstDot, 0u) << os;
    EXPECT_EQ(os.find_first_not_of("0123456789."), std::string::npos) << os;

    EXPECT_FALSE(GetCpuName().empty());
    // The machine GUID is a braceless GUID text.
    const std::string guid = GetMachineGuid();
    ASSERT_EQ(guid.size(), 36u) << guid;
    EXPECT_EQ(guid[8], '-');
    EXPECT_EQ(guid[23], '-');
}

}  // namespace
