#pragma once

#include "ui/pictures/gif_decoder.h"

#include <cstdint>
#include <initializer_list>
#include <utility>

namespace pictures::fixtures {

// A width x height frame at (left, top) whose every pixel has palette index `index`.
inline GifFrame solidFrame(int left, int top, int width, int height, std::uint8_t index,
                           int delayCentiseconds = 4) {
    GifFrame frame;
    frame.left = left;
    frame.top = top;
    frame.width = width;
    frame.height = height;
    frame.indices.assign(static_cast<std::size_t>(width) * height, index);
    frame.delayCentiseconds = delayCentiseconds;
    frame.disposal = 1;
    return frame;
}

// Sets palette entries: {index, 0xAARRGGBB} pairs.
inline void setColours(GifFrame& frame,
                       std::initializer_list<std::pair<int, std::uint32_t>> colours) {
    for (const auto& [index, argb] : colours) {
        frame.palette[static_cast<std::size_t>(index)] = argb;
    }
}

} // namespace pictures::fixtures
