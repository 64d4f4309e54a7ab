#pragma once

#include "ui/pictures/animation_player.h"

#include <mutex>

namespace pictures::fixtures {

// Time that moves only when told: advance() from the test, or a wait, which jumps straight to its
// deadline. A wait whose deadline lies beyond the horizon parks until the player is woken, so
// that a test can let the animation run up to a known moment and then look at it.
class FakeClock final : public AnimationClock {
public:
    explicit FakeClock(std::chrono::milliseconds horizon) : horizon_(start() + horizon) {}

    static TimePoint start() { return TimePoint(std::chrono::hours(1)); }

    TimePoint now() override {
        std::lock_guard lock(mutex_);
        return now_;
    }
    void advance(std::chrono::milliseconds step) {
        std::lock_guard lock(mutex_);
        now_ += step;
    }
    void sleepUntil(TimePoint deadline) override {
        std::lock_guard lock(mutex_);
        if (deadline > now_) {
            now_ = deadline;
        }
    }
    void waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                   TimePoint deadline) override {
        if (deadline <= horizon_) {
            sleepUntil(deadline);
        } else {
            wake.wait(lock);
        }
    }

private:
    const TimePoint horizon_;
    std::mutex mutex_;
    TimePoint now_ = start();
};

} // namespace pictures::fixtures
