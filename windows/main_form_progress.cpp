// What the worker reports about checks and pre-downloads, and the game's questions about the
// pre-download, answered through the worker.
#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "ui/tab_box.h"
#include "ui/vbox.h"
#include "windows/main_form.h"

namespace {
constexpr int kPreDlcPageCount = 4;
}  // namespace

void MainForm::InitPreDlcArea() {
    preDlcTabs_ = dynamic_cast<ui::TabBox*>(FindControl(std::wstring(L"tab_predlc")));
    if (!preDlcTabs_) return;
    // The pre-download pages' place: one page per index, until the pages show their own content.
    for (int index = 0; index < kPreDlcPageCount; ++index) {
        preDlcTabs_->AddAt(std::make_unique<ui::VBox>().release(), static_cast<std::size_t>(index));
    }
    preDlcTabs_->SelectItem(0);
}

void MainForm::ShowPreDlcPage(WPARAM page, LPARAM) {
    if (!preDlcTabs_) return;
    if (page < kPreDlcPageCount) preDlcTabs_->SelectItem(static_cast<int>(page));
}

void MainForm::RegisterGameWindow(HWND window) {
    LauncherContext::Instance()->gameWindows.Register(window);
}

void MainForm::AnswerPreDlcQuery(UINT message) {
    // The pre-download pages hold the figures the game asks for; without one the answer is 0.
    const UINT answer = message == kMsgQueryPreDlcState   ? kMsgPreDlcState
                        : message == kMsgQueryPreDlcBytes ? kMsgPreDlcBytes
                                                          : kMsgPreDlcSpeed;
    LauncherContext::Instance()->SendToGameWindows(answer, 0, 0);
}
