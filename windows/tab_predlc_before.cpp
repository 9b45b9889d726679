#include "windows/tab_predlc_before.h"

#include <memory>

#include "app/launcher_context.h"
#include "windows/page_controls.h"
#include "windows/predlc_form.h"

namespace MainComponents {

void TabPreDlcBefore::BindControls() {
    infoLabel = FindNamed<ui::Label>(this, L"text_info");
    controlButton = FindNamed<ui::Button>(this, L"btn_download_ctrl");
    if (controlButton) {
        controlButton->EventMapAt(ui::kEventClick).push_back([this](ui::EventArgs* args) { return OnDownloadClick(args); });
    }
    hintBox = FindNamed<ui::VBox>(this, L"box_hint");
    if (hintBox) {
        hintBox->BubbledEventMapAt(ui::kEventClick).push_back(MakeWeakCallback([this](ui::EventArgs* args) {
            const RECT page = GetPos();
            if (IsInside(args->sender, hintBox) && ::PtInRect(&page, args->mousePoint) && controlButton) {
                controlButton->Activate();
            }
            return false;
        }));
    }
    Refresh(0);
}

void TabPreDlcBefore::ReleaseControls() {
    infoLabel = nullptr;
    controlButton = nullptr;
    hintBox = nullptr;
}

void TabPreDlcBefore::Refresh(int) {
    if (!infoLabel || !controlButton) return;
    controlButton->SetEnabled(true);
    const bool unfinished = LauncherContext::Instance()->HasUnfinishedPreDownload();
    SwitchLook(controlButton, unfinished ? L"btn_continue_predlc" : L"btn_download_predlc");
    infoLabel->SetTextId(unfinished ? L"STRING_PREDLC_CONTINUE" : L"STRING_PREDLC_BEFORE", true);
}

bool TabPreDlcBefore::OnDownloadClick(ui::EventArgs* args) {
    if (args->sender != controlButton) return true;
    LauncherContext* context = LauncherContext::Instance();
    if (IsBlockedByUpdate()) {
        ShowBusyNotice();
    } else if (context->HasUnfinishedPreDownload()) {
        StartPreDownload();
    } else {
        ModalDialog::ShowModal(std::make_unique<PreDlcForm>(), context->mainWindow.load(),
                               MakeWeakCallback([this](int result) { OnConfirmResult(result); }));
    }
    return true;
}

void TabPreDlcBefore::OnConfirmResult(int result) {
    if (result == 0) return;
    if (IsBlockedByUpdate()) {
        ShowBusyNotice();
        return;
    }
    StartPreDownload();
    LauncherContext::Instance()->TrackLauncherEvent("", "", "", "", "pre_install", false);
}

void TabPreDlcBefore::StartPreDownload() {
    if (controlButton) controlButton->SetEnabled(false);
    LauncherContext* context = LauncherContext::Instance();
    context->predownloadRequested = true;
    context->StartPreDownload();
}

}  // namespace MainComponents
