#pragma once

#include <cstdint>
#include <vector>

namespace pictures::fixtures {

// An uncompressed bitmap as icon files store it. `values` are palette indices for 1, 4 and 8
// bits per pixel and 0xAARRGGBB colours for 24 and 32 bits (alpha unused at 24), row-major from
// the top. `masked` marks the pixels the transparency mask clears; empty means none.
struct IconBitmapPicture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;
    std::vector<std::uint32_t> palette{}; // 0xRRGGBB
    std::vector<std::uint32_t> values{};
    std::vector<bool> masked{};
};

std::vector<std::uint8_t> encodeIconBitmap(const IconBitmapPicture& picture);

// One directory entry and its data.
struct IconFileEntry {
    int width = 0; // as listed in the directory
    int height = 0;
    int colourCount = 0;
    int planesOrHotspotX = 0;   // ICO: colour planes; CUR: hot spot column
    int bitCountOrHotspotY = 0; // ICO: bits per pixel; CUR: hot spot row
    std::vector<std::uint8_t> data{};
};

// type 1: icon file, type 2: cursor file.
std::vector<std::uint8_t> encodeIconFile(int type, const std::vector<IconFileEntry>& entries);

} // namespace pictures::fixtures
