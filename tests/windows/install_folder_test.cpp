#include "windows/install_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(InstallFolderFor, PutsTheGameFolderInsideTheChoiceWithOneBackslash) {
    struct Case {
        std::wstring chosen;
        std::optional<std::wstring> want;
    } const cases[] = {
        {L"D:\\", L"D:\\Tarvenor Game"},
        {L"D:", L"D:\\Tarvenor Game"},
        {L"D:\\Games", L"D:\\Games\\Tarvenor Game"},
        {L"D:\\Games\\", L"D:\\Games\\Tarvenor Game"},
        {L"\\\\server\\share", L"\\\\server\\share\\Tarvenor Game"},
        {L"", std::nullopt},
        // 3 + 242 + 1 + 13 = 259 characters fit; one more is refused, never cut.
        {L"D:\\" + std::wstring(242, L'a'), L"D:\\" + std::wstring(242, L'a') + L"\\Tarvenor Game"},
        {L"D:\\" + std::wstring(243, L'a'), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.chosen));
        EXPECT_EQ(InstallFolderFor(c.chosen), c.want);
    }
}

}  // namespace
