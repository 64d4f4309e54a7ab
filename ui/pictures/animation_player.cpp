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
                                 std::function<void()> frameDrawn, AnimationClock& clock)
    : animation_(std::move(animation)), frameDrawn_(std::move(frameDrawn)), clock_(clock),
      canvas_(animation_.width, animation_.height, backgroundArgb) {}

AnimationPlayer::~AnimationPlayer() {
    stop();
}

void AnimationPlayer::start() {
    std::lock_guard lock(stateMutex_);
    if (started_ || stopRequested_) {
        return;
    }
    started_ = true;
    if (!animation_.frames.empty()) {
        worker_ = std::thread(&AnimationPlayer::run, this);
    }
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

void AnimationPlayer::run() {
    for (std::size_t index = 0;; index = (index + 1) % animation_.frames.size()) {
        const GifFrame& frame = animation_.frames[index];
        const auto frameStart = clock_.now();
        {
            std::lock_guard lock(canvasMutex_);
            canvas_.draw(frame);
        }
        ++framesDrawn_;
        if (frameDrawn_) {
            frameDrawn_();
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
