#include "app/hklm_string_value.h"

#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "app/registry_key.h"

namespace {

// A key of this process's own under HKEY_LOCAL_MACHINE, removed afterwards.
class TestKey : public ::testing::Test {
protected:
    void SetUp() override {
        HKEY raw = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        key_.Reset(raw);
    }
    void TearDown() override {
        key_.Reset();
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, path_.c_str());
    }

    std::wstring Read(const wchar_t* name) const {
        wchar_t buffer[260] = {};
        DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
        if (::RegQueryValueExW(key_.Get(), name, nullptr, nullptr,
                               reinterpret_cast<BYTE*>(buffer), &bytes) != ERROR_SUCCESS)
            return L"<missing>";
        return buffer;
    }

    const std::wstring path_ =
        L"Software\\TarvenorLauncherTest" + std::to_wstring(::GetCurrentProcessId());
    const std::wstring missing_ = path_ + L"\\missing";
    ScopedRegistryKey key_;
};

}  // namespace

TEST_F(TestKey, WritesOnlyWhenTheValueDiffers) {
    EXPECT_EQ(SetHklmStringValue(path_, L"", L"Name", L"C:\\Game"), 1);
    EXPECT_EQ(Read(L"Name"), L"C:\\Game");
    EXPECT_EQ(SetHklmStringValue(path_, L"", L"Name", L"C:\\Game"), 0);
    EXPECT_EQ(SetHklmStringValue(path_, L"", L"Name", L"C:\\Other"), 1);
    EXPECT_EQ(Read(L"Name"), L"C:\\Other");
    EXPECT_EQ(SetHklmStringValue(path_, L"", L"Name", L""), 1);
    EXPECT_EQ(Read(L"Name"), L"");
}

TEST_F(TestKey, NonStringValueIsReplaced) {
    const DWORD number = 5;
    ASSERT_EQ(::RegSetValueExW(key_.Get(), L"Name", 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&number), sizeof(number)),
              ERROR_SUCCESS);
    EXPECT_EQ(SetHklmStringValue(path_, L"", L"Name", L"5"), 1);
    EXPECT_EQ(Read(L"Name"), L"5");
}

TEST_F(TestKey, FallsBackToTheAlternativeKey) {
    EXPECT_EQ(SetHklmStringValue(missing_, path_, L"Name", L"x"), 1);
    EXPECT_EQ(Read(L"Name"), L"x");
    EXPECT_EQ(SetHklmStringValue(missing_, path_, L"Name", L"x"), 0);
    EXPECT_EQ(SetHklmStringValue(missing_, L"", L"Name", L"x"), -1);
    EXPECT_EQ(SetHklmStringValue(missing_, missing_ + L"2", L"Name", L"x"), -1);
}
