#include "app/first_run.h"

#include <initializer_list>

#include "app/file_probe.h"
#include "app/file_util.h"
#include "app/launcher_messages.h"

namespace {

struct LocaleLanguage {
    int languageType;
    std::initializer_list<LCID> locales;
};

const LocaleLanguage kLocaleLanguages[] = {
    {1, {2052, 133124}},
    {2, {1041}},
    {3, {1042}},
    {4, {1028, 3076, 4100, 5124, 197636}},
    {5, {1066}},
    {6, {1036}},
    {7, {1057}},
    {8, {1040, 2064}},
    {9, {1034, 2058, 3082, 4106, 5130, 6154, 7178, 8202, 9226, 10250, 11274, 12298, 13322, 14346, 15370,
         16394, 17418, 18442, 19466, 20490}},
    {10, {1055}},
    {11, {1054}},
    {12, {1046, 2070}},
    {13, {2049, 3073, 4097, 5121, 6145, 11265, 12289, 13313, 14337, 15361}},
    {14, {1049}},
    {15, {1031, 2055, 3079, 4103, 5127, 66567}},
    {16, {1045}},
    {17, {1086, 2110}},
};

}  // namespace

int LanguageTypeForLocale(LCID locale) {
    for (const LocaleLanguage& entry : kLocaleLanguages) {
        for (LCID listed : entry.locales)
            if (listed == locale) return entry.languageType;
    }
    return 0;
}

std::wstring FirstRunGamePath(const std::wstring& launcherDir) {
    const std::wstring folder = NormalizePathW(launcherDir, true);
    if (CanOpenForReading(folder + kGameExecutableName)) return NormalizePathW(folder, false);
    return folder + L"Tarvenor Game";
}
