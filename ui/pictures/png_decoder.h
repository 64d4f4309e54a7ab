#pragma once

#include "ui/pictures/picture_size.h"
#include "ui/pictures/rgba_image.h"

#include <cstdint>
#include <optional>
#include <span>

namespace pictures {

// Decodes any PNG (palette, grey, RGB, with or without alpha, 1 to 16 bits, interlaced or not)
// to 8-bit RGBA. nullopt on any error, on truncated data and on pictures above
// kMaxPicturePixels.
std::optional<RgbaImage> decodePng(std::span<const std::uint8_t> bytes);

// The picture's size from the file's signature and header alone, without decoding a pixel:
// nullopt where they are not there or the size is above kMaxPicturePixels. A file that passes
// may still fail to decode.
std::optional<PictureSize> readPngSize(std::span<const std::uint8_t> bytes);

} // namespace pictures
