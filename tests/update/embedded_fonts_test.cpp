#include "update/embedded_fonts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/file_util.h"
#include "app/json_util.h"
#include "app/language_codes.h"
#include "app/registry_key.h"
#include "base/path_util.h"
#include "base/unique_handle.h"
#include "tests/update/working_folder.h"

namespace {

struct LibraryTraits {
    using Raw = HMODULE;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw module) { ::FreeLibrary(module); }
};
using ScopedLibrary = kbase::UniqueHandle<LibraryTraits>;

// The fonts go to a folder and a registry key of the test's own, taken from the built
// launcher.exe's resources.
class EmbeddedFontsTest : public ::testing::Test {
protected:
    void SetUp() override {
        launcher_.Reset(::LoadLibraryExW((kbase::GetOwnModuleDirectory() + L"..\\app\\launcher.exe").c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(launcher_) << "launcher.exe is built beside the tests";
        keyPath_ = L"SOFTWARE\\TarvenorLauncherTest\\Fonts" + std::to_wstring(::GetCurrentProcessId());
        HKEY raw = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                                    nullptr),
                  ERROR_SUCCESS);
        key_.Reset(raw);
        ASSERT_TRUE(CreateDirectoriesW(folder_.Child(L"Fonts")));
        place_ = {folder_.Child(L"Fonts"), keyPath_, launcher_.Get()};
    }

    void TearDown() override {
        key_.Reset();
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, keyPath_.c_str());
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TarvenorLauncherTest");
    }

    // The registry value's text; empty when there is none.
    std::wstring RegisteredFile(const wchar_t* valueName) const {
        wchar_t text[MAX_PATH] = {};
        DWORD bytes = sizeof(text) - sizeof(wchar_t);
        DWORD type = 0;
        if (::RegQueryValueExW(key_.Get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            return std::wstring();
        return text;
    }

    std::wstring FontFile(const wchar_t* fileName) const { return L"Fonts\\" + std::wstring(fileName); }

    ScopedWorkingFolder folder_;
    ScopedLibrary launcher_;
    std::wstring keyPath_;
    ScopedRegistryKey key_;
    FontPlace place_;
};

// The family and weight the system picks for a face name: a name it does not know falls back
// to another family.
struct PickedFont {
    std::wstring family;
    LONG weight = 0;
};

PickedFont PickFont(const wchar_t* face) {
    PickedFont picked;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HFONT font = ::CreateFontW(-16, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ previous = ::SelectObject(dc, font);
    wchar_t family[LF_FACESIZE] = {};
    ::GetTextFaceW(dc, LF_FACESIZE, family);
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(dc, &metrics);
    picked.family = family;
    picked.weight = metrics.tmWeight;
    ::SelectObject(dc, previous);
    ::DeleteObject(font);
    ::DeleteDC(dc);
    return picked;
}

TEST_F(EmbeddedFontsTest, InstallsAndRegistersEveryFontUnderAFaceNameTheSystemFinds) {
    ASSERT_EQ(InstallFonts(place_), 1);

    const PickedFont want[] = {{L"Loma", FW_NORMAL}, {L"Loma", FW_BOLD},
                               {L"Noto Sans CJK SC", FW_NORMAL}, {L"Noto Sans CJK SC", FW_BOLD}};
    for (std::size_t i = 0; i < EmbeddedFonts.size(); ++i) {
        const EmbeddedFont& font = EmbeddedFonts[i];
        SCOPED_TRACE(font.fileName);
        EXPECT_EQ(RegisteredFile(font.registryValueName), font.fileName);
        const std::wstring path = folder_.Child(FontFile(font.fileName));
        ASSERT_GT(::AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr), 0);
        const PickedFont picked = PickFont(font.faceName);
        ::RemoveFontResourceExW(path.c_str(), FR_PRIVATE, nullptr);
        EXPECT_EQ(picked.family, want[i].family);
        EXPECT_EQ(picked.weight, want[i].weight);
    }
}

TEST_F(EmbeddedFontsTest, RestoresOnlyWhatIsMissing) {
    ASSERT_EQ(InstallFonts(place_), 1);
    folder_.Write(FontFile(L"LomaN.ttf"), "a file that is there is left as it is");
    ASSERT_TRUE(::DeleteFileW(folder_.Child(FontFile(L"LomaB.ttf")).c_str()));
    ASSERT_EQ(::RegDeleteValueW(key_.Get(), L"Loma Bold (TrueType)"), ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(key_.Get(), L"Loma (TrueType)", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x.ttf"),
                               sizeof(L"x.ttf")),
              ERROR_SUCCESS);

    ASSERT_EQ(InstallFonts(place_), 1);

    EXPECT_EQ(folder_.Read(FontFile(L"LomaN.ttf")), "a file that is there is left as it is");
    HMODULE module = launcher_.Get();
    HRSRC bold = ::FindResourceW(module, MAKEINTRESOURCEW(139), L"FONTS");
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(folder_.Read(FontFile(L"LomaB.ttf")),
              std::string(static_cast<const char*>(::LockResource(::LoadResource(module, bold))),
                          ::SizeofResource(module, bold)));
    EXPECT_EQ(RegisteredFile(L"Loma Bold (TrueType)"), L"LomaB.ttf");
    EXPECT_EQ(RegisteredFile(L"Loma (TrueType)"), L"LomaN.ttf");
}

TEST_F(EmbeddedFontsTest, StopsAtTheFirstFontItCannotWrite) {
    folder_.Write(L"update\\LomaN.ttf", "new");
    folder_.Write(L"update\\font_update.txt", R"(["LomaN.ttf"])");
    place_.resources = ::GetModuleHandleW(nullptr);  // the test carries no fonts

    EXPECT_EQ(InstallFonts(place_), 0);

    for (const EmbeddedFont& font : EmbeddedFonts) {
        EXPECT_FALSE(folder_.Exists(FontFile(font.fileName))) << font.fileName;
        EXPECT_EQ(RegisteredFile(font.registryValueName), L"") << font.fileName;
    }
    EXPECT_TRUE(folder_.Exists(L"update\\font_update.txt"));  // the font update waits too
}

TEST_F(EmbeddedFontsTest, FontUpdateKeepsListingOnlyWhatFailed) {
    folder_.Write(L"update\\LomaN.ttf", "new regular");
    folder_.Write(FontFile(L"LomaB.ttf"), "installed by a pass cut short");
    folder_.Write(L"update\\SourceHanSansCNRegular.ttf", "new cjk");
    folder_.Write(FontFile(L"SourceHanSansCNRegular.ttf"), "old cjk");
    folder_.Write(L"update\\sub\\x.ttf", "a font in a folder of its own");
    folder_.Write(L"update\\font_update.txt",
                  R"(["LomaN.ttf", "LomaB.ttf", "SourceHanSansCNBold.ttf", "sub\\x.ttf", "SourceHanSansCNRegular.ttf"])");
    kbase::ScopedFileHandle held(::CreateFileW(folder_.Child(FontFile(L"SourceHanSansCNRegular.ttf")).c_str(),
                                               GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);

    const std::map<std::string, unsigned long> failures = ApplyFontUpdate(place_);
    held.Reset();

    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures.at("SourceHanSansCNBold.ttf"), static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(failures.at("SourceHanSansCNRegular.ttf"), 0u);
    std::list<std::string> listed;
    ASSERT_TRUE(ReadStringListFile(".\\update\\font_update.txt", listed));
    EXPECT_EQ(listed, (std::list<std::string>{"SourceHanSansCNBold.ttf", "SourceHanSansCNRegular.ttf"}));
    EXPECT_EQ(folder_.Read(FontFile(L"LomaN.ttf")), "new regular");
    EXPECT_EQ(folder_.Read(L"LomaN.ttf"), "new regular");  // beside the launcher too
    EXPECT_FALSE(folder_.Exists(L"update\\LomaN.ttf"));
    EXPECT_EQ(folder_.Read(L"update\\SourceHanSansCNRegular.ttf"), "new cjk");
    EXPECT_EQ(folder_.Read(FontFile(L"SourceHanSansCNRegular.ttf")), "old cjk");
    EXPECT_FALSE(folder_.Exists(L"Fonts\\sub"));
    EXPECT_FALSE(folder_.Exists(L"Fonts\\x.ttf"));
}

TEST_F(EmbeddedFontsTest, UninstallRemovesValuesAndFilesAndReportsWhatStays) {
    for (const EmbeddedFont& font : EmbeddedFonts) {
        folder_.Write(FontFile(font.fileName), "font");
        ::RegSetValueExW(key_.Get(), font.registryValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(font.fileName),
                         static_cast<DWORD>((std::wcslen(font.fileName) + 1) * sizeof(wchar_t)));
    }
    ::RegSetValueExW(key_.Get(), L"Other (TrueType)", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"other.ttf"),
                     sizeof(L"other.ttf"));
    const kbase::ScopedFileHandle held(::CreateFileW(folder_.Child(FontFile(L"LomaB.ttf")).c_str(), GENERIC_READ,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);

    std::map<std::wstring, unsigned long> failures;
    UninstallFonts(failures, place_);

    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures.at(L"LomaB.ttf"), 0u);
    for (const EmbeddedFont& font : EmbeddedFonts) {
        EXPECT_EQ(RegisteredFile(font.registryValueName), L"") << font.fileName;
        EXPECT_EQ(folder_.Exists(FontFile(font.fileName)), std::wstring(font.fileName) == L"LomaB.ttf")
            << font.fileName;
    }
    EXPECT_EQ(RegisteredFile(L"Other (TrueType)"), L"other.ttf");
}

TEST(SystemFontPlace, IsTheFontsFolderOfTheWindowsFolder) {
    const FontPlace place = SystemFontPlace();
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(::GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    EXPECT_EQ(place.folder, std::wstring(windows) + L"\\Fonts");
    EXPECT_TRUE(FolderExistsW(place.folder));
    EXPECT_EQ(place.registryKey, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts");
}

// Runs last in this file: the command-line value cannot be taken back once given.
TEST(TextAntiAlias, IsOnUnlessAnotherOptionWasGiven) {
    EXPECT_TRUE(TextAntiAliasFromCommandLine());
    const struct {
        const wchar_t* option;
        bool want;
    } cases[] = {{L"taa", true}, {L"text_anti_alias", true}, {L"TAA", false}, {L"none", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        ASSERT_TRUE(CommandLineTextOption.Store(c.option));
        EXPECT_EQ(TextAntiAliasFromCommandLine(), c.want);
    }
}

}  // namespace
