#pragma once

#include "ui/pictures/gif_canvas.h"
#include "ui/pictures/gif_decoder.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
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

// Gives the animation to play; called once, on the player's worker thread, before the first
// frame. nullopt (a picture that cannot be decoded) leaves the canvas as it is.
using AnimationSource = std::function<std::optional<GifAnimation>()>;

// Called on the worker thread after each frame has been drawn onto the canvas, with the canvas not
// locked, and the area of the canvas the frame changed (empty for a frame that changed nothing).
using FrameDrawn = std::function<void(const CanvasArea& changed)>;

// Plays an animation onto its canvas on a worker thread of its own, so that the animation keeps
// going while the GUI thread is busy. For each frame: note the time, draw the frame, report it,
// wait until its delay has passed since the noted time; after the last frame the first comes
// again, without end (the file's repetition count is not consulted).
class AnimationPlayer {
public:
    // frameDrawn must not call stop() or destroy the player.
    AnimationPlayer(GifAnimation animation, std::uint32_t backgroundArgb, FrameDrawn frameDrawn,
                    AnimationClock& clock = systemAnimationClock());
    // Decodes on the worker, so that whoever starts the player does not wait for the decoding;
    // canvasSize is the animation's size as the file's header gives it.
    AnimationPlayer(PictureSize canvasSize, AnimationSource source, std::uint32_t backgroundArgb,
                    FrameDrawn frameDrawn, AnimationClock& clock = systemAnimationClock());
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
    // The same, also handing over the area that frames have changed since the last call (empty
    // on the first), so that a view of the canvas redoes only that part.
    void takeChanges(const std::function<void(const GifCanvas&, const CanvasArea& changed)>& fn);

    // Frames drawn so far, over all cycles.
    std::uint64_t framesDrawn() const { return framesDrawn_.load(); }

private:
    void run();
    // Waits until `deadline`; false when the player has been stopped.
    bool waitUntil(AnimationClock::TimePoint deadline);

    AnimationSource source_; // used by the worker only
    const FrameDrawn frameDrawn_;
    AnimationClock& clock_;

    mutable std::mutex canvasMutex_; // guards the two members below
    GifCanvas canvas_;
    CanvasArea changes_;

    std::mutex stateMutex_; // guards the three members below
    std::condition_variable wake_;
    bool started_ = false;
    bool stopRequested_ = false;
    std::thread worker_;

    std::atomic<std::uint64_t> framesDrawn_{0};
};

} // namespace pictures
