#include "app/misc_thread.h"

#include "app/download_seam.h"
#include "app/launcher_context.h"
#include "base/thread_registry.h"

MiscThread::MiscThread() : kbase::FrameworkThread("MiscThread") {}

MiscThread::~MiscThread() { Stop(); }

void MiscThread::Init() {
    auto* registry = kbase::ThreadRegistry::GetInstance();
    registry->AddCurrentThread(kThreadId);
    LauncherContext* context = LauncherContext::Instance();
    context->InitVersionState();
    context->stateMachineStarted = false;
    registry->PostRecurringTask(kThreadId, MakeWeakCallback([this] { WorkerTick(); }), kWorkerTickDelay, -1);
}

void MiscThread::Cleanup() {
    LauncherContext::Instance()->Shutdown();
    kbase::ThreadRegistry::GetInstance()->RemoveCurrentThread();
}

void MiscThread::WorkerTick() {
    LauncherContext* context = LauncherContext::Instance();
    // The first tick starts the launcher's own update check, once per process.
    if (!context->stateMachineStarted.exchange(true)) {
        if (const auto& make = context->stateFactory().makePrepareState) context->SetState(make(kLauncherMode));
    }
    // Update may replace the state it belongs to; nothing of it is touched afterwards.
    if (context->currentState) context->currentState->Update();
    if (context->preDownloadState) context->preDownloadState->Update();
    if (DownloadService* downloads = GetDownloadService()) downloads->Tick();
}
