// The request tag rule: an answer reaches the current state only when its type is the asker's,
// so a late answer never reaches a state of another type that took over meanwhile.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "download/download_manager.h"
#include "tests/update/patch_test_support.h"
#include "tests/update/update_flow_support.h"
#include "update/exception_state.h"
#include "update/request_dispatch.h"
#include "update/request_remote_state.h"

namespace uptest {
namespace {

using RequestTags = UpdateFlowTest;

TEST_F(RequestTags, ALateAnswerReachesOnlyAStateOfTheAskersType) {
    const FileSet game = {{"KORU.exe", patchtest::RandomBytes(2000, 1)}};
    Publish("1_0_1", game);
    const std::string late = FlatMapText("9_9_9", MapOf(game));
    LauncherContext* context = LauncherContext::Instance();
    std::string afterOtherType, afterSameType;
    RunOnWorker([&] {
        DownloadManager::Instance().SetDlcUrls({server_.BaseUrl(0)});
        context->remoteGameVersion.Set("");
        context->SetState(std::make_unique<ExceptionState>(0, "", "", false));
        DispatchRequestDone(kRequestRemoteStateType, DownloadResult::kSuccess, "version_map.txt", late.c_str(),
                            static_cast<int>(late.size()), "");
        afterOtherType = context->remoteGameVersion.Get();

        context->SetState(std::make_unique<RequestRemoteState>(kGameMode));  // asks for 1_0_1 itself
        DispatchRequestDone(kRequestRemoteStateType, DownloadResult::kSuccess, "version_map.txt", late.c_str(),
                            static_cast<int>(late.size()), "");
        afterSameType = context->remoteGameVersion.Get();
        context->SetState(nullptr);
    });
    EXPECT_EQ(afterOtherType, "") << "dropped: the current state is of another type";
    EXPECT_EQ(afterSameType, "9_9_9") << "taken by the state of the asker's type that is current now";
}

}  // namespace
}  // namespace uptest
