#include "update/state.h"

#include <utility>

#include "app/thread_ids.h"
#include "base/string_conversions.h"
#include "base/string_util.h"
#include "base/thread_registry.h"
#include "update/ui_text.h"

void State::ShowError(const std::wstring& noButtonKey, const std::wstring& yesButtonKey,
                      std::function<void(bool)> callback) {
    LauncherContext* context = LauncherContext::Instance();
    std::wstring message;
    kbase::Utf8ToWide(errorMessage.c_str(), message);
    std::wstring detail = errorCode != 0 ? std::to_wstring(errorCode) + L"\n" + message : message;
    if (!errorDetail.empty()) {
        std::wstring wideDetail;
        kbase::Utf8ToWide(errorDetail.c_str(), wideDetail);
        detail += L"(" + wideDetail + L")";
    }
    std::string reported;
    kbase::WideToUtf8(detail, reported);
    context->TrackLauncherEvent(reported, "", "", "exception", "", true);
    context->updateErrorShown = true;

    MessageBoxRequest request;
    request.context = context;
    request.titleKey = L"STRING_ERROR_NOTICE";
    request.textText = UiText(L"STRING_ERROR_UPDATE");
    request.detailText = detail;
    request.firstButtonKey = noButtonKey;
    request.secondButtonKey = yesButtonKey;
    request.callback = [callback = std::move(callback)](int answer) {
        if (callback) callback(answer != 0);
    };
    kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId, MakeMessageBoxTask(std::move(request)));
}

std::string State::BuildPatchPath(const std::string& name) const {
    LauncherContext* context = LauncherContext::Instance();
    std::string version = mode != kLauncherMode ? context->localGameVersion.Get() : context->launcherVersion.Get();
    if (mode == kLauncherMode) kbase::ReplaceAll(".", "_", version);
    return "patchs/" + version + "/" + name;
}
