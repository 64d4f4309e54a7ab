// The pointer (pointer.cur): a yellow hand pointing up, its fingertip the hot spot.
#include "asset_readers.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

using assettest::Pixel;

constexpr int kHotSpotX = 6;
constexpr int kHotSpotY = 0;

TEST(Assets, CursorHasOne32x32ImageWithTheHotSpotAtTheFingertip) {
    const auto file = assettest::readIconFile(assettest::assetPath("pointer.cur"));
    EXPECT_EQ(file.type, 2);
    ASSERT_EQ(file.images.size(), 1u);
    const auto& image = file.images[0];
    EXPECT_EQ(image.entryWidth, 32);
    EXPECT_EQ(image.entryHeight, 32);
    EXPECT_EQ(image.paletteColours, 0);
    EXPECT_EQ(image.planesOrHotSpotX, kHotSpotX);
    EXPECT_EQ(image.bitsOrHotSpotY, kHotSpotY);
    EXPECT_EQ(image.bitmapWidth, 32);
    EXPECT_EQ(image.bitmapHeight, 64) << "colour rows plus mask rows";
    EXPECT_EQ(image.byteCount, 40u + 32 * 32 * 4 + 32 * 4);
    EXPECT_EQ(image.offset, 22u);
    EXPECT_EQ(file.fileBytes, 22u + image.byteCount);
}

TEST(Assets, CursorShowsAYellowHandOutlinedInBlackOnTransparency) {
    const auto file = assettest::readIconFile(assettest::assetPath("pointer.cur"));
    ASSERT_EQ(file.images.size(), 1u);
    const auto& image = file.images[0];
    const auto& hand = image.picture;
    for (std::size_t i = 0; i < hand.pixels.size(); ++i) {
        ASSERT_EQ(image.maskedOut[i], hand.pixels[i].a == 0) << "mask bit set where transparent";
    }
    const Pixel tip = hand.at(kHotSpotX, kHotSpotY);
    EXPECT_GE(tip.a, 200) << "the fingertip is on the hot spot";
    EXPECT_LT(std::max({tip.r, tip.g, tip.b}), 60) << "drawn by the black outline";
    for (int x = 0; x < hand.width; ++x) {
        if (std::abs(x - kHotSpotX) > 2) {
            EXPECT_LT(hand.at(x, 0).a, 64)
                << "only the raised finger reaches the top, column " << x;
        }
    }
    EXPECT_EQ(hand.at(hand.width - 1, 0).a, 0);
    EXPECT_EQ(hand.at(0, 0).a, 0);
    const long yellow = std::count_if(hand.pixels.begin(), hand.pixels.end(), [](const Pixel& p) {
        return p.r == 251 && p.g == 243 && p.b == 4 && p.a == 255;
    });
    const long black = std::count_if(hand.pixels.begin(), hand.pixels.end(), [](const Pixel& p) {
        return std::max({p.r, p.g, p.b}) < 60 && p.a == 255;
    });
    EXPECT_GT(yellow, 250) << "a filled hand";
    EXPECT_GT(black, 60) << "with an outline";
    const long clear = std::count_if(hand.pixels.begin(), hand.pixels.end(),
                                     [](const Pixel& p) { return p.a == 0; });
    EXPECT_GT(clear, 300) << "on a transparent background";
}

} // namespace
