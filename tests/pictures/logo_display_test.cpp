#include "ui/pictures/logo_display.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

namespace pictures {
namespace {

struct FlattenCase {
    std::array<std::uint8_t, 4> pixel;
    std::array<std::uint8_t, 3> background;
    std::array<std::uint8_t, 4> expected;
};

// Every case has its own alpha, which names it.
std::string alphaName(const FlattenCase& c) {
    return "Alpha" + std::to_string(c.pixel[3]);
}
void PrintTo(const FlattenCase& c, std::ostream* out) {
    *out << alphaName(c);
}

class FlattenTest : public ::testing::TestWithParam<FlattenCase> {};

TEST_P(FlattenTest, BlendsOntoTheBackgroundDroppingFractions) {
    const FlattenCase& c = GetParam();
    RgbaImage image{1, 1, {c.pixel.begin(), c.pixel.end()}};
    flattenOnto(image, c.background[0], c.background[1], c.background[2]);
    EXPECT_EQ(image.rgba, std::vector<std::uint8_t>(c.expected.begin(), c.expected.end()));
}

// The background channels differ so that a mixed-up channel shows.
INSTANTIATE_TEST_SUITE_P(
    AlphaAndColourCases, FlattenTest,
    ::testing::Values(
        FlattenCase{{10, 20, 30, 0}, {255, 128, 1}, {255, 128, 1, 255}},      // fully transparent
        FlattenCase{{10, 20, 30, 255}, {255, 128, 1}, {10, 20, 30, 255}},     // opaque: unchanged
        FlattenCase{{0, 255, 100, 128}, {255, 0, 200}, {127, 128, 149, 255}}, // 149.8 -> 149
        FlattenCase{{255, 255, 255, 1}, {0, 0, 0}, {1, 1, 1, 255}},
        FlattenCase{{0, 0, 0, 254}, {255, 255, 255}, {1, 1, 1, 255}},
        FlattenCase{{200, 50, 0, 77}, {255, 255, 255}, {238, 193, 178, 255}}),
    [](const auto& info) { return alphaName(info.param); });

TEST(Flatten, TreatsEveryPixel) {
    RgbaImage image{2, 1, {0, 0, 0, 0, 0, 0, 0, 0}};
    flattenOnto(image, 255, 255, 255);
    EXPECT_EQ(image.rgba, (std::vector<std::uint8_t>{255, 255, 255, 255, 255, 255, 255, 255}));
}

struct PlacementCase {
    const char* name;
    int boxWidth, boxHeight, pictureWidth, pictureHeight;
    Placement expected;
};

void PrintTo(const PlacementCase& c, std::ostream* out) {
    *out << c.name;
}

class CentredShrinkToFitTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(CentredShrinkToFitTest, PlacesThePicture) {
    const PlacementCase& c = GetParam();
    const Placement p =
        centredShrinkToFit(c.boxWidth, c.boxHeight, c.pictureWidth, c.pictureHeight);
    EXPECT_EQ(p, c.expected) << "got " << p.left << "," << p.top << " " << p.width << "x"
                             << p.height;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, CentredShrinkToFitTest,
    ::testing::Values(
        // The logo: height decides, 1015 * 136 / 1015 must stay 136.
        PlacementCase{"Logo", 139, 136, 1024, 1015, {1, 0, 137, 136}},
        PlacementCase{"Fits", 139, 136, 100, 51, {19, 42, 100, 51}},
        PlacementCase{"SameSizeAsBox", 139, 136, 139, 136, {0, 0, 139, 136}},
        // Scaled by 1/2 to 100 x 24 (24.5 dropped); the height, which would fit, is centred at
        // its own size first: (100 - 49) / 2 + (49 - 24) / 2 = 37, not (100 - 24) / 2 = 38.
        PlacementCase{"TooWide", 100, 100, 200, 49, {0, 37, 100, 24}},
        PlacementCase{"TooTall", 100, 100, 49, 200, {37, 0, 24, 100}},
        PlacementCase{"EmptyPicture", 100, 100, 0, 10, {0, 0, 0, 0}}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace pictures
