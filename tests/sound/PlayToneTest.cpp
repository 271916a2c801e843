#include "sound/PlayTone.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Services.h"
#include "platform/headless/HeadlessToneDevice.h"
#include "platform/headless/VirtualClock.h"

namespace {

using platform::ToneRecord;

class PlayToneTest : public testing::Test {
protected:
    platform::VirtualClock clock;
    platform::HeadlessToneDevice tones{clock};
    platform::ScopedServices services{platform::Services{.clock = &clock, .tones = &tones}};
};

TEST_F(PlayToneTest, SoundOffSleepsATenthTruncatedAndIsSilent) {
    PlayTone(120, 50, 0);
    EXPECT_EQ(clock.ElapsedMs(), 5u);
    PlayTone(880, 5, 0);
    EXPECT_EQ(clock.ElapsedMs(), 5u);
    EXPECT_TRUE(tones.Tones().empty());
}

TEST_F(PlayToneTest, SoundOnPlaysPitchAndLengthForAnyNonZeroFlag) {
    PlayTone(220, 200, 1);
    PlayTone(1840, 5, -1);
    EXPECT_EQ(tones.Tones(), (std::vector<ToneRecord>{{220, 200}, {1840, 5}}));
    EXPECT_EQ(clock.ElapsedMs(), 205u);
}

}  // namespace
