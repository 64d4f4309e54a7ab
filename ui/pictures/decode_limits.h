#pragma once

#include <cstdint>

namespace pictures {

// Our own pictures are far below these; the caps keep a broken or hostile file from making a
// decoder allocate gigabytes before it notices that the data does not hold that many pixels.
inline constexpr std::int64_t kMaxPicturePixels = 16 * 1024 * 1024;
// All images of one file together: the frames of an animation, the images of an icon file.
inline constexpr std::int64_t kMaxFilePixels = 4 * kMaxPicturePixels;

// Counts the pixels a decoder is about to allocate for one file against both caps.
class PixelBudget {
public:
    // False, and nothing is taken, when a width x height image is empty or over either cap.
    bool take(std::int64_t width, std::int64_t height) {
        if (width <= 0 || height <= 0 || width > kMaxPicturePixels / height) {
            return false;
        }
        const std::int64_t pixels = width * height;
        if (pixels > kMaxFilePixels - used_) {
            return false;
        }
        used_ += pixels;
        return true;
    }

private:
    std::int64_t used_ = 0;
};

} // namespace pictures
