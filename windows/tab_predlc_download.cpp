#include "windows/tab_predlc_download.h"

#include <memory>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "base/string_format.h"
#include "download/download_manager.h"
#include "ui/language_table.h"
#include "update/predownload_state.h"
#include "windows/download_texts.h"
#include "windows/formatted_texts.h"
#include "windows/page_controls.h"

namespace MainComponents {

namespace {

constexpr wchar_t kNoSizes[] = L"(--/--)";
constexpr wchar_t kNoSpeed[] = L"0KB/S";
constexpr wchar_t kNoTime[] = L"--:--:--";

std::wstring Text(const wchar_t* id) {
    return ui::LanguageTable::GetInstance().GetText(id);
}

bool DownloadsPaused() {
    return DownloadManager::Instance().paused.load();
}

}  // namespace

TabPreDlcDownload::TabPreDlcDownload() : sizeText(kNoSizes), timeText(kNoTime), speedText(kNoSpeed) {}

void TabPreDlcDownload::BindControls() {
    titleLabel = FindNamed<ui::Label>(this, L"text_title");
    infoLabel = FindNamed<ui::Label>(this, L"text_info");
    progress = FindNamed<ui::Progress>(this, L"progress");
    controlButton = FindNamed<ui::Button>(this, L"btn_download_ctrl");
    if (titleLabel) titleLabel->SetText(Text(L"STRING_CHECK_ASSET"));
    if (infoLabel) infoLabel->SetText(L"");
    if (progress) {
        progress->SetValue(0);
        progress->Invalidate();
    }
    if (controlButton) {
        controlButton->EventMapAt(ui::kEventClick).push_back([this](ui::EventArgs* args) { return OnControlClick(args); });
    }
    hintBox = FindNamed<ui::VBox>(this, L"box_hint");
    if (hintBox) {
        auto handler = MakeWeakCallback([this](ui::EventArgs* args) { return OnHintEvent(args); });
        for (int type : {ui::kEventClick, ui::kEventMouseEnter, ui::kEventMouseLeave}) {
            hintBox->BubbledEventMapAt(type).push_back(handler);
        }
    }
}

void TabPreDlcDownload::ReleaseControls() {
    ClosePopup();
    code = savedCode = 0;
    titleLabel = infoLabel = nullptr;
    progress = nullptr;
    controlButton = nullptr;
    hintBox = nullptr;
    dotCount = 0;
}

void TabPreDlcDownload::Refresh(int newCode) {
    if (!controlButton) return;
    if (newCode == kCodeTextsOnly) {
        UpdatePercentText();
    } else {
        if (newCode == kCodePaused) ResetSpeedAndTime();
        code = savedCode = newCode;
        controlButton->SetEnabled(true);
    }
    if (IsWaiting()) {
        SwitchLook(controlButton, L"btn_continue_predlc");
        if (titleLabel) titleLabel->SetText(Text(L"STRING_PREDLC_PAUSE"));
    } else {
        SwitchLook(controlButton, L"btn_pause_predlc");
        ShowRunningTitle(L"");
    }
}

void TabPreDlcDownload::SetBytes(std::int64_t total, std::int64_t done) {
    totalBytes = total;
    doneBytes = done;
    if (total < done) return;
    sizeText = kbase::FormatWideString(L"(%ls/%ls)", FormatByteSize(static_cast<std::uint64_t>(done < 0 ? 0 : done)).c_str(),
                                       FormatByteSize(static_cast<std::uint64_t>(total < 0 ? 0 : total)).c_str());
    UpdatePercentText();
    if (progress) {
        progress->SetValue(ProgressValue(done, total));
        progress->Invalidate();
    }
    if (PreDlcPopupForm* shown = popup.Get()) shown->SetSizeText(sizeText);
}

void TabPreDlcDownload::SetPaused(bool paused) {
    LauncherContext::Instance()->predownloadPaused = DownloadsPaused();
    if (controlButton) controlButton->SetEnabled(true);
    int status = kStatusDownloading;
    if (paused) {
        SwitchLook(controlButton, L"btn_continue_predlc");
        // A second pause keeps the code from before the first: a resume goes back to it.
        if (code != kCodePaused) savedCode = code;
        code = kCodePaused;
        if (titleLabel) titleLabel->SetText(Text(L"STRING_PREDLC_PAUSE"));
        ResetSpeedAndTime();
        status = kStatusWaiting;
    } else {
        SwitchLook(controlButton, L"btn_pause_predlc");
        code = savedCode;
        ShowRunningTitle(L"");
    }
    SendStatus(status);
}

void TabPreDlcDownload::SetSpeed(std::int32_t seconds, std::int32_t speed) {
    secondsLeft = seconds;
    timeText = DurationText(seconds);
    bytesPerSecond = speed;
    speedText = SpeedText(static_cast<std::uint64_t>(speed < 0 ? 0 : speed));
    if (PreDlcPopupForm* shown = popup.Get()) shown->SetTimeAndSpeed(timeText, speedText);
}

void TabPreDlcDownload::AnimateDots() {
    static constexpr const wchar_t* kDots[] = {L"", L".", L"..", L"..."};
    if (IsWaiting()) return;
    dotCount = (dotCount + 1) % 4;
    ShowRunningTitle(kDots[dotCount]);
}

void TabPreDlcDownload::ClosePopup() {
    if (PreDlcPopupForm* shown = popup.Get()) shown->Close(1);
    popup.Reset();
}

bool TabPreDlcDownload::IsWaiting() const {
    return IsBlockedByUpdate() || DownloadsPaused() || code < 0;
}

bool TabPreDlcDownload::OnControlClick(ui::EventArgs* args) {
    if (args->sender != controlButton) return true;
    if (IsBlockedByUpdate()) {
        ShowBusyNotice();
        return true;
    }
    controlButton->SetEnabled(false);
    LauncherContext* context = LauncherContext::Instance();
    if (context->preDownloadStep.load() == kPreDownloadDownloading) {
        context->PauseDownloads();
    } else {
        context->predownloadPaused = false;
        context->predownloadRequested = true;
        context->StartPreDownload();
    }
    return true;
}

bool TabPreDlcDownload::OnHintEvent(ui::EventArgs* args) {
    if (!IsInside(args->sender, hintBox)) return false;
    switch (args->type) {
        case ui::kEventClick:
            if (controlButton) controlButton->Activate();
            break;
        case ui::kEventMouseEnter:
            if (!popup.Get()) OpenPopup();
            break;
        case ui::kEventMouseLeave:
            ClosePopup();
            break;
        default:
            break;
    }
    return false;
}

void TabPreDlcDownload::OpenPopup() {
    auto created = std::make_unique<PreDlcPopupForm>();
    const std::weak_ptr<kbase::WeakFlag> alive = created->ObtainWeakFlag();
    PreDlcPopupForm* form = created.release();  // a made window owns itself
    const RECT anchor = ownerTabBox ? ownerTabBox->GetPos() : GetPos();
    if (form->ShowBeside(anchor, sizeText, timeText, speedText)) {
        popup = WeakWindow<PreDlcPopupForm>(form);
    } else if (!alive.expired()) {
        created.reset(form);  // no window took it
    }
}

void TabPreDlcDownload::ShowRunningTitle(const wchar_t* dots) {
    if (titleLabel) {
        titleLabel->SetText(Text(code != 0 ? L"STRING_PREDLC_DOWNLOAD" : L"STRING_CHECK_ASSET") + dots);
    }
}

void TabPreDlcDownload::UpdatePercentText() {
    if (!infoLabel || totalBytes <= 0) return;
    infoLabel->SetText(WholePercentText(doneBytes, totalBytes, LauncherContext::Instance()->settings.Get().languageType));
}

void TabPreDlcDownload::ResetSpeedAndTime() {
    speedText = kNoSpeed;
    timeText = kNoTime;
    if (PreDlcPopupForm* shown = popup.Get()) shown->SetTimeAndSpeed(timeText, speedText);
}

}  // namespace MainComponents
