#include "update/state_factory.h"

#include <memory>

#include "update/predownload_state.h"
#include "update/prepare_state.h"

StateFactory MakeUpdateStateFactory() {
    StateFactory factory;
    factory.makePrepareState = [](int mode) -> std::unique_ptr<UpdateState> {
        return std::make_unique<PrepareState>(mode);
    };
    factory.makePreDownloadState = []() -> std::unique_ptr<UpdateState> { return std::make_unique<PreDownloadState>(); };
    return factory;
}
