#include "playback/PlaybackRules.h"

#include <gtest/gtest.h>

namespace {

using namespace PlaybackRules;

TEST(PlaybackRules, TimeTextsOfWholeSeconds) {
    const struct {
        qint64 ms;
        const char* text;
    } cases[] = {{0, "00:00:00"},
                 {999, "00:00:00"},
                 {61000, "00:01:01"},
                 {(3 * 3600 + 5 * 60 + 7) * 1000 + 900, "03:05:07"},
                 {100LL * 3600 * 1000, "100:00:00"}};
    for (const auto& c : cases)
        EXPECT_EQ(TimeText(c.ms), c.text) << c.ms;
}

TEST(PlaybackRules, RateTable) {
    const float rates[] = {1.0f, 0.2f, 0.4f, 0.6f, 0.8f, 1.0f, 1.25f, 1.5f, 1.75f, 2.0f, 1.0f};
    for (int position = 0; position <= 10; ++position)
        EXPECT_FLOAT_EQ(RateForSpeedPosition(position), rates[position]) << position;
}

} // namespace
