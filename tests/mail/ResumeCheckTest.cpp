#include <gtest/gtest.h>

#include "mail/ResumeCheck.h"

namespace {

TEST(ResumeCheck, OneWakeUpGivesOneCheck)
{
    ResumeCheck resume;
    EXPECT_FALSE(resume.dueNow(false, false)) << "nothing is due before a wake-up";
    EXPECT_TRUE(resume.onPowerBroadcast(ResumeCheck::resumeAutomaticEvent));
    // The second broadcast of the same wake-up starts no second timer.
    EXPECT_FALSE(resume.onPowerBroadcast(ResumeCheck::resumeSuspendEvent));
    EXPECT_TRUE(resume.isPending());
    EXPECT_TRUE(resume.dueNow(false, false));
    EXPECT_FALSE(resume.dueNow(false, false)) << "one check, not two";
    // The next wake-up gives the next check.
    EXPECT_TRUE(resume.onPowerBroadcast(ResumeCheck::resumeSuspendEvent));
    EXPECT_TRUE(resume.dueNow(false, false));
}

TEST(ResumeCheck, DisabledOrAlreadyCheckingStartsNothing)
{
    ResumeCheck resume;
    EXPECT_TRUE(resume.onPowerBroadcast(ResumeCheck::resumeAutomaticEvent));
    EXPECT_FALSE(resume.dueNow(true, false));
    EXPECT_FALSE(resume.isPending());
    EXPECT_TRUE(resume.onNetworkBack());
    EXPECT_FALSE(resume.dueNow(false, true));
    EXPECT_FALSE(resume.dueNow(false, false)) << "the pending check was used up";
}

TEST(ResumeCheck, OtherBroadcastsAndSuspendsStartNothing)
{
    ResumeCheck resume;
    const unsigned others[] = {0x0A /* power status change */, 0x8000 /* setting change */, 0};
    for (unsigned event : others)
        EXPECT_FALSE(resume.onPowerBroadcast(event)) << event;
    EXPECT_FALSE(resume.isPending());
    EXPECT_TRUE(resume.onPowerBroadcast(ResumeCheck::resumeAutomaticEvent));
    // Going to sleep again before the timer fired: the check waits for the next wake-up.
    EXPECT_FALSE(resume.onPowerBroadcast(ResumeCheck::suspendEvent));
    EXPECT_FALSE(resume.dueNow(false, false));
    EXPECT_TRUE(resume.onNetworkBack());
    EXPECT_FALSE(resume.onNetworkBack());
    EXPECT_TRUE(resume.dueNow(false, false));
}

}  // namespace
