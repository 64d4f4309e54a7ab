#include "ui/pictures/logo_display.h"

#include <array>
#include <cstddef>

namespace pictures {

void flattenOnto(RgbaImage& image, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::array<unsigned, 3> background{r, g, b};
    for (std::size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
        const unsigned alpha = image.rgba[i + 3];
        if (alpha == 255) {
            continue;
        }
        if (alpha == 0) { // most of the logo: the blend gives the background exactly
            image.rgba[i] = r;
            image.rgba[i + 1] = g;
            image.rgba[i + 2] = b;
            image.rgba[i + 3] = 255;
            continue;
        }
        // Whole-number arithmetic gives the exact value of the blend, and integer division
        // drops its fraction. The result lies between c and the background, so within 0..255.
        for (std::size_t channel = 0; channel < 3; ++channel) {
            const unsigned c = image.rgba[i + channel];
            image.rgba[i + channel] =
                static_cast<std::uint8_t>((alpha * c + (255 - alpha) * background[channel]) / 255);
        }
        image.rgba[i + 3] = 255;
    }
}

namespace {

// Offset of one direction: `box` is the inner size, `own` the picture's size and `drawn` its
// scaled size. Where the picture would fit at its own size, it is first centred at that size
// and the scaled picture is then centred within that place.
int centredOffset(int box, int own, int drawn) {
    if (box >= own) {
        return (box - own) / 2 + (own - drawn) / 2;
    }
    return (box - drawn) / 2;
}

} // namespace

Placement centredShrinkToFit(int boxWidth, int boxHeight, int pictureWidth, int pictureHeight) {
    if (boxWidth <= 0 || boxHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return {0, 0, 0, 0};
    }
    if (pictureWidth <= boxWidth && pictureHeight <= boxHeight) {
        return {(boxWidth - pictureWidth) / 2, (boxHeight - pictureHeight) / 2, pictureWidth,
                pictureHeight};
    }
    // The scale is the smaller of W / w and H / h (below 1 here). Kept as a fraction so that
    // the side that sets it comes out exact: 1015 * (136 / 1015) is 136, not 135.
    const std::int64_t w = pictureWidth;
    const std::int64_t h = pictureHeight;
    const bool widthDecides = std::int64_t{boxWidth} * h <= std::int64_t{boxHeight} * w;
    const std::int64_t numerator = widthDecides ? boxWidth : boxHeight;
    const std::int64_t denominator = widthDecides ? w : h;
    const int drawnWidth = static_cast<int>(w * numerator / denominator);
    const int drawnHeight = static_cast<int>(h * numerator / denominator);
    return {centredOffset(boxWidth, pictureWidth, drawnWidth),
            centredOffset(boxHeight, pictureHeight, drawnHeight), drawnWidth, drawnHeight};
}

} // namespace pictures
