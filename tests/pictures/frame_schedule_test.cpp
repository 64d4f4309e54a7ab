#include "ui/pictures/frame_schedule.h"

#include <gtest/gtest.h>

namespace pictures {
namespace {

TEST(FrameDelay, IsTenMillisecondsPerHundredthAndZeroCountsAsFifty) {
    const std::pair<int, int> cases[] = {{0, 50}, {1, 10}, {4, 40}, {5, 50}, {65535, 655350}};
    for (const auto& [centiseconds, milliseconds] : cases) {
        GifFrame frame;
        frame.delayCentiseconds = centiseconds;
        EXPECT_EQ(frameDelay(frame), std::chrono::milliseconds(milliseconds)) << centiseconds;
    }
}

} // namespace
} // namespace pictures
