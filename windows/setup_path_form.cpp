#include "windows/setup_path_form.h"

#include <cstdint>
#include <memory>

#include "app/disk_space.h"
#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "browser/async_modal_runner_manager.h"
#include "ui/language_table.h"
#include "windows/folder_dialog.h"
#include "windows/formatted_texts.h"
#include "windows/install_folder.h"

namespace {

void ShowInvalidDiskSpaceNotice() {
    LauncherContext::Instance()->ShowMessageBox(nullptr, L"STRING_ERROR_NOTICE", L"STRING_ERROR_INVALID_DISKSPACE",
                                                L"", L"STRING_CONFIRM", nullptr);
}

}  // namespace

void SetupPathForm::InitWindow() {
    HandleClicks({{L"btn_ok", [this] { Finish(1); }},
                  {L"btn_change", [this] { ChangeFolder(); }},
                  {L"btn_close", [this] { Finish(0); }}});
    pathLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"text_set_path")));
    needSpaceLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"lable_need_space")));
    freeSpaceLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"lable_free_space")));
    ShowFolder(LauncherContext::Instance()->settings.Get().gamePath);
}

void SetupPathForm::ChangeFolder() {
    auto chosen = MakeWeakCallback([this](int result, const std::wstring& path) {
        if (result != 0) UpdatePath(path, true);
    });
    auto dialog = std::make_unique<FolderDialog>(
        GetHWND(), ui::LanguageTable::GetInstance().GetText(L"STRING_SELECT_PATH"),
        [chosen](int result, std::wstring path) { chosen(result, path); });
    zel_comp::AsyncModalRunnerManager::GetInstance().RunModalAsync(std::move(dialog));
}

void SetupPathForm::UpdatePath(const std::wstring& chosen, bool save) {
    const std::optional<std::wstring> folder = InstallFolderFor(chosen);
    if (!folder) {
        ShowInvalidDiskSpaceNotice();
        return;
    }
    if (!ShowFolder(*folder)) return;
    if (save) {
        LauncherContext* context = LauncherContext::Instance();
        context->settings.Update([&folder](LauncherSettings& settings) { settings.gamePath = *folder; });
        context->SaveSettings();
        context->LoadLocalGameVersion();
        context->SendToMainWindow(kMsgStateChanged, 0, 0);
    }
}

bool SetupPathForm::ShowFolder(const std::wstring& folder) {
    std::uint64_t freeBytes = 0;
    if (!QueryFreeDiskSpace(folder, freeBytes)) {
        ShowInvalidDiskSpaceNotice();
        return false;
    }
    if (pathLabel_) pathLabel_->SetText(folder);
    if (needSpaceLabel_) {
        needSpaceLabel_->SetText(FormatLanguageText(L"STRING_INSTALL_NEED_SPACE", RequiredSpaceText()));
    }
    if (freeSpaceLabel_) {
        freeSpaceLabel_->SetText(FormatLanguageText(L"STRING_INSTALL_FREE_SPACE", FormatByteSize(freeBytes)));
        freeSpaceLabel_->SetStateTextColor(ui::kControlStateNormal,
                                           freeBytes < kRequiredFreeBytes ? L"red" : L"graya2");
    }
    return true;
}
