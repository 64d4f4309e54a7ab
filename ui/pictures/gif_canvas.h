#pragma once

#include "ui/pictures/gif_decoder.h"

#include <cstdint>
#include <vector>

namespace pictures {

// A rectangle of a canvas; empty when its width or height is 0.
struct CanvasArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    // The smallest area that holds both.
    CanvasArea united(const CanvasArea& other) const;

    friend bool operator==(const CanvasArea&, const CanvasArea&) = default;
};

// The picture an animation has built up so far. Pixels are 0xAARRGGBB in one std::uint32_t each,
// row-major without padding: the layout of QImage::Format_ARGB32.
class GifCanvas {
public:
    // A width x height canvas filled with backgroundArgb.
    GifCanvas(int width, int height, std::uint32_t backgroundArgb);

    // Draws the frame's pixels at its place, skipping its transparent index; everything else on
    // the canvas stays ("do not dispose", which every frame of our animation asks for; other
    // disposal methods are treated the same). Parts outside the canvas are cut off; a frame whose
    // indices do not match its size is ignored. Returns the area of the pixels that took another
    // colour: empty for a frame that leaves the picture as it was.
    CanvasArea draw(const GifFrame& frame);

    const std::uint32_t* pixels() const { return pixels_.data(); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

} // namespace pictures
