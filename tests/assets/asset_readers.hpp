#pragma once

// Readers for the committed pictures, written for the checks only: they decode what the
// generator writes and report malformed files by throwing std::runtime_error.
#include <gif_lib.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace assettest {

// The committed pictures (ui/assets).
std::filesystem::path assetPath(const std::string& name);

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);

struct Pixel {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels; // rows top-down

    const Pixel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// 8-bit RGBA through libpng's simplified API.
Picture readPng(const std::filesystem::path& path);

// One image of an icon or cursor file: its directory entry, its bitmap header and its pixels.
struct IconFileImage {
    int entryWidth = 0;
    int entryHeight = 0;
    int paletteColours = 0;
    int planesOrHotSpotX = 0; // icons: colour planes; cursors: hot spot column
    int bitsOrHotSpotY = 0;   // icons: bits per pixel; cursors: hot spot row
    std::uint32_t byteCount = 0;
    std::uint32_t offset = 0;

    int bitmapWidth = 0;
    int bitmapHeight = 0; // colour rows plus mask rows
    int bitmapBits = 0;
    int bitmapCompression = 0;

    Picture picture;             // from the BGRA rows
    std::vector<bool> maskedOut; // per pixel, rows top-down: AND mask bit set
};

struct IconFile {
    int type = 0; // 1 icon, 2 cursor
    std::size_t fileBytes = 0;
    std::vector<IconFileImage> images;
};

IconFile readIconFile(const std::filesystem::path& path);

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using Gif = std::unique_ptr<GifFileType, GifCloser>;

// The whole file, slurped by giflib.
Gif readGif(const std::filesystem::path& path);

GraphicsControlBlock frameControl(const Gif& gif, int frame);

// The canvas after drawing frames 0..lastFrame in order, each skipping its transparent pixels,
// onto a white start (how the program plays the picture).
Picture composeFrames(const Gif& gif, int lastFrame);

} // namespace assettest
