#include "browser/unregisted_callback_list.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace {

using List = zel_comp::UnregistedCallbackList<std::function<void()>>;

TEST(UnregistedCallbackList, RunsOnceInOrderAndCancelsOnlyItsOwnEntry) {
    List list;
    std::string ran;
    list.Add([&] { ran += "a"; });
    const auto cancelB = list.Add([&] { ran += "b"; });
    list.Add([&] { ran += "c"; });
    // Identical closures are separate entries.
    const std::function<void()> d = [&] { ran += "d"; };
    list.Add(d);
    list.Add(d);
    cancelB();
    list.RunAndClear();
    EXPECT_EQ(ran, "acdd");
    list.RunAndClear();
    EXPECT_EQ(ran, "acdd");
    cancelB();  // after the run: nothing to cancel
}

TEST(UnregistedCallbackList, AClosureAddedWhileRunningWaitsForTheNextRun) {
    List list;
    int runs = 0;
    list.Add([&] {
        ++runs;
        list.Add([&] { runs += 10; });
    });
    list.RunAndClear();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(list.IsEmpty());
    list.RunAndClear();
    EXPECT_EQ(runs, 11);
}

TEST(UnregistedCallbackList, CancelAfterTheListIsGoneDoesNothing) {
    auto list = std::make_unique<List>();
    const auto cancel = list->Add([] {});
    list.reset();
    cancel();
}

}  // namespace
