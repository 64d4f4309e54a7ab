#pragma once

#include "ui/pictures/gif_canvas.h"
#include "ui/pictures/gif_decoder.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace pictures {

// The time source of an animation, replaceable so that a test can step time by hand.
class AnimationClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~AnimationClock() = default;
    virtual TimePoint now() = 0;
    virtual void sleepUntil(TimePoint deadline) = 0;

    // Waits until `deadline` or until `wake` is notified, whichever comes first; `lock` holds the
    // mutex that belongs to `wake` and is held again on return. The player waits through this so
    // that stopping can cut a wait short. This default sleeps through without looking at `wake`,
    // which suits clocks whose sleepUntil returns at once; the system clock waits on `wake`.
    virtual void waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                           TimePoint deadline);
};

// std::chrono::steady_clock.
AnimationClock& systemAnimationClock();

// Plays an animation onto its canvas on a worker thread of its own, so that the animation keeps
// going while the GUI thread is busy. For each frame: note the time, draw the frame, report it,
// wait until its delay has passed since the noted time; after the last frame the first comes
// again, without end (the file's repetition count is not consulted).
class AnimationPlayer {
public:
    // frameDrawn is called on the worker thread after each frame has been drawn onto the canvas,
    // with the canvas not locked. It must not call stop() or destroy the player.
    AnimationPlayer(GifAnimation animation, std::uint32_t backgroundArgb,
                    std::function<void()> frameDrawn,
                    AnimationClock& clock = systemAnimationClock());
    ~AnimationPlayer(); // stops and joins the worker

    AnimationPlayer(const AnimationPlayer&) = delete;
    AnimationPlayer& operator=(const AnimationPlayer&) = delete;

    // The first call starts the worker at the first frame; further calls, also after stop(), do
    // nothing. The canvas is filled with the background colour from construction on, so a paint
    // before the first frame shows the background.
    void start();
    // Ends the worker at once, also in the middle of a wait, and joins it. Idempotent.
    void stop();

    // Runs fn with the canvas locked: a frame being drawn and a repaint exclude each other.
    void withCanvas(const std::function<void(const GifCanvas&)>& fn) const;

    // Frames drawn so far, over all cycles.
    std::uint64_t framesDrawn() const { return framesDrawn_.load(); }

private:
    void run();
    // Waits until `deadline`; false when the player has been stopped.
    bool waitUntil(AnimationClock::TimePoint deadline);

    const GifAnimation animation_;
    const std::function<void()> frameDrawn_;
    AnimationClock& clock_;

    mutable std::mutex canvasMutex_;
    GifCanvas canvas_;

    std::mutex stateMutex_; // guards the three members below
    std::condition_variable wake_;
    bool started_ = false;
    bool stopRequested_ = false;
    std::thread worker_;

    std::atomic<std::uint64_t> framesDrawn_{0};
};

} // namespace pictures
