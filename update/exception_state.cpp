#include "update/exception_state.h"

#include <utility>

#include "app/launcher_messages.h"

ExceptionState::ExceptionState(int errorCode, std::string errorMessage, std::string errorDetail, bool showDialog)
    : showDialog(showDialog) {
    this->errorCode = errorCode;
    this->errorMessage = std::move(errorMessage);
    this->errorDetail = std::move(errorDetail);
}

void ExceptionState::Enter(UpdateState*) {
    LauncherContext* context = LauncherContext::Instance();
    context->SendToMainWindow(kMsgStateChanged, 0, 0);
    context->updateErrorShown = true;
    if (!showDialog) return;
    ShowError(L"STRING_CANCEL", L"STRING_ERROR_RETRY", [](bool retry) {
        if (retry) LauncherContext::Instance()->StartGameUpdate(true, true);
    });
}
