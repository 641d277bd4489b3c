// Hooks: a test installs a value, gets the one before, and null restores the default.
#include "platform/Hook.h"

#include <gtest/gtest.h>
#include <functional>

TEST(Hook, SetReturnsTheOneBeforeAndNullRestoresTheDefault)
{
    THook<std::function<int()>> hook([] { return 1; });
    EXPECT_EQ(hook.Get()(), 1);
    auto before = hook.Set([] { return 2; });
    EXPECT_EQ(before(), 1);
    EXPECT_EQ(hook.Get()(), 2);
    EXPECT_EQ(hook.Set(nullptr)(), 2);
    EXPECT_EQ(hook.Get()(), 1);

    // A hook of a plain value has no empty value: Set just swaps.
    struct Policy {
        int Tries = 0;
    };
    THook<Policy> policy(Policy{5});
    EXPECT_EQ(policy.Set(Policy{}).Tries, 5);
    EXPECT_EQ(policy.Get().Tries, 0);
}
