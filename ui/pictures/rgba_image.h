#pragma once

#include <cstdint>
#include <vector>

namespace pictures {

// A decoded picture: R, G, B, A bytes per pixel, row-major, straight (not premultiplied) alpha.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba{};
};

} // namespace pictures
