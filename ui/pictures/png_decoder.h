#pragma once

#include "ui/pictures/rgba_image.h"

#include <cstdint>
#include <optional>
#include <span>

namespace pictures {

// Decodes any PNG (palette, grey, RGB, with or without alpha, 1 to 16 bits, interlaced or not)
// to 8-bit RGBA. nullopt on any error, on truncated data and on pictures above
// kMaxPicturePixels.
std::optional<RgbaImage> decodePng(std::span<const std::uint8_t> bytes);

} // namespace pictures
