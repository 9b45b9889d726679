#include "app/first_run.h"

#include <gtest/gtest.h>

#include "tests/app/scratch_folder.h"

namespace {

TEST(LanguageTypeForLocale, MapsLocalesWithALanguageOfTheirOwn) {
    struct Case {
        LCID locale;
        int languageType;
    } const cases[] = {
        {1033, 0},    // en-US
        {1025, 0},    // ar-SA is not listed
        {2052, 1},    {133124, 1},  {1041, 2},  {1042, 3},  {1028, 4},  {3076, 4},  {197636, 4},
        {1066, 5},    {1036, 6},    {1057, 7},  {2064, 8},  {1034, 9},  {20490, 9}, {1055, 10},
        {1054, 11},   {2070, 12},   {2049, 13}, {15361, 13}, {1049, 14}, {66567, 15}, {1045, 16},
        {2110, 17},   {0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(LanguageTypeForLocale(c.locale), c.languageType);
    }
}

TEST(FirstRunGamePath, TheLauncherFolderWhenItHoldsTheGame) {
    ScratchFolder folder;
    EXPECT_EQ(FirstRunGamePath(folder.path() + L"\\"), folder.path() + L"\\Tarvenor Game");
    folder.WriteFile(L"KORU.exe", "MZ");
    EXPECT_EQ(FirstRunGamePath(folder.path() + L"\\"), folder.path());
}

}  // namespace
