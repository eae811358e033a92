// How long the splash window waits, on a clock the test turns by hand.

#include "shell/start/SplashWait.h"

#include <gtest/gtest.h>

TEST(SplashWait, ClosesFourSecondsAfterTheFirstActivation) {
    int64_t now = 1000;
    SplashWait wait([&] { return now; });
    EXPECT_FALSE(wait.Finished());  // not yet shown
    now += 10000;                   // time before the activation does not count
    EXPECT_FALSE(wait.Finished());
    ASSERT_TRUE(wait.Activate());
    EXPECT_EQ(wait.RemainingMs(), 4000);
    now += 3999;
    EXPECT_FALSE(wait.Finished());
    EXPECT_EQ(wait.RemainingMs(), 1);
    now += 1;
    EXPECT_TRUE(wait.Finished());
    EXPECT_EQ(wait.RemainingMs(), 0);
}

TEST(SplashWait, AClickEndsARunningWaitAtOnce) {
    int64_t now = 0;
    SplashWait wait([&] { return now; });
    wait.Activate();
    now += 1000;
    wait.Click();
    EXPECT_TRUE(wait.Finished());
    EXPECT_EQ(wait.RemainingMs(), 0);
}

TEST(SplashWait, AClickBeforeTheFirstActivationDoesNotShortenTheWait) {
    int64_t now = 0;
    SplashWait wait([&] { return now; });
    wait.Click();
    wait.Activate();
    EXPECT_FALSE(wait.Finished());
    now += 4000;
    EXPECT_TRUE(wait.Finished());
}

TEST(SplashWait, LaterActivationsNeitherRestartNorLengthenTheWait) {
    int64_t now = 0;
    SplashWait wait([&] { return now; });
    EXPECT_TRUE(wait.Activate());
    now += 2500;
    EXPECT_FALSE(wait.Activate());
    now += 1500;
    EXPECT_TRUE(wait.Finished());
}
