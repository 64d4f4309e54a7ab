#include "ui/pictures/gif_canvas.h"

#include <algorithm>

namespace pictures {

GifCanvas::GifCanvas(int width, int height, std::uint32_t backgroundArgb)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, backgroundArgb) {}

void GifCanvas::draw(const GifFrame& frame) {
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.indices.size() != static_cast<std::size_t>(frame.width) * frame.height) {
        return;
    }
    // 64-bit ends: a frame placed near INT_MAX must not wrap around onto the canvas.
    const int firstColumn = std::max(frame.left, 0);
    const auto endColumn =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{frame.left} + frame.width, width_));
    const int firstRow = std::max(frame.top, 0);
    const auto endRow =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{frame.top} + frame.height, height_));
    for (int y = firstRow; y < endRow; ++y) {
        const std::uint8_t* source =
            frame.indices.data() + static_cast<std::size_t>(y - frame.top) * frame.width;
        std::uint32_t* target = pixels_.data() + static_cast<std::size_t>(y) * width_;
        for (int x = firstColumn; x < endColumn; ++x) {
            const int index = source[x - frame.left];
            if (index != frame.transparentIndex) {
                target[x] = frame.palette[index];
            }
        }
    }
}

} // namespace pictures
