#include "ui/pictures/animation_player.h"

#include "fake_clock.h"
#include "frame_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>

namespace pictures {
namespace {

using namespace std::chrono_literals;
using fixtures::FakeClock;
using fixtures::setColours;
using fixtures::solidFrame;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kRed = 0xFFE50112;

// Waits until the player has drawn `count` frames, with a bound generous enough for a loaded
// machine and ThreadSanitizer's slowdown.
bool waitForFrames(const AnimationPlayer& player, std::uint64_t count) {
    const auto giveUp = std::chrono::steady_clock::now() + 60s;
    while (player.framesDrawn() < count) {
        if (std::chrono::steady_clock::now() > giveUp) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// 37 frames of 40 ms on a 37 x 1 canvas: frame 0 paints it all white, frame i (1..36) paints
// pixel i red, so the number of red pixels tells which frame was drawn last.
GifAnimation countingAnimation() {
    GifAnimation animation{.width = 37, .height = 1};
    animation.frames.push_back(solidFrame(0, 0, 37, 1, 0));
    for (int i = 1; i < 37; ++i) {
        animation.frames.push_back(solidFrame(i, 0, 1, 1, 1));
    }
    for (GifFrame& frame : animation.frames) {
        setColours(frame, {{0, kWhite}, {1, kRed}});
    }
    return animation;
}

int redPixels(const GifCanvas& canvas) {
    return static_cast<int>(
        std::count(canvas.pixels(), canvas.pixels() + canvas.width() * canvas.height(), kRed));
}

TEST(AnimationPlayer, FollowsTheFrameScheduleAndWraps) {
    FakeClock clock(1500ms);
    struct Draw {
        std::chrono::milliseconds at;
        int frame;
        CanvasArea changed;
    };
    std::vector<Draw> draws;
    AnimationPlayer* self = nullptr;
    AnimationPlayer player(
        countingAnimation(), kWhite,
        [&](const CanvasArea& changed) {
            int frame = 0;
            self->withCanvas([&](const GifCanvas& canvas) { frame = redPixels(canvas); });
            draws.push_back(
                {std::chrono::duration_cast<std::chrono::milliseconds>(clock.now() - clock.start()),
                 frame, changed});
            // Painting takes time too; the next frame is still due 40 ms after this one began.
            clock.advance(7ms);
        },
        clock);
    self = &player;
    player.start();
    player.start(); // a second worker would draw every frame twice
    ASSERT_TRUE(waitForFrames(player, 38));
    player.stop(); // the worker is parked in a wait beyond the clock's horizon
    ASSERT_EQ(draws.size(), 38u);

    for (std::size_t i = 0; i < draws.size(); ++i) {
        EXPECT_EQ(draws[i].frame, static_cast<int>(i % 37)) << "draw " << i;
        EXPECT_EQ(draws[i].at, 40ms * static_cast<int>(i)) << "draw " << i;
    }
    // The moments that matter on screen: grey, first colouring, last colouring, grey again.
    EXPECT_EQ(draws[0].at, 0ms);
    EXPECT_EQ(draws[3].at, 120ms);
    EXPECT_EQ(draws[28].at, 1120ms);
    EXPECT_EQ(draws[37].at, 1480ms);
    EXPECT_EQ(draws[37].frame, 0);

    // What each frame changed: nothing for the white frame on the white canvas, one pixel for
    // each red one, and the 36 red pixels when the white frame comes again.
    EXPECT_TRUE(draws[0].changed.empty());
    EXPECT_EQ(draws[5].changed, (CanvasArea{5, 0, 1, 1}));
    EXPECT_EQ(draws[37].changed, (CanvasArea{1, 0, 36, 1}));
}

// A view of the canvas learns what to redo: the union of the frames' changes since it last
// looked, and nothing when nothing has changed since.
TEST(AnimationPlayer, HandsOverTheChangesSinceTheLastLook) {
    FakeClock clock(80ms); // frames 0, 1 and 2, then the worker parks
    AnimationPlayer player(countingAnimation(), kWhite, {}, clock);
    player.start();
    ASSERT_TRUE(waitForFrames(player, 3));
    CanvasArea first;
    player.takeChanges([&](const GifCanvas& canvas, const CanvasArea& changed) {
        EXPECT_EQ(redPixels(canvas), 2);
        first = changed;
    });
    EXPECT_EQ(first, (CanvasArea{1, 0, 2, 1}));
    player.takeChanges(
        [](const GifCanvas&, const CanvasArea& changed) { EXPECT_TRUE(changed.empty()); });
    player.stop();
}

// The animation is decoded on the worker: the canvas shows the background until then, and a
// picture that cannot be decoded leaves it so.
TEST(AnimationPlayer, DecodesOnTheWorkerAndKeepsTheBackgroundWhenThatFails) {
    std::atomic<bool> decodedOnAnotherThread{false};
    const auto caller = std::this_thread::get_id();
    AnimationPlayer player(PictureSize{37, 1},
                           [&] {
                               decodedOnAnotherThread = std::this_thread::get_id() != caller;
                               return std::optional(countingAnimation());
                           },
                           kWhite, {});
    player.start();
    ASSERT_TRUE(waitForFrames(player, 2));
    EXPECT_TRUE(decodedOnAnotherThread);

    AnimationPlayer broken(PictureSize{37, 1}, [] { return std::optional<GifAnimation>(); },
                           0xFF123456, {});
    broken.start();
    broken.stop(); // joins the worker, which has nothing to play
    EXPECT_EQ(broken.framesDrawn(), 0u);
    broken.withCanvas([](const GifCanvas& canvas) {
        EXPECT_EQ(std::count(canvas.pixels(), canvas.pixels() + 37, 0xFF123456u), 37);
    });
}

TEST(AnimationPlayer, ShowsTheBackgroundBeforeTheFirstFrame) {
    FakeClock clock(0ms);
    AnimationPlayer player(countingAnimation(), 0xFF123456, {}, clock);
    player.withCanvas([](const GifCanvas& canvas) {
        EXPECT_EQ(canvas.width(), 37);
        EXPECT_EQ(std::count(canvas.pixels(), canvas.pixels() + 37, 0xFF123456u), 37);
    });
    EXPECT_EQ(player.framesDrawn(), 0u);
}

TEST(AnimationPlayer, StopCutsALongWaitShort) {
    GifAnimation animation{.width = 1, .height = 1};
    animation.frames.push_back(solidFrame(0, 0, 1, 1, 0, 65535)); // about 11 minutes
    AnimationPlayer player(std::move(animation), kWhite, {});
    player.start();
    ASSERT_TRUE(waitForFrames(player, 1));
    const auto before = std::chrono::steady_clock::now();
    player.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 60s) << "not the frame's 11 minutes";
    EXPECT_EQ(player.framesDrawn(), 1u);
}

// The animation needs nothing from the thread that started it: while that thread sleeps (as the
// GUI thread does in the enter handler) the frames go on.
TEST(AnimationPlayer, KeepsDrawingWhileTheGuiThreadIsBusy) {
    AnimationPlayer player(countingAnimation(), kWhite, {});
    player.start();
    ASSERT_TRUE(waitForFrames(player, 1));
    // waitForFrames only sleeps and reads the counter.
    EXPECT_TRUE(waitForFrames(player, player.framesDrawn() + 5));
}

// Readers never see a frame half drawn: every frame fills the whole canvas with one colour. On a
// clock that jumps to each deadline the worker draws as fast as it can, 10 ms of clock time a
// frame, until it parks at the clock's horizon after frame 300.
TEST(AnimationPlayer, CanvasReadersAndDrawingExcludeEachOther) {
    GifAnimation animation{.width = 64, .height = 64};
    for (std::uint8_t index : {1, 2}) {
        animation.frames.push_back(solidFrame(0, 0, 64, 64, index, 1));
        setColours(animation.frames.back(), {{1, kRed}, {2, 0xFF0000FF}});
    }
    FakeClock clock(3000ms);
    AnimationPlayer player(std::move(animation), kWhite, {}, clock);

    std::atomic<int> tornReads{0};
    std::atomic<int> reads{0};
    std::atomic<bool> done{false};
    auto reader = [&] {
        while (!done) {
            player.withCanvas([&](const GifCanvas& canvas) {
                const std::uint32_t* first = canvas.pixels();
                const std::uint32_t* last = first + canvas.width() * canvas.height();
                if (std::any_of(first, last, [&](std::uint32_t p) { return p != *first; })) {
                    ++tornReads;
                }
            });
            ++reads;
        }
    };
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back(reader);
    }
    player.start();
    const bool drewAll = waitForFrames(player, 301);
    done = true;
    for (auto& thread : readers) {
        thread.join();
    }
    EXPECT_TRUE(drewAll) << "drawing goes on among the readers";
    EXPECT_GT(reads, 0);
    EXPECT_EQ(tornReads, 0);
}

} // namespace
} // namespace pictures
