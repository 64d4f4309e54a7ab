// The logo (logo.png): a brush-stroke emblem on transparency.
#include "asset_readers.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

using assettest::Picture;
using assettest::Pixel;

std::uint32_t bigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes.at(at)) << 24 | bytes.at(at + 1) << 16 |
           bytes.at(at + 2) << 8 | bytes.at(at + 3);
}

// Where the opaque pixels of one colour are.
struct Spread {
    long count = 0;
    double x = 0.0; // centroid
    double y = 0.0;
};

Spread spreadOf(
    const Picture& picture, const std::function<bool(const Pixel&)>& isColour,
    const std::function<bool(int, int)>& inArea = [](int, int) { return true; }) {
    Spread s;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Pixel& p = picture.at(x, y);
            if (p.a == 255 && isColour(p) && inArea(x, y)) {
                ++s.count;
                s.x += x;
                s.y += y;
            }
        }
    }
    if (s.count > 0) {
        s.x /= static_cast<double>(s.count);
        s.y /= static_cast<double>(s.count);
    }
    return s;
}

bool isGreen(const Pixel& p) {
    return p.g > p.r + 60 && p.g > p.b + 40;
}
bool isBlack(const Pixel& p) {
    return p.r < 60 && p.g < 60 && p.b < 60;
}
bool isRed(const Pixel& p) {
    return p.r > 170 && p.g < 70 && p.b < 70;
}
bool isBlue(const Pixel& p) {
    return p.b > p.r + 80 && p.b > p.g + 40;
}
bool isMagenta(const Pixel& p) {
    return p.r > 170 && p.b > 100 && p.g < 90;
}
bool isOrange(const Pixel& p) {
    return p.r > 200 && p.g > 100 && p.g < 180 && p.b < 70;
}

TEST(Assets, LogoHeaderIs1024x1015RgbaNotInterlaced) {
    const auto bytes = assettest::readBytes(assettest::assetPath("logo.png"));
    const std::vector<std::uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GE(bytes.size(), 33u);
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), bytes.begin()));
    EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "IHDR");
    EXPECT_EQ(bigEndian(bytes, 16), 1024u);
    EXPECT_EQ(bigEndian(bytes, 20), 1015u);
    EXPECT_EQ(bytes[24], 8) << "bits per channel";
    EXPECT_EQ(bytes[25], 6) << "colour type: RGB with alpha";
    EXPECT_EQ(bytes[28], 0) << "not interlaced";
}

TEST(Assets, LogoIsMostlyTransparentWithSoftEdges) {
    const Picture logo = assettest::readPng(assettest::assetPath("logo.png"));
    long clear = 0;
    long opaque = 0;
    for (const Pixel& p : logo.pixels) {
        clear += p.a == 0 ? 1 : 0;
        opaque += p.a == 255 ? 1 : 0;
    }
    const double total = static_cast<double>(logo.pixels.size());
    EXPECT_NEAR(clear / total, 0.89, 0.02);
    EXPECT_NEAR(opaque / total, 0.10, 0.02);
    const double partial = 1.0 - (clear + opaque) / total;
    EXPECT_GT(partial, 0.003) << "anti-aliased edges";
    EXPECT_LT(partial, 0.05);
}

// Green spiral in the middle, black strokes around it, red arcs above, blue dashes up and to
// the right, magenta wings down to both sides, some orange.
TEST(Assets, LogoColoursAreLaidOutAsTheEmblem) {
    const Picture logo = assettest::readPng(assettest::assetPath("logo.png"));
    const Spread green = spreadOf(logo, isGreen);
    ASSERT_GT(green.count, 5000);
    EXPECT_NEAR(green.x, logo.width / 2.0, 120.0);
    EXPECT_NEAR(green.y, logo.height / 2.0, 120.0);
    auto near = [&](int x, int y) { return std::hypot(x - green.x, y - green.y) < 260.0; };

    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        SCOPED_TRACE("black strokes in quadrant " + std::to_string(quadrant));
        const Spread black = spreadOf(logo, isBlack, [&](int x, int y) {
            return near(x, y) && (x < green.x) == (quadrant % 2 == 0) &&
                   (y < green.y) == (quadrant < 2);
        });
        EXPECT_GT(black.count, 1000);
    }
    const Spread red = spreadOf(logo, isRed);
    EXPECT_GT(red.count, 5000);
    EXPECT_LT(red.y, green.y - 150.0) << "red arcs above the centre";

    const Spread blue = spreadOf(logo, isBlue);
    EXPECT_GT(blue.count, 3000);
    EXPECT_LT(blue.y, green.y - 100.0) << "blue dashes above";
    EXPECT_GT(blue.x, green.x + 100.0) << "and to the right";

    for (const bool left : {true, false}) {
        SCOPED_TRACE(left ? "left wing" : "right wing");
        const Spread wing =
            spreadOf(logo, isMagenta, [&](int x, int) { return (x < green.x) == left; });
        EXPECT_GT(wing.count, 5000);
        EXPECT_GT(wing.y, green.y + 150.0) << "below the centre";
        EXPECT_GT(std::fabs(wing.x - green.x), 150.0) << "out to the side";
    }
    EXPECT_GT(spreadOf(logo, isOrange).count, 500);
}

} // namespace
