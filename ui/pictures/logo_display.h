#pragma once

#include "ui/pictures/rgba_image.h"

#include <cstdint>

namespace pictures {

// Makes `image` opaque as if drawn onto the colour (r, g, b): every pixel with alpha a < 255
// takes c = a/255 * c + (1 - a/255) * background for each channel, fractions dropped, and alpha
// 255. Opaque pixels stay as they are.
void flattenOnto(RgbaImage& image, std::uint8_t r, std::uint8_t g, std::uint8_t b);

struct Placement {
    int left;
    int top;
    int width;
    int height;

    friend bool operator==(const Placement&, const Placement&) = default;
};

// Where a picture lands in a box when it is centred and shrunk to fit: a picture that fits is
// drawn at its own size in the middle; a larger one is scaled by min(W / w, H / h) and each
// direction is centred on its own (see the .cpp for the exact rule). The logo, 1024 x 1015 in a
// 139 x 136 box, is drawn 137 x 136 at left 1, top 0. All zero when a size is not positive.
Placement centredShrinkToFit(int boxWidth, int boxHeight, int pictureWidth, int pictureHeight);

} // namespace pictures
