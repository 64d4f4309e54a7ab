#pragma once
// The four pictures of ui/assets, built into the program by Qt's resource compiler.

#include <cstdint>
#include <span>

namespace ui {

std::span<const std::uint8_t> iconFileBytes();   // icon file, five 32-bit images
std::span<const std::uint8_t> logoPngBytes();    // 1024 x 1015 RGBA PNG
std::span<const std::uint8_t> enterGifBytes();   // 400 x 400 animated GIF, 37 frames
std::span<const std::uint8_t> pointerCurBytes(); // 32 x 32 cursor, hot spot (6, 0)

} // namespace ui
