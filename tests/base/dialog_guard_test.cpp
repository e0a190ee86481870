#include "base/dialog_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/fakes.h"

TEST(DialogGuard, ASecondDialogIsRefusedAndExitWaits)
{
    CFakeGuardEvent event;
    CFakePrompts prompts;
    int nBroughtForward = 0;
    CDialogGuard guard(event, prompts, [&] { ++nBroughtForward; });

    EXPECT_FALSE(guard.RefuseExit());
    EXPECT_FALSE(guard.TakeDialogGuard());
    EXPECT_TRUE(guard.IsTaken());
    EXPECT_TRUE(prompts.shown.empty());

    EXPECT_TRUE(guard.TakeDialogGuard());
    EXPECT_EQ(nBroughtForward, 1);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "There is already an Netbell Dialog active on your Desktop");
    EXPECT_EQ(prompts.beeps, std::vector<MsgIcon>{MsgIcon::exclamation});

    EXPECT_TRUE(guard.RefuseExit());
    EXPECT_EQ(prompts.shown[1].caption, "Cannot Exit");
    EXPECT_TRUE(guard.IsTaken()); // refusals leave the guard with its holder

    guard.ReleaseDialogGuard();
    EXPECT_FALSE(guard.IsTaken());
}

TEST(DialogGuard, TheScopeReleasesOnEveryPathAndOnlyWhatItTook)
{
    CFakeGuardEvent event;
    CFakePrompts prompts;
    CDialogGuard guard(event, prompts, nullptr);
    try {
        CDialogGuardScope scope(guard);
        ASSERT_FALSE(scope.Busy());
        throw std::runtime_error("dialog failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(guard.IsTaken());

    ASSERT_FALSE(guard.TakeDialogGuard());
    {
        CDialogGuardScope refused(guard);
        EXPECT_TRUE(refused.Busy());
    }
    EXPECT_TRUE(guard.IsTaken()); // still held by the first dialog
}
