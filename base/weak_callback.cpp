#include "base/weak_callback.h"

namespace kbase {

std::weak_ptr<WeakFlag> SupportWeakCallback::ObtainWeakFlag() {
    if (weak_flag_.use_count() == 0) weak_flag_ = std::make_shared<WeakFlag>();
    return weak_flag_;
}

}  // namespace kbase
