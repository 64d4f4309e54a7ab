#pragma once

#include "ui/pictures/picture_size.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pictures {

// One frame of an animated GIF, already clipped to the logical screen (a frame wholly outside it
// keeps its delay but has no pixels).
struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices{}; // width * height palette indices, row-major
    int transparentIndex = -1;           // -1: none
    int delayCentiseconds = 0;
    int disposal = 0; // as in the file's graphic control extension; 0 when there is none
    std::array<std::uint32_t, 256> palette{}; // the local palette, else the global one: 0xFFRRGGBB
                                              // (entries the file does not list: opaque black)
};

struct GifAnimation {
    int width = 0; // the logical screen
    int height = 0;
    int backgroundIndex = 0;
    bool loops = false; // the file asks for endless repetition (loop extension with count 0)
    std::vector<GifFrame> frames{};
};

// nullopt on any error, on truncated data, on a file without frames or without a palette, and on
// pictures above the caps of decode_limits.h (checked before any frame is decoded).
std::optional<GifAnimation> decodeGif(std::span<const std::uint8_t> bytes);

// The logical screen of a GIF file from its header alone, without decoding a frame: nullopt where
// the header (with its global palette, if it announces one) is not there or the screen is above
// the caps. A file that passes may still fail to decode.
std::optional<PictureSize> readGifScreen(std::span<const std::uint8_t> bytes);

} // namespace pictures
