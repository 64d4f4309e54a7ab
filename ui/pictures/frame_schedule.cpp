#include "ui/pictures/frame_schedule.h"

#include <cstdint>

namespace pictures {

std::chrono::milliseconds frameDelay(const GifFrame& frame) {
    if (frame.delayCentiseconds <= 0) {
        return std::chrono::milliseconds(50);
    }
    return std::chrono::milliseconds(std::int64_t{frame.delayCentiseconds} * 10);
}

} // namespace pictures
