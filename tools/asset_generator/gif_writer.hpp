#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace assetgen {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// One frame of palette indices, rows top-down, placed at (left, top) on the canvas.
struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
};

// An endlessly looping GIF89a whose frames all share one delay, one transparent index, the
// global palette and disposal method 1 (leave the frame in place).
struct GifAnimation {
    int width = 0;
    int height = 0;
    std::array<Rgb, 256> palette{};
    int backgroundIndex = 0;
    int transparentIndex = 255;
    int delayCentiseconds = 4;
    std::vector<GifFrame> frames;
};

// Throws std::runtime_error on failure.
void writeGif(const std::filesystem::path& path, const GifAnimation& animation);

} // namespace assetgen
