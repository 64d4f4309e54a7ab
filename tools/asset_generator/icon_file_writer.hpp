#pragma once

#include "image.hpp"

#include <filesystem>
#include <vector>

namespace assetgen {

// An image of an icon or cursor file; the hot spot is used for cursors only.
struct IconImage {
    Image image;
    int hotSpotX = 0;
    int hotSpotY = 0;
};

// Writes the images, in the given order, as 32-bit BMP images with alpha and an AND mask (bit set
// where alpha is 0). Throws std::runtime_error on failure.
void writeIconFile(const std::filesystem::path& path, const std::vector<IconImage>& images);
void writeCursorFile(const std::filesystem::path& path, const std::vector<IconImage>& images);

} // namespace assetgen
