#include "app/launcher_context.h"

#include <utility>

#include "app/download_seam.h"
#include "app/launcher_messages.h"
#include "app/thread_ids.h"
#include "base/thread_registry.h"

namespace {

BoxText ChooseText(const std::wstring& key, const std::wstring& text) {
    return key.empty() ? BoxText{false, text} : BoxText{true, key};
}

// The owner of a box: the request's parent, else the main window; null when neither is a
// window any more.
HWND BoxOwner(HWND parent, const LauncherContext& context) {
    HWND owner = parent ? parent : context.mainWindow.load();
    return ::IsWindow(owner) ? owner : nullptr;
}

void OpenMessageBox(const MessageBoxRequest& request) {
    LauncherContext* context = request.context ? request.context : LauncherContext::Instance();
    HWND owner = BoxOwner(request.parent, *context);
    if (!owner || !context->ui().showMessageBox) {
        // No window to show it over: the asker is told "cancel" rather than left waiting.
        context->messageBoxOpen = false;
        if (request.callback) request.callback(0);
        return;
    }
    context->ui().showMessageBox(owner, ComposeMessageBox(request), request.callback);
}

}  // namespace

MessageBoxContent ComposeMessageBox(const MessageBoxRequest& request) {
    MessageBoxContent content;
    content.title = ChooseText(request.titleKey, request.titleText);
    content.message = ChooseText(request.textKey, request.textText);
    content.detail = ChooseText(request.detailKey, request.detailText);
    content.buttonsAreKeys = !request.firstButtonKey.empty() || !request.secondButtonKey.empty();
    content.firstButton = content.buttonsAreKeys ? request.firstButtonKey : request.firstButtonText;
    content.secondButton = content.buttonsAreKeys ? request.secondButtonKey : request.secondButtonText;
    content.swapButtonLooks = request.swapButtonLooks;
    return content;
}

std::function<void()> MakeMessageBoxTask(MessageBoxRequest request) {
    return [request = std::move(request)] { OpenMessageBox(request); };
}

void LauncherContext::SendToMainWindow(UINT message, WPARAM w, LPARAM l) {
    kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId, [this, message, w, l] {
        if (HWND window = mainWindow.load()) ::SendMessageW(window, message, w, l);
    });
}

void LauncherContext::SendToGameWindows(UINT message, WPARAM w, LPARAM l) {
    kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId,
                                                   [this, message, w, l] { gameWindows.Send(message, w, l); });
}

void LauncherContext::SetMainWindow(HWND window) {
    if (window) {
        mainWindow = window;
        ::SetPropW(window, kLauncherWindowProperty, window);
        return;
    }
    if (HWND previous = mainWindow.exchange(nullptr)) ::RemovePropW(previous, kLauncherWindowProperty);
}

void LauncherContext::ShowMessageBox(HWND parent, const std::wstring& titleKey, const std::wstring& textKey,
                                     const std::wstring& firstButtonKey, const std::wstring& secondButtonKey,
                                     std::function<void(int)> callback, bool swapButtonLooks) {
    messageBoxOpen = true;
    messageBoxShown = true;
    ShowMessageBoxEx(parent, titleKey, L"", textKey, L"", firstButtonKey, secondButtonKey, L"", L"",
                     std::move(callback), swapButtonLooks);
}

void LauncherContext::ShowMessageBoxEx(HWND parent, const std::wstring& titleKey, const std::wstring& titleText,
                                       const std::wstring& textKey, const std::wstring& textText,
                                       const std::wstring& firstButtonKey, const std::wstring& secondButtonKey,
                                       const std::wstring& firstButtonText, const std::wstring& secondButtonText,
                                       std::function<void(int)> callback, bool swapButtonLooks) {
    MessageBoxRequest request;
    request.parent = parent;
    request.context = this;
    request.titleKey = titleKey;
    request.titleText = titleText;
    request.textKey = textKey;
    request.textText = textText;
    request.firstButtonKey = firstButtonKey;
    request.secondButtonKey = secondButtonKey;
    request.firstButtonText = firstButtonText;
    request.secondButtonText = secondButtonText;
    request.callback = std::move(callback);
    request.swapButtonLooks = swapButtonLooks;
    kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId, MakeMessageBoxTask(std::move(request)));
}

void LauncherContext::ShowOptionsBox(HWND, const std::wstring& titleKey, const std::wstring& textKey,
                                     const std::vector<std::wstring>& options, const std::wstring& groupName,
                                     const std::wstring& confirmKey, std::function<void(int)> callback) {
    OptionsRequest request;
    request.context = this;
    request.titleKey = titleKey;
    request.textKey = textKey;
    request.options = options;
    request.groupName = groupName;
    request.confirmKey = confirmKey;
    request.callback = std::move(callback);
    kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId, [this, request = std::move(request)] {
        HWND owner = BoxOwner(nullptr, *this);
        if (owner && ui_.showOptionsBox) ui_.showOptionsBox(owner, request);
    });
}

void LauncherContext::PauseDownloads() {
    kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId, [] {
        if (DownloadService* downloads = GetDownloadService()) downloads->TogglePause();
    });
}

void LauncherContext::StartPreDownload() {
    kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId, [this] {
        if (preDownloadState || !stateFactory_.makePreDownloadState) return;
        preDownloadState = stateFactory_.makePreDownloadState();
        preDownloadActive = preDownloadState != nullptr;
        if (preDownloadState) preDownloadState->Enter(nullptr);
    });
}

void LauncherContext::StopPreDownload(bool now) {
    if (now) {
        EndPreDownload();
        return;
    }
    kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId, [this] { EndPreDownload(); });
}

void LauncherContext::EndPreDownload() {
    if (!preDownloadState) return;
    preDownloadState->Exit(nullptr);
    preDownloadState.reset();
    preDownloadActive = false;
}
