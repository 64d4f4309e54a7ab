#pragma once

#include "ui/pictures/rgba_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pictures {

struct IconImage {
    int width = 0; // of the decoded image
    int height = 0;
    int colourCount = 0; // the palette colours the file's directory lists for it (0: true colour)
    int hotspotX = 0;    // cursor files only; 0 in icon files
    int hotspotY = 0;
    RgbaImage image{};
};

// Decodes an icon (.ico, type 1) or cursor (.cur, type 2) file, images in file order. Entries may
// be PNG or uncompressed device-independent bitmaps of 1, 4, 8, 24 or 32 bits per pixel with their
// transparency mask; 32-bit images take their alpha channel unless it is all zero.
// nullopt on any error, on truncated data and on pictures above the caps of decode_limits.h.
std::optional<std::vector<IconImage>> decodeIconFile(std::span<const std::uint8_t> bytes);

// The first image, in file order, that is wantedWidth wide and lists at least 16 palette colours;
// if none is, the last image; nullptr when there is none.
const IconImage* chooseWindowIcon(const std::vector<IconImage>& images, int wantedWidth);

} // namespace pictures
