// Writes the seed corpus of the fuzzers: a few tiny valid files for each decoder.
// Usage: fokarium_write_fuzz_corpus <folder>   (the committed copy is tests/fuzz/corpus)
#include "gif_fixture.h"
#include "icon_fixture.h"
#include "png_fixture.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace pictures::fixtures;

namespace {

void write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// 0, 1, 2, ... n - 1, wrapped at `modulo`.
std::vector<std::uint8_t> ramp(std::size_t n, unsigned modulo = 256) {
    std::vector<std::uint8_t> values(n);
    for (std::size_t i = 0; i < n; ++i) {
        values[i] = static_cast<std::uint8_t>(i % modulo);
    }
    return values;
}

std::vector<std::uint32_t> rampValues(std::size_t n, unsigned modulo, std::uint32_t step = 1) {
    std::vector<std::uint32_t> values(n);
    for (std::size_t i = 0; i < n; ++i) {
        values[i] = static_cast<std::uint32_t>(i % modulo) * step;
    }
    return values;
}

void writePngs(const fs::path& folder) {
    std::vector<std::uint8_t> rgba = ramp(4 * 3 * 4);
    write(folder / "rgba.png", encodeRgbaPng(4, 3, rgba));
    write(folder / "palette-transparency.png",
          encodePng({.width = 4,
                     .height = 4,
                     .colourType = PNG_COLOR_TYPE_PALETTE,
                     .bitDepth = 4,
                     .palette = {{255, 255, 255}, {229, 1, 18}, {0, 0, 0}, {251, 243, 4}},
                     .paletteAlpha = {0, 128},
                     .samples = {0x01, 0x23, 0x10, 0x32, 0x22, 0x11, 0x30, 0x03}}));
    write(folder / "grey16-interlaced.png", encodePng({.width = 5,
                                                       .height = 5,
                                                       .colourType = PNG_COLOR_TYPE_GRAY,
                                                       .bitDepth = 16,
                                                       .interlaced = true,
                                                       .samples = ramp(5 * 5 * 2, 97)}));
}

void writeGifs(const fs::path& folder) {
    GifPicture animation{.width = 8,
                         .height = 6,
                         .backgroundIndex = 0,
                         .palette = {0xFFFFFF, 0xE5E5E5, 0xFFB000, 0xE50112},
                         .loopCount = 0};
    animation.frames.push_back(
        {.width = 8, .height = 6, .indices = ramp(48, 2), .delayCentiseconds = 4});
    animation.frames.push_back(
        {.width = 1, .height = 1, .indices = {3}, .transparentIndex = 3, .delayCentiseconds = 4});
    animation.frames.push_back({.left = 2,
                                .top = 1,
                                .width = 4,
                                .height = 3,
                                .indices = ramp(12, 4),
                                .transparentIndex = 0,
                                .delayCentiseconds = 4});
    write(folder / "animation.gif", encodeGif(animation));

    GifPicture interlaced{.width = 6, .height = 10, .palette = {0, 0xFFFFFF}, .frames = {}};
    interlaced.frames.push_back({.width = 6,
                                 .height = 10,
                                 .indices = ramp(60, 8),
                                 .interlaced = true,
                                 .localPalette = {0, 0x808080, 0xFF0000, 0x00FF00, 0x0000FF,
                                                  0xFFFF00, 0x00FFFF, 0xFF00FF}});
    write(folder / "interlaced-local-palette.gif", encodeGif(interlaced));
}

void writeIcons(const fs::path& folder) {
    const std::vector<std::uint32_t> palette{0x000000, 0xFFFFFF, 0xE50112, 0xFDFDFD};
    std::vector<bool> mask(16, false);
    mask[0] = mask[5] = mask[15] = true;
    auto entry = [](int size, int colours, std::vector<std::uint8_t> data) {
        return IconFileEntry{.width = size,
                             .height = size,
                             .colourCount = colours,
                             .planesOrHotspotX = 1,
                             .bitCountOrHotspotY = 0,
                             .data = std::move(data)};
    };
    write(folder / "icon.ico",
          encodeIconFile(
              1, {entry(8, 0, encodeIconBitmap({8, 8, 32, {}, rampValues(64, 64, 0x04030201), {}})),
                  entry(4, 0, encodeIconBitmap({4, 4, 24, {}, rampValues(16, 16, 0x0F0F0F), mask})),
                  entry(4, 4, encodeIconBitmap({4, 4, 8, palette, rampValues(16, 4), mask})),
                  entry(4, 16, encodeIconBitmap({4, 4, 4, palette, rampValues(16, 4), {}})),
                  entry(4, 2, encodeIconBitmap({4, 4, 1, {0, 0xFFFFFF}, rampValues(16, 2), mask})),
                  entry(2, 0, encodeRgbaPng(2, 2, ramp(16)))}));
    std::vector<std::uint32_t> hand(64, 0);
    for (std::size_t i = 0; i < hand.size(); ++i) {
        hand[i] = (i % 8 >= 2 && i % 8 <= 4) ? 0xFFFBF304 : 0x00000000;
    }
    write(folder / "pointer.cur",
          encodeIconFile(2, {{.width = 8,
                              .height = 8,
                              .planesOrHotspotX = 3,
                              .bitCountOrHotspotY = 0,
                              .data = encodeIconBitmap({8, 8, 32, {}, hand, {}})}}));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    writePngs(root / "png");
    writeGifs(root / "gif");
    writeIcons(root / "icon");
    return 0;
}
