// The installation-path dialog on a real window with its real skin: what it opens on, every way
// out and its one answer, and the system folder browser on its own thread, driven as a person
// would, with what a chosen folder stores or refuses.
#include "windows/setup_path_form.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "app/launcher_settings.h"
#include "browser/async_modal_runner_manager.h"
#include "tests/app/scratch_folder.h"
#include "tests/windows/dialog_test_support.h"
#include "windows/launcher_ui.h"

namespace {

using dialog_test::WaitUntil;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Folders to choose in the browser, in a fresh folder at the drive's root: Wine's browser does
// not find folders below its temporary folder by their path.
class ChoiceFolder {
public:
    ChoiceFolder() : path_(L"C:\\tvn_setup_choices_" + std::to_wstring(::GetCurrentProcessId())) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ChoiceFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ChoiceFolder(const ChoiceFolder&) = delete;
    ChoiceFolder& operator=(const ChoiceFolder&) = delete;

    const std::wstring& path() const { return path_; }
    // A new folder inside, by name.
    std::wstring Make(const std::wstring& name) const {
        const std::wstring folder = path_ + L"\\" + name;
        EXPECT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << Narrow(folder);
        return folder;
    }

private:
    std::wstring path_;
};

class SetupPathFormTest : public dialog_test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        ::GetCurrentDirectoryW(MAX_PATH, previousDirectory_);
        ASSERT_TRUE(::SetCurrentDirectoryW(folder_.path().c_str()));
        ASSERT_TRUE(::CreateDirectoryW(folder_.Child(L"save").c_str(), nullptr));
        LauncherSettings settings;
        settings.gamePath = StoredPath();
        context_->settings.Set(settings);
        context_->SetUiServices(MakeLauncherUiServices());
        context_->SetMainWindow(owner_);  // notices without a parent open over the main window
    }
    void TearDown() override {
        for (HWND dialog = ::FindWindowW(L"SetupPathForm", nullptr); dialog;
             dialog = ::FindWindowExW(nullptr, dialog, L"SetupPathForm", nullptr)) {
            if (HWND browser = FindBrowser(dialog)) CancelBrowser(browser);
        }
        for (const wchar_t* leftover : {L"MsgBox", L"SetupPathForm"}) {
            for (HWND window = ::FindWindowW(leftover, nullptr); window; window = ::FindWindowW(leftover, nullptr)) {
                RunOnUi([window] { ::DestroyWindow(window); });
            }
        }
        EXPECT_TRUE(WaitUntil([] { return zel_comp::AsyncModalRunnerManager::GetInstance().GetRunnerCount() == 0; }));
        context_->SetMainWindow(nullptr);
        context_->SetUiServices({});
        context_->settings.Set(LauncherSettings{});
        ::SetCurrentDirectoryW(previousDirectory_);
        DialogTest::TearDown();
    }

    std::wstring StoredPath() const { return folder_.Child(L"Tarvenor Game"); }

    HWND Open() {
        RunOnUi([this] { EXPECT_TRUE(ModalDialog::ShowModal(std::make_unique<SetupPathForm>(), owner_, answers_.Callback())); });
        HWND dialog = WaitForWindow(L"SetupPathForm");
        if (dialog) WaitLaidOut(dialog);
        return dialog;
    }

    // The system folder browser the dialog opened (a standard dialog it owns); null when there
    // is none.
    static HWND FindBrowser(HWND owner) {
        struct Search {
            HWND owner;
            HWND found;
        } search{owner, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM param) {
                auto* s = reinterpret_cast<Search*>(param);
                wchar_t name[16] = {};
                ::GetClassNameW(window, name, 16);
                if (std::wstring(name) != L"#32770" || ::GetWindow(window, GW_OWNER) != s->owner ||
                    !::IsWindowVisible(window)) {
                    return TRUE;
                }
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    static HWND WaitForBrowser(HWND owner) {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindBrowser(owner)) != nullptr; });
        return found;
    }
    // Selects folder in the browser's tree as a person clicks through it, by the names it shows,
    // then presses its OK button. (Wine's browser cannot be told a path to select.)
    static void ChooseInBrowser(HWND browser, const std::wstring& folder) {
        HWND tree = nullptr;
        ::EnumChildWindows(
            browser,
            [](HWND child, LPARAM param) {
                wchar_t name[32] = {};
                ::GetClassNameW(child, name, 32);
                if (std::wstring(name) != WC_TREEVIEWW) return TRUE;
                *reinterpret_cast<HWND*>(param) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&tree));
        ASSERT_NE(tree, nullptr);
        const std::wstring drive = folder.substr(0, 2);
        HTREEITEM item = FindInTree(tree, TreeView_GetRoot(tree), 3, [&drive](const std::wstring& text) {
            return text == drive || text.find(L"(" + drive + L")") != std::wstring::npos;
        });
        ASSERT_NE(item, nullptr) << "no drive " << Narrow(drive);
        for (std::size_t start = 3; start < folder.size();) {
            const std::size_t end = std::min(folder.find(L'\\', start), folder.size());
            const std::wstring name = folder.substr(start, end - start);
            item = FindInTree(tree, item, 1, [&name](const std::wstring& text) { return text == name; });
            ASSERT_NE(item, nullptr) << "no folder " << Narrow(name);
            start = end + 1;
        }
        TreeView_SelectItem(tree, item);
        PressBrowserButton(browser, IDOK);
    }
    static void CancelBrowser(HWND browser) { PressBrowserButton(browser, IDCANCEL); }
    static void PressBrowserButton(HWND browser, int id) {
        ::PostMessageW(browser, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(browser, id)));
    }
    // The first item below parent, at most depth levels down, whose text matches; each level
    // is opened first, as its expander would.
    static HTREEITEM FindInTree(HWND tree, HTREEITEM parent, int depth,
                                const std::function<bool(const std::wstring&)>& matches) {
        if (!parent || depth == 0) return nullptr;
        TreeView_Expand(tree, parent, TVE_EXPAND);
        for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item)) {
            wchar_t text[MAX_PATH] = {};
            TVITEMW read{};
            read.mask = TVIF_TEXT;
            read.hItem = item;
            read.pszText = text;
            read.cchTextMax = MAX_PATH;
            TreeView_GetItem(tree, &read);
            if (matches(text)) return item;
        }
        for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item)) {
            if (HTREEITEM found = FindInTree(tree, item, depth - 1, matches)) return found;
        }
        return nullptr;
    }
    // Opens the browser from the dialog's change button.
    HWND OpenBrowser(HWND dialog) {
        Click(dialog, L"btn_change");
        return WaitForBrowser(dialog);
    }
    // Waits for the browser's end and for its runner's removal on the UI thread: any result it
    // posted has run by then.
    void WaitBrowserDone(HWND browser) {
        EXPECT_TRUE(WaitForWindowGone(browser));
        EXPECT_TRUE(WaitUntil([] { return zel_comp::AsyncModalRunnerManager::GetInstance().GetRunnerCount() == 0; }));
        RunOnUi([] {});
    }

    bool SettingsFileWritten() const { return ::GetFileAttributesW(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::wstring SettingsFileGamePath() const {
        LauncherSettings read;
        EXPECT_TRUE(ReadSettingsFile(SettingsPath(), read));
        return read.gamePath;
    }
    std::wstring SettingsPath() const { return folder_.Child(L"save\\EnvConfig.json"); }

    LauncherContext* context_ = LauncherContext::Instance();
    ScratchFolder folder_;
    ChoiceFolder choices_;
    wchar_t previousDirectory_[MAX_PATH] = {};
    dialog_test::Answers answers_;
};

TEST_F(SetupPathFormTest, OpensOnTheStoredFolderAsItStandsAndInstallAnswersOnce) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(LabelText(dialog, L"text_set_path"), StoredPath());
    EXPECT_EQ(LabelText(dialog, L"lable_need_space"), L"Required disk space:  4.00G");
    EXPECT_EQ(LabelText(dialog, L"lable_free_space").rfind(L"Available disk space: ", 0), 0u);
    EXPECT_EQ(LabelText(dialog, L"btn_ok"), L"INSTALL");
    EXPECT_FALSE(::IsWindowEnabled(owner_));

    Click(dialog, L"btn_ok");
    Click(dialog, L"btn_close");  // during the fade: no second answer
    EXPECT_EQ(AnswersAfterClose(dialog, answers_), std::vector<int>{1});
    EXPECT_EQ(answers_.Threads(), std::vector<DWORD>{threadId_});
    EXPECT_TRUE(::IsWindowEnabled(owner_));
    EXPECT_EQ(context_->settings.Get().gamePath, StoredPath());
    EXPECT_FALSE(SettingsFileWritten());
}

TEST_F(SetupPathFormTest, EveryWayOutAnswersOnce) {
    ExpectEachWayOutAnswersOnce(
        {
            {"close button", [this](HWND d) { Click(d, L"btn_close"); }, 0},
            {"escape", [](HWND d) { PressKey(d, VK_ESCAPE); }, 0},
            {"close command", [](HWND d) { ::PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
            {"return", [](HWND d) { PressKey(d, VK_RETURN); }, 1},
            {"escape, then return", [](HWND d) { PressKey(d, VK_ESCAPE); PressKey(d, VK_RETURN); }, 0},
            {"return on the focused close button",
             [this](HWND d) {
                 FocusWithoutClick(d, L"btn_close");
                 PressKey(d, VK_RETURN);
             },
             0}
        },
        [this] { return Open(); }, answers_);
}

// The browser runs on a thread of its own: the dialog's thread goes on meanwhile. A folder chosen
// there is stored at once, and stays when the dialog is then cancelled.
TEST_F(SetupPathFormTest, AFolderChosenInTheBrowserIsShownAndStoredAtOnce) {
    const std::wstring chosen = choices_.Make(L"Games");
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    HWND browser = OpenBrowser(dialog);
    ASSERT_NE(browser, nullptr);
    EXPECT_NE(::GetWindowThreadProcessId(browser, nullptr), threadId_);
    EXPECT_EQ(LabelText(dialog, L"text_set_path"), StoredPath());  // the UI thread still answers
    EXPECT_FALSE(::IsWindowEnabled(dialog));
    EXPECT_FALSE(::IsWindowEnabled(owner_));

    ChooseInBrowser(browser, chosen);
    WaitBrowserDone(browser);
    const std::wstring installFolder = chosen + L"\\Tarvenor Game";
    EXPECT_EQ(LabelText(dialog, L"text_set_path"), installFolder);
    EXPECT_EQ(context_->settings.Get().gamePath, installFolder);
    EXPECT_EQ(SettingsFileGamePath(), installFolder);
    EXPECT_TRUE(::IsWindowEnabled(dialog));
    EXPECT_FALSE(::IsWindowEnabled(owner_));  // still under the dialog
    EXPECT_TRUE(answers_.Values().empty());

    PressKey(dialog, VK_ESCAPE);
    EXPECT_EQ(AnswersAfterClose(dialog, answers_), std::vector<int>{0});
    EXPECT_TRUE(::IsWindowEnabled(owner_));
    EXPECT_EQ(context_->settings.Get().gamePath, installFolder);
}

TEST_F(SetupPathFormTest, WhatTheBrowserGivesBackDecidesTheFolder) {
    // 246 characters leave no room for "\Tarvenor Game" within 259.
    const std::wstring tooLong = choices_.Make(std::wstring(245 - choices_.path().size(), L'x'));
    ASSERT_EQ(tooLong.size(), 246u);
    const std::wstring root = L"C:\\";
    struct Case {
        const char* choice;
        std::wstring folder;  // empty: the browser is cancelled
        std::wstring shown;   // empty: refused, the stored folder stays
    } const cases[] = {
        {"cancelled", L"", L""},
        {"drive root", root, root + L"Tarvenor Game"},
        {"too long", tooLong, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice);
        context_->settings.Update([this](LauncherSettings& settings) { settings.gamePath = StoredPath(); });
        ::DeleteFileW(SettingsPath().c_str());
        HWND dialog = Open();
        ASSERT_NE(dialog, nullptr);
        HWND browser = OpenBrowser(dialog);
        ASSERT_NE(browser, nullptr);
        if (c.folder.empty()) {
            CancelBrowser(browser);
        } else {
            ChooseInBrowser(browser, c.folder);
        }
        WaitBrowserDone(browser);
        if (c.folder == tooLong) {
            HWND notice = WaitForWindow(L"MsgBox");
            ASSERT_NE(notice, nullptr);
            WaitLaidOut(notice);
            EXPECT_EQ(LabelText(notice, L"content"),
                      L"Unable to calculate available disk space. Select another directory.");
            Click(notice, L"btn_yes");
            ASSERT_TRUE(WaitForWindowGone(notice));
        }
        const std::wstring want = c.shown.empty() ? StoredPath() : c.shown;
        EXPECT_EQ(LabelText(dialog, L"text_set_path"), want);
        EXPECT_EQ(context_->settings.Get().gamePath, want);
        EXPECT_EQ(SettingsFileWritten(), !c.shown.empty());
        EXPECT_TRUE(answers_.Values().empty());
        PressKey(dialog, VK_ESCAPE);
        ASSERT_TRUE(WaitForWindowGone(dialog));
        answers_.Clear();
    }
}

// A browser whose dialog went meanwhile changes nothing when it answers.
TEST_F(SetupPathFormTest, AChoiceArrivingAfterTheDialogWentIsDropped) {
    const std::wstring chosen = choices_.Make(L"Late");
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    HWND browser = OpenBrowser(dialog);
    ASSERT_NE(browser, nullptr);
    RunOnUi([dialog] { ::DestroyWindow(dialog); });
    if (::IsWindow(browser)) ChooseInBrowser(browser, chosen);  // under Wine it outlives its owner
    WaitBrowserDone(browser);
    EXPECT_EQ(context_->settings.Get().gamePath, StoredPath());
    EXPECT_FALSE(SettingsFileWritten());
    EXPECT_TRUE(answers_.Values().empty());
    EXPECT_TRUE(::IsWindowEnabled(owner_));
}

}  // namespace
