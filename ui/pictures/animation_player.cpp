#include "ui/pictures/animation_player.h"

#include "ui/pictures/frame_schedule.h"

#include <utility>

namespace pictures {

void AnimationClock::waitUntil(std::condition_variable&, std::unique_lock<std::mutex>& lock,
                               TimePoint deadline) {
    lock.unlock();
    sleepUntil(deadline);
    lock.lock();
}

namespace {

class SteadyAnimationClock final : public AnimationClock {
public:
    TimePoint now() override { return std::chrono::steady_clock::now(); }
    void sleepUntil(TimePoint deadline) override { std::this_thread::sleep_until(deadline); }
    void waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                   TimePoint deadline) override {
        wake.wait_until(lock, deadline);
    }
};

} // namespace

AnimationClock& systemAnimationClock() {
    static SteadyAnimationClock clock;
    return clock;
}

AnimationPlayer::AnimationPlayer(GifAnimation animation, std::uint32_t backgroundArgb,
                                 FrameDrawn frameDrawn, AnimationClock& clock)
    // The size may be read after the move: moving leaves the ints as they were.
    : AnimationPlayer(
          PictureSize{animation.width, animation.height},
          [animation = std::move(animation)]() mutable {
              return std::optional<GifAnimation>(std::move(animation));
          },
          backgroundArgb, std::move(frameDrawn), clock) {}

AnimationPlayer::AnimationPlayer(PictureSize canvasSize, AnimationSource source,
                                 std::uint32_t backgroundArgb, FrameDrawn frameDrawn,
                                 AnimationClock& clock)
    : source_(std::move(source)), frameDrawn_(std::move(frameDrawn)), clock_(clock),
      canvas_(canvasSize.width, canvasSize.height, backgroundArgb) {}

AnimationPlayer::~AnimationPlayer() {
    stop();
}

void AnimationPlayer::start() {
    std::lock_guard lock(stateMutex_);
    if (started_ || stopRequested_) {
        return;
    }
    started_ = true;
    worker_ = std::thread(&AnimationPlayer::run, this);
}

void AnimationPlayer::stop() {
    std::thread worker;
    {
        std::lock_guard lock(stateMutex_);
        stopRequested_ = true;
        worker = std::move(worker_);
    }
    wake_.notify_all();
    if (worker.joinable()) {
        worker.join();
    }
}

void AnimationPlayer::withCanvas(const std::function<void(const GifCanvas&)>& fn) const {
    std::lock_guard lock(canvasMutex_);
    fn(canvas_);
}

void AnimationPlayer::takeChanges(
    const std::function<void(const GifCanvas&, const CanvasArea&)>& fn) {
    std::lock_guard lock(canvasMutex_);
    fn(canvas_, changes_);
    changes_ = {};
}

void AnimationPlayer::run() {
    const std::optional<GifAnimation> animation = source_();
    source_ = nullptr; // lets go of whatever it holds
    if (!animation || animation->frames.empty()) {
        return;
    }
    for (std::size_t index = 0;; index = (index + 1) % animation->frames.size()) {
        const GifFrame& frame = animation->frames[index];
        const auto frameStart = clock_.now();
        CanvasArea changed;
        {
            std::lock_guard lock(canvasMutex_);
            changed = canvas_.draw(frame);
            changes_ = changes_.united(changed);
        }
        ++framesDrawn_;
        if (frameDrawn_) {
            frameDrawn_(changed);
        }
        if (!waitUntil(frameStart + frameDelay(frame))) {
            return;
        }
    }
}

bool AnimationPlayer::waitUntil(AnimationClock::TimePoint deadline) {
    std::unique_lock lock(stateMutex_);
    while (!stopRequested_ && clock_.now() < deadline) {
        clock_.waitUntil(wake_, lock, deadline);
    }
    return !stopRequested_;
}

} // namespace pictures
