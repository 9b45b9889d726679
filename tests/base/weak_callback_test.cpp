#include "base/weak_callback.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "base/task.h"

namespace {

using kbase::SupportWeakCallback;
using kbase::WeakCallback;
using kbase::WeakCallbackFlag;
using kbase::WeakFlag;

struct Owner : SupportWeakCallback {};

bool SameToken(const std::weak_ptr<WeakFlag>& a, const std::weak_ptr<WeakFlag>& b) {
    return !a.owner_before(b) && !b.owner_before(a);
}

TEST(WeakCallback, RunsOnlyWhileItsOwnerLives) {
    auto owner = std::make_unique<Owner>();
    int calls = 0;
    const auto count = owner->MakeWeakCallback([&calls] { ++calls; });
    const auto yes = owner->MakeWeakCallback([] { return true; });
    const auto add = owner->MakeWeakCallback([](int a, int b) { return a + b; });
    int target = 0;
    const auto pointer = owner->MakeWeakCallback([&target] { return &target; });

    count();
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(yes());
    EXPECT_EQ(add(2, 3), 5);
    EXPECT_EQ(pointer(), &target);

    owner.reset();
    count();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(yes());
    EXPECT_EQ(add(2, 3), 0);
    EXPECT_EQ(pointer(), nullptr);
}

TEST(WeakCallback, CopiesShareTheToken) {
    auto owner = std::make_unique<Owner>();
    int calls = 0;
    const auto original = owner->MakeWeakCallback([&calls] { ++calls; });
    const kbase::Task as_task = original;
    const kbase::Task copy_of_task = as_task;
    const WeakCallback<kbase::Task> widened = original;
    for (const kbase::Task& callback : {as_task, copy_of_task, kbase::Task(widened)}) callback();
    EXPECT_EQ(calls, 3);

    owner.reset();
    for (const kbase::Task& callback : {as_task, copy_of_task, kbase::Task(widened)}) callback();
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(widened.Expired());
}

TEST(WeakCallbackFlag, CancelSilencesOnlyEarlierCallbacks) {
    WeakCallbackFlag flag;
    int earlier = 0;
    int later = 0;
    const auto first_token = flag.ObtainWeakFlag();
    EXPECT_TRUE(SameToken(first_token, flag.ObtainWeakFlag()));
    const auto before = flag.MakeWeakCallback([&earlier] { ++earlier; });

    flag.Cancel();
    const auto after = flag.MakeWeakCallback([&later] { ++later; });
    before();
    after();
    EXPECT_EQ(earlier, 0);
    EXPECT_EQ(later, 1);
    EXPECT_FALSE(SameToken(first_token, flag.ObtainWeakFlag()));
}

TEST(SupportWeakCallback, ACopyHasItsOwnToken) {
    Owner original;
    int original_calls = 0;
    int copy_calls = 0;
    const auto from_original = original.MakeWeakCallback([&original_calls] { ++original_calls; });
    auto copy = std::make_unique<Owner>(original);
    const auto from_copy = copy->MakeWeakCallback([&copy_calls] { ++copy_calls; });

    copy.reset();
    from_original();
    from_copy();
    EXPECT_EQ(original_calls, 1) << "the original lives";
    EXPECT_EQ(copy_calls, 0) << "the copy is gone";
}

}  // namespace
