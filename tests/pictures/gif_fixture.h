#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace pictures::fixtures {

struct GifPictureFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices{}; // row-major, in display order also when interlaced
    int transparentIndex = -1;
    int delayCentiseconds = 0;
    int disposal = 1;
    bool interlaced = false;
    bool controlBlock = true; // a graphic control extension (delay, disposal, transparency) first
    std::vector<std::uint32_t> localPalette{}; // 0xRRGGBB; empty: use the global one
};

struct GifPicture {
    int width = 0;
    int height = 0;
    int backgroundIndex = 0;
    std::vector<std::uint32_t> palette{}; // 0xRRGGBB, padded to a power of two when written
    std::optional<int> loopCount{};       // a NETSCAPE2.0 loop extension; 0 means endless
    std::vector<GifPictureFrame> frames{};
};

// Writes a GIF89a with giflib's encoder.
std::vector<std::uint8_t> encodeGif(const GifPicture& picture);

} // namespace pictures::fixtures
