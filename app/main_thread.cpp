#include "app/main_thread.h"

#include "app/download_seam.h"
#include "app/self_update_seam.h"
#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/misc_thread.h"
#include "base/message_loop.h"
#include "base/string_conversions.h"
#include "base/thread_registry.h"

MainThread::MainThread() : kbase::FrameworkThread("MainThread") {}

MainThread::~MainThread() { Stop(); }

void MainThread::Init() {
    LauncherContext* context = LauncherContext::Instance();
    context->Init();
    auto* registry = kbase::ThreadRegistry::GetInstance();
    registry->AddCurrentThread(kThreadId);
    worker_ = std::make_unique<MiscThread>();
    // Returns once the worker has registered itself, so posts to it are never lost. When the
    // thread cannot start, the launcher goes on without updates.
    worker_->StartWithLoop(kbase::MessageLoop::kDefaultLoop);

    std::wstring language;
    kbase::CodePageToWide(context->settings.Get().language, language, CP_ACP);
    LoadUiResourceZip();
    const UiServices& ui = context->ui();
    if (ui.startup) ui.startup(L"resources\\", L"themes\\default", language);
    context->LoadChannelConfig();
    registry->PostRecurringTask(kThreadId, MakeWeakCallback([this] { UiTick(); }), kUiTickDelay, -1);
    if (ui.createMainWindow) ui.createMainWindow();
}

void MainThread::Cleanup() {
    LauncherContext* context = LauncherContext::Instance();
    if (context->ui().shutdown) context->ui().shutdown();
    context->SaveDownloadLog();
    // No transfer may start, write or report once the worker is told to stop.
    if (DownloadService* downloads = GetDownloadService()) downloads->Stop();
    if (worker_) worker_->Stop();
    worker_.reset();
    kbase::ThreadRegistry::GetInstance()->RemoveCurrentThread();
    StartPendingReplace(*context);
}

void MainThread::StartPendingReplace(LauncherContext& context) {
    const bool exeReplaced = context.launcherExeUpdated;
    if (!exeReplaced && !context.cefFilesPending && !context.fontFilesPending) return;
    SelfUpdateService* selfUpdate = GetSelfUpdateService();
    if (!selfUpdate) return;
    // The copy replaces the fonts only once the system has let go of them.
    if (context.fontFilesPending) selfUpdate->UninstallFonts();
    selfUpdate->StartSelfReplace(context.restartAfterExit ? kLauncherRestartCommand : L"", exeReplaced);
}

void MainThread::UiTick() {
    LauncherContext::Instance()->SendToMainWindow(kMsgUiTick, 0, 0);
}
