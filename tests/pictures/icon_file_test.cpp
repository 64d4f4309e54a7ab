#include "ui/pictures/icon_file.h"

#include "icon_fixture.h"
#include "png_fixture.h"

#include <gtest/gtest.h>

#include <ostream>

namespace pictures {
namespace {

using fixtures::encodeIconBitmap;
using fixtures::encodeIconFile;
using fixtures::IconBitmapPicture;
using fixtures::IconFileEntry;

std::vector<std::uint8_t> iconWith(std::vector<std::uint8_t> data) {
    return encodeIconFile(1, {{.width = 3, .height = 2, .data = std::move(data)}});
}

struct BitmapCase {
    const char* name;
    IconBitmapPicture picture;
    std::vector<std::uint8_t> expectedRgba;
};

void PrintTo(const BitmapCase& c, std::ostream* out) {
    *out << c.name;
}

class IconBitmapTest : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(IconBitmapTest, DecodesColoursAndTransparency) {
    const BitmapCase& c = GetParam();
    const auto images = decodeIconFile(iconWith(encodeIconBitmap(c.picture)));
    ASSERT_TRUE(images.has_value());
    ASSERT_EQ(images->size(), 1u);
    EXPECT_EQ(images->front().width, c.picture.width);
    EXPECT_EQ(images->front().height, c.picture.height);
    EXPECT_EQ(images->front().image.rgba, c.expectedRgba);
}

// 3 x 2 pictures: odd widths make every row need padding, and the two rows differ, so rows
// read in the wrong order or with the wrong stride show.
const std::vector<std::uint32_t> kPalette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
const std::vector<bool> kMask{false, true, false, false, false, true};
INSTANTIATE_TEST_SUITE_P(
    Depths, IconBitmapTest,
    ::testing::Values(
        BitmapCase{"ThirtyTwoBitsUseAlphaNotMask",
                   {3,
                    2,
                    32,
                    {},
                    {0xFF102030, 0x80405060, 0x00708090, 0x01A0B0C0, 0xFFD0E0F0, 0xFF000000},
                    kMask},
                   {0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0x80, 0x70, 0x80, 0x90, 0x00,
                    0xA0, 0xB0, 0xC0, 0x01, 0xD0, 0xE0, 0xF0, 0xFF, 0x00, 0x00, 0x00, 0xFF}},
        // Old icons: the alpha bytes are all zero and the mask decides.
        BitmapCase{
            "ThirtyTwoBitsWithoutAlphaUseMask",
            {3, 2, 32, {}, {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x000000}, kMask},
            {0x10, 0x20, 0x30, 255, 0x40, 0x50, 0x60, 0,   0x70, 0x80, 0x90, 255,
             0xA0, 0xB0, 0xC0, 255, 0xD0, 0xE0, 0xF0, 255, 0x00, 0x00, 0x00, 0}},
        BitmapCase{
            "TwentyFourBits",
            {3, 2, 24, {}, {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x000000}, kMask},
            {0x10, 0x20, 0x30, 255, 0x40, 0x50, 0x60, 0,   0x70, 0x80, 0x90, 255,
             0xA0, 0xB0, 0xC0, 255, 0xD0, 0xE0, 0xF0, 255, 0x00, 0x00, 0x00, 0}},
        BitmapCase{"EightBitPalette",
                   {3, 2, 8, kPalette, {1, 2, 3, 0, 1, 2}, kMask},
                   {255, 0, 0, 255, 0,   255, 0, 0,   0, 0,   255, 255,
                    0,   0, 0, 255, 255, 0,   0, 255, 0, 255, 0,   0}},
        BitmapCase{"FourBitPalette",
                   {3, 2, 4, kPalette, {3, 2, 1, 1, 0, 3}, {}},
                   {0,   0, 255, 255, 0, 255, 0, 255, 255, 0, 0,   255,
                    255, 0, 0,   255, 0, 0,   0, 255, 0,   0, 255, 255}},
        BitmapCase{"OneBitPalette",
                   {3, 2, 1, {0x000000, 0xFFFFFF}, {1, 0, 1, 0, 1, 1}, kMask},
                   {255, 255, 255, 255, 0,   0,   0,   0,   255, 255, 255, 255,
                    0,   0,   0,   255, 255, 255, 255, 255, 255, 255, 255, 0}}),
    [](const auto& info) { return info.param.name; });

TEST(IconFile, ReadsPngEntriesAndDirectoryFields) {
    const auto png = fixtures::encodeRgbaPng(2, 1, {1, 2, 3, 4, 5, 6, 7, 8});
    const auto bitmap =
        encodeIconBitmap({2, 2, 32, {}, std::vector<std::uint32_t>(4, 0xFF00FF00), {}});
    const std::vector<IconFileEntry> entries{{.width = 2,
                                              .height = 1,
                                              .colourCount = 0,
                                              .planesOrHotspotX = 1,
                                              .bitCountOrHotspotY = 32,
                                              .data = png},
                                             {.width = 2,
                                              .height = 2,
                                              .colourCount = 16,
                                              .planesOrHotspotX = 6,
                                              .bitCountOrHotspotY = 1,
                                              .data = bitmap}};

    const auto icon = decodeIconFile(encodeIconFile(1, entries));
    ASSERT_TRUE(icon.has_value());
    ASSERT_EQ(icon->size(), 2u);
    EXPECT_EQ((*icon)[0].image.rgba, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ((*icon)[1].colourCount, 16);
    EXPECT_EQ((*icon)[1].hotspotX, 0); // icon files have no hot spot
    EXPECT_EQ((*icon)[1].hotspotY, 0);

    const auto cursor = decodeIconFile(encodeIconFile(2, entries));
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ((*cursor)[1].hotspotX, 6);
    EXPECT_EQ((*cursor)[1].hotspotY, 1);
    EXPECT_EQ((*cursor)[1].image.rgba.size(), 16u);
}

TEST(IconFile, RejectsEveryTruncation) {
    const auto bytes = iconWith(encodeIconBitmap({3, 2, 8, kPalette, {1, 2, 3, 0, 1, 2}, kMask}));
    ASSERT_TRUE(decodeIconFile(bytes).has_value());
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(decodeIconFile(std::span(bytes).first(length)).has_value())
            << length << " bytes";
    }
}

TEST(IconFile, RejectsCorruption) {
    const auto valid = iconWith(encodeIconBitmap({3, 2, 8, kPalette, {1, 2, 3, 0, 1, 2}, kMask}));
    auto wrongType = valid;
    wrongType[2] = 3;
    auto noImages = valid;
    noImages[4] = 0;
    auto offsetPastEnd = valid; // the entry's offset field
    offsetPastEnd[6 + 12 + 1] = 0x10;
    const auto indexOutsidePalette =
        iconWith(encodeIconBitmap({3, 2, 8, {0x000000, 0xFFFFFF}, {1, 2, 1, 0, 1, 0}, {}}));
    const auto brokenPng = iconWith({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 0});
    const std::vector<std::uint8_t> empty; // no data pointer at all
    for (const auto& bytes :
         {wrongType, noImages, offsetPastEnd, indexOutsidePalette, brokenPng, empty}) {
        EXPECT_FALSE(decodeIconFile(bytes).has_value());
    }
}

IconImage listed(int width, int colourCount) {
    return {.width = width, .height = width, .colourCount = colourCount};
}

TEST(ChooseWindowIcon, TakesTheFirstWideEnoughPaletteImageElseTheLast) {
    struct Case {
        const char* name;
        std::vector<IconImage> images;
        int expectedIndex; // -1: none
    };
    const Case cases[] = {
        // The program's own icon: five true-colour images, so the last one, 32 wide.
        {"TrueColourOnly",
         {listed(128, 0), listed(96, 0), listed(64, 0), listed(48, 0), listed(32, 0)},
         4},
        {"FirstQualifyingWins", {listed(48, 0), listed(32, 16), listed(32, 255), listed(16, 0)}, 1},
        {"TooFewColours", {listed(32, 15), listed(16, 0)}, 1},
        {"WrongWidth", {listed(16, 16), listed(48, 16)}, 1},
        {"Empty", {}, -1},
    };
    for (const Case& c : cases) {
        const IconImage* chosen = chooseWindowIcon(c.images, 32);
        if (c.expectedIndex < 0) {
            EXPECT_EQ(chosen, nullptr) << c.name;
        } else {
            EXPECT_EQ(chosen, &c.images[static_cast<std::size_t>(c.expectedIndex)]) << c.name;
        }
    }
}

} // namespace
} // namespace pictures
