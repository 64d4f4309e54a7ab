#include "ui/pictures/gif_canvas.h"

#include <algorithm>

namespace pictures {

CanvasArea CanvasArea::united(const CanvasArea& other) const {
    if (other.empty()) {
        return *this;
    }
    if (empty()) {
        return other;
    }
    const int left = std::min(this->left, other.left);
    const int top = std::min(this->top, other.top);
    const int right = std::max(this->left + this->width, other.left + other.width);
    const int bottom = std::max(this->top + this->height, other.top + other.height);
    return {left, top, right - left, bottom - top};
}

GifCanvas::GifCanvas(int width, int height, std::uint32_t backgroundArgb)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, backgroundArgb) {}

CanvasArea GifCanvas::draw(const GifFrame& frame) {
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.indices.size() != static_cast<std::size_t>(frame.width) * frame.height) {
        return {};
    }
    // 64-bit ends: a frame placed near INT_MAX must not wrap around onto the canvas.
    const int firstColumn = std::max(frame.left, 0);
    const auto endColumn =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{frame.left} + frame.width, width_));
    const int firstRow = std::max(frame.top, 0);
    const auto endRow =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{frame.top} + frame.height, height_));
    // The changed columns and rows, as half-open ranges.
    int changedLeft = endColumn;
    int changedRight = firstColumn;
    int changedTop = endRow;
    int changedBottom = firstRow;
    for (int y = firstRow; y < endRow; ++y) {
        const std::uint8_t* source =
            frame.indices.data() + static_cast<std::size_t>(y - frame.top) * frame.width;
        std::uint32_t* target = pixels_.data() + static_cast<std::size_t>(y) * width_;
        int rowLeft = endColumn;
        int rowRight = firstColumn;
        for (int x = firstColumn; x < endColumn; ++x) {
            const int index = source[x - frame.left];
            if (index == frame.transparentIndex || target[x] == frame.palette[index]) {
                continue;
            }
            target[x] = frame.palette[index];
            rowLeft = std::min(rowLeft, x);
            rowRight = x + 1;
        }
        if (rowLeft < rowRight) {
            changedLeft = std::min(changedLeft, rowLeft);
            changedRight = std::max(changedRight, rowRight);
            changedTop = std::min(changedTop, y);
            changedBottom = y + 1;
        }
    }
    if (changedLeft >= changedRight) {
        return {};
    }
    return {changedLeft, changedTop, changedRight - changedLeft, changedBottom - changedTop};
}

} // namespace pictures
