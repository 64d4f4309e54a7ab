#include "ui/pictures/png_decoder.h"

#include "png_fixture.h"

#include <gtest/gtest.h>
#include <png.h>

#include <ostream>
#include <string>

namespace pictures {
namespace {

using fixtures::encodePng;
using fixtures::PngPicture;

struct PngCase {
    std::string name;
    PngPicture picture;
    std::vector<std::uint8_t> expectedRgba;
};

void PrintTo(const PngCase& c, std::ostream* out) {
    *out << c.name;
}

class PngDecodeTest : public ::testing::TestWithParam<PngCase> {};

TEST_P(PngDecodeTest, GivesEightBitRgba) {
    const PngCase& c = GetParam();
    const auto image = decodePng(encodePng(c.picture));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, c.picture.width);
    EXPECT_EQ(image->height, c.picture.height);
    EXPECT_EQ(image->rgba, c.expectedRgba);
}

INSTANTIATE_TEST_SUITE_P(
    ColourTypes, PngDecodeTest,
    ::testing::Values(
        PngCase{"Rgba",
                {.width = 2,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_RGB_ALPHA,
                 .samples = {10, 20, 30, 0, 200, 100, 50, 128}},
                {10, 20, 30, 0, 200, 100, 50, 128}},
        PngCase{"RgbGetsOpaqueAlpha",
                {.width = 1,
                 .height = 2,
                 .colourType = PNG_COLOR_TYPE_RGB,
                 .samples = {1, 2, 3, 4, 5, 6}},
                {1, 2, 3, 255, 4, 5, 6, 255}},
        // 2 bits per index, with a tRNS entry for index 1 only.
        PngCase{"PaletteWithTransparency",
                {.width = 3,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_PALETTE,
                 .bitDepth = 2,
                 .palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
                 .paletteAlpha = {255, 64},
                 .samples = {0b00'01'10'00}},
                {255, 0, 0, 255, 0, 255, 0, 64, 0, 0, 255, 255}},
        PngCase{"GreyOneBit",
                {.width = 2,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_GRAY,
                 .bitDepth = 1,
                 .samples = {0b01'000000}},
                {0, 0, 0, 255, 255, 255, 255, 255}},
        PngCase{"GreySixteenBitScaledToEight",
                {.width = 3,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_GRAY,
                 .bitDepth = 16,
                 .samples = {0x00, 0x00, 0x80, 0x80, 0xFF, 0xFF}},
                {0, 0, 0, 255, 128, 128, 128, 255, 255, 255, 255, 255}},
        PngCase{
            "GreyAlpha",
            {.width = 1, .height = 1, .colourType = PNG_COLOR_TYPE_GRAY_ALPHA, .samples = {77, 9}},
            {77, 77, 77, 9}},
        // Adam7 spreads a 3 x 3 picture over several passes; rows must come back in place.
        PngCase{"InterlacedGrey",
                {.width = 3,
                 .height = 3,
                 .colourType = PNG_COLOR_TYPE_GRAY,
                 .interlaced = true,
                 .samples = {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                {1, 1,   1, 255, 2, 2,   2, 255, 3, 3,   3, 255, 4, 4,   4, 255, 5, 5,
                 5, 255, 6, 6,   6, 255, 7, 7,   7, 255, 8, 8,   8, 255, 9, 9,   9, 255}}),
    [](const auto& info) { return info.param.name; });

std::vector<std::uint8_t> smallRgbaPng() {
    return fixtures::encodeRgbaPng(2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
}

TEST(PngDecoder, RejectsEveryTruncation) {
    const auto bytes = smallRgbaPng();
    ASSERT_TRUE(decodePng(bytes).has_value());
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(decodePng(std::span(bytes).first(length)).has_value()) << length << " bytes";
    }
}

TEST(PngDecoder, RejectsCorruption) {
    const auto valid = smallRgbaPng();
    auto badSignature = valid;
    badSignature[1] = 'Q';
    auto badHeaderCrc = valid; // byte 20 is inside the IHDR data, covered by its CRC
    badHeaderCrc[20] ^= 0x01;
    auto badImageData = valid; // the byte before the 12-byte IEND chunk ends IDAT's CRC
    badImageData[valid.size() - 13] ^= 0xFF;
    const std::vector<std::uint8_t> garbage(100, 0xAB);
    const std::vector<std::uint8_t> empty; // no data pointer at all
    for (const auto& bytes : {badSignature, badHeaderCrc, badImageData, garbage, empty}) {
        EXPECT_FALSE(decodePng(bytes).has_value());
    }
}

// The chunks before the image data tell the size, also when the image data is broken; without
// the whole header chunk (8 + 25 bytes with the signature) there is none.
TEST(PngDecoder, ReadsTheSizeFromTheHeaderAlone) {
    const auto valid = smallRgbaPng();
    auto badImageData = valid;
    badImageData[valid.size() - 13] ^= 0xFF;
    EXPECT_EQ(readPngSize(valid), (PictureSize{2, 2}));
    EXPECT_EQ(readPngSize(badImageData), (PictureSize{2, 2}));
    EXPECT_FALSE(readPngSize(std::span(valid).first(32)).has_value());
    EXPECT_FALSE(readPngSize(std::vector<std::uint8_t>(100, 0xAB)).has_value());
}

// 1-bit grey pictures are small to write but decode to 4 bytes a pixel: the cap must hold
// however well the data compresses.
TEST(PngDecoder, CapsThePixelCount) {
    auto blank = [](int width, int height) {
        const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
        return encodePng({.width = width,
                          .height = height,
                          .colourType = PNG_COLOR_TYPE_GRAY,
                          .bitDepth = 1,
                          .samples = std::vector<std::uint8_t>(rowBytes * height)});
    };
    const auto atCap = decodePng(blank(4096, 4096)); // 16 Mpx
    ASSERT_TRUE(atCap.has_value());
    EXPECT_EQ(atCap->rgba.size(), std::size_t{4096} * 4096 * 4);
    EXPECT_FALSE(decodePng(blank(4096, 4097)).has_value());
    EXPECT_FALSE(readPngSize(blank(4096, 4097)).has_value());
}

} // namespace
} // namespace pictures
