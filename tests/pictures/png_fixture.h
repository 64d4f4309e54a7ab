#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace pictures::fixtures {

// A tiny PNG to write: rows of samples exactly as libpng takes them (bit-packed below 8 bits,
// big-endian at 16 bits), each row rowBytes() long.
struct PngPicture {
    int width = 0;
    int height = 0;
    int colourType = 0; // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<std::array<std::uint8_t, 3>> palette{}; // PNG_COLOR_TYPE_PALETTE only
    std::vector<std::uint8_t> paletteAlpha{};           // tRNS for palette pictures
    std::vector<std::uint8_t> samples{};
};

std::vector<std::uint8_t> encodePng(const PngPicture& picture);

// An RGBA, 8-bit PNG of the given pixels (R, G, B, A bytes, row-major).
std::vector<std::uint8_t> encodeRgbaPng(int width, int height, std::vector<std::uint8_t> rgba);

} // namespace pictures::fixtures
