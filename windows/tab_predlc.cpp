#include "windows/tab_predlc.h"

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "ui/tab_box.h"
#include "windows/page_controls.h"
#include "windows/tab_predlc_before.h"
#include "windows/tab_predlc_download.h"
#include "windows/tab_predlc_finish.h"

namespace MainComponents {

void TabPreDlc::SendStatus(int status) {
    LauncherContext::Instance()->SendToGameWindows(kMsgPreDlcState, 0, status);
}

bool TabPreDlc::IsBlockedByUpdate() {
    switch (LauncherContext::Instance()->CurrentStateType()) {
        case kPrepareStateType:
        case kRequestRemoteStateType:
        case kCheckVersionStateType:
        case kDownloadFilesStateType:
        case kApplyUpdateStateType:
            return true;
        default:
            return false;
    }
}

void TabPreDlc::ShowBusyNotice() {
    LauncherContext::Instance()->ShowMessageBox(nullptr, L"STRING_ERROR_NOTICE", L"STRING_ERROR_DLC_OCCUPIED", L"",
                                                L"STRING_CONFIRM", nullptr);
}

void AddPreDlcPages(ui::TabBox* tabs) {
    AddPages<TabPreDlc, TabPreDlc, TabPreDlcBefore, TabPreDlcDownload, TabPreDlcFinish>(
        tabs, {L"main/tab_predlc_none.xml", L"main/tab_predlc_before.xml", L"main/tab_predlc_download.xml",
               L"main/tab_predlc_finish.xml"},
        [tabs](TabPreDlc& page) { page.ownerTabBox = tabs; });
}

void RemovePreDlcPages(ui::TabBox* tabs) {
    ReleaseAndRemovePages<TabPreDlc>(tabs);
}

}  // namespace MainComponents
