#include "app/autostart.h"

#include <windows.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "app/hklm_string_value.h"
#include "app/registry_key.h"
#include "base/path_util.h"

namespace {

// The entry as the registry holds it, from whichever Run key the launcher writes to.
std::optional<std::wstring> ReadEntry() {
    for (const wchar_t* path : {kAutostartKey, kAutostartFallbackKey}) {
        HKEY raw = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
            continue;
        }
        ScopedRegistryKey key(raw);
        DWORD bytes = 0;
        if (::RegGetValueW(key.Get(), nullptr, kAutostartValueName, RRF_RT_REG_SZ, nullptr, nullptr,
                           &bytes) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::wstring text(bytes / sizeof(wchar_t), L'\0');
        if (::RegGetValueW(key.Get(), nullptr, kAutostartValueName, RRF_RT_REG_SZ, nullptr,
                           text.data(), &bytes) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        text.resize(bytes / sizeof(wchar_t) - 1);
        return text;
    }
    return std::nullopt;
}

// The machine's Run key is shared: leave it as the test found it.
class AutostartTest : public testing::Test {
protected:
    void SetUp() override { saved_ = ReadEntry(); }
    void TearDown() override {
        if (saved_) {
            SetHklmStringValue(kAutostartKey, kAutostartFallbackKey, kAutostartValueName, *saved_);
        } else {
            DisableAutostart();
        }
    }
    std::optional<std::wstring> saved_;
};

TEST_F(AutostartTest, WritesTheQuotedPathAndDeletesIt) {
    const std::wstring path = L"C:\\Program Files\\Tarvenor Launcher\\launcher.exe";
    ASSERT_TRUE(EnableAutostart(path));
    EXPECT_EQ(ReadEntry(), L"\"" + path + L"\"");
    EXPECT_TRUE(EnableAutostart(path));  // already in place
    EXPECT_EQ(ReadEntry(), L"\"" + path + L"\"");

    DisableAutostart();
    EXPECT_EQ(ReadEntry(), std::nullopt);
    DisableAutostart();  // nothing left to delete
    EXPECT_EQ(ReadEntry(), std::nullopt);
}

TEST_F(AutostartTest, KeepsLongPathsWhole) {
    const std::wstring path = L"C:\\" + std::wstring(300, L'd') + L"\\\u555f\u52d5\u5668.exe";
    ASSERT_TRUE(EnableAutostart(path));
    EXPECT_EQ(ReadEntry(), L"\"" + path + L"\"");
    EXPECT_TRUE(EnableAutostart(path));
    EXPECT_EQ(ReadEntry(), L"\"" + path + L"\"");
}

TEST_F(AutostartTest, SwitchUsesTheRunningExecutable) {
    EXPECT_TRUE(SetAutostart(true));
    EXPECT_EQ(ReadEntry(), L"\"" + kbase::GetModuleFilePath(nullptr) + L"\"");
    EXPECT_FALSE(SetAutostart(false));
    EXPECT_EQ(ReadEntry(), std::nullopt);
}

}  // namespace
