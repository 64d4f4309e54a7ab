#include "ui/pictures/gif_decoder.h"

#include "gif_fixture.h"

#include <gtest/gtest.h>

#include <numeric>

namespace pictures {
namespace {

using fixtures::encodeGif;
using fixtures::GifPicture;
using fixtures::GifPictureFrame;

std::vector<std::uint8_t> filled(int width, int height, std::uint8_t index) {
    return std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, index);
}

// Three frames like those of the enter picture: a full first frame, a transparent 1 x 1 hold,
// and a partial frame with its own palette.
GifPicture threeFrames() {
    GifPicture picture{.width = 8,
                       .height = 6,
                       .backgroundIndex = 1,
                       .palette = {0xFFFFFF, 0xE5E5E5, 0x000000, 0xFF8000},
                       .loopCount = 0};
    picture.frames.push_back(
        {.width = 8, .height = 6, .indices = filled(8, 6, 1), .delayCentiseconds = 4});
    picture.frames.push_back(
        {.width = 1, .height = 1, .indices = {3}, .transparentIndex = 3, .delayCentiseconds = 4});
    picture.frames.push_back({.left = 2,
                              .top = 1,
                              .width = 3,
                              .height = 2,
                              .indices = {0, 1, 0, 1, 0, 1},
                              .transparentIndex = 0,
                              .delayCentiseconds = 0,
                              .disposal = 2,
                              .localPalette = {0x123456, 0xE51234}});
    return picture;
}

TEST(GifDecoder, ReadsScreenAndFrames) {
    const auto animation = decodeGif(encodeGif(threeFrames()));
    ASSERT_TRUE(animation.has_value());
    EXPECT_EQ(animation->width, 8);
    EXPECT_EQ(animation->height, 6);
    EXPECT_EQ(animation->backgroundIndex, 1);
    EXPECT_TRUE(animation->loops);
    ASSERT_EQ(animation->frames.size(), 3u);

    struct Expected {
        int left, top, width, height, transparentIndex, delay, disposal;
        std::uint32_t colour1;
    };
    const Expected expected[] = {{0, 0, 8, 6, -1, 4, 1, 0xFFE5E5E5},
                                 {0, 0, 1, 1, 3, 4, 1, 0xFFE5E5E5},
                                 {2, 1, 3, 2, 0, 0, 2, 0xFFE51234}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const GifFrame& frame = animation->frames[i];
        const Expected& e = expected[i];
        EXPECT_EQ(frame.left, e.left);
        EXPECT_EQ(frame.top, e.top);
        EXPECT_EQ(frame.width, e.width);
        EXPECT_EQ(frame.height, e.height);
        EXPECT_EQ(frame.transparentIndex, e.transparentIndex);
        EXPECT_EQ(frame.delayCentiseconds, e.delay);
        EXPECT_EQ(frame.disposal, e.disposal);
        EXPECT_EQ(frame.palette[1], e.colour1);
        EXPECT_EQ(frame.indices, threeFrames().frames[i].indices);
    }
    // Entries the local palette of two colours does not list are opaque black.
    EXPECT_EQ(animation->frames[2].palette[2], 0xFF000000u);
    EXPECT_EQ(animation->frames[0].palette[3], 0xFFFF8000u);
}

TEST(GifDecoder, AppliesAControlBlockToTheNextFrameOnly) {
    GifPicture picture = threeFrames();
    picture.frames[1].controlBlock = false;
    const auto animation = decodeGif(encodeGif(picture));
    ASSERT_TRUE(animation.has_value());
    const GifFrame& bare = animation->frames[1];
    EXPECT_EQ(bare.transparentIndex, -1);
    EXPECT_EQ(bare.delayCentiseconds, 0);
    EXPECT_EQ(bare.disposal, 0);
}

TEST(GifDecoder, UndoesInterlacing) {
    std::vector<std::uint8_t> rows(10);
    std::iota(rows.begin(), rows.end(), 0); // one pixel per row, index = row number
    GifPicture picture{
        .width = 1, .height = 10, .palette = std::vector<std::uint32_t>(16, 0), .frames = {}};
    picture.frames.push_back({.width = 1, .height = 10, .indices = rows, .interlaced = true});
    const auto animation = decodeGif(encodeGif(picture));
    ASSERT_TRUE(animation.has_value());
    EXPECT_EQ(animation->frames[0].indices, rows);
}

TEST(GifDecoder, ClipsFramesToTheScreen) {
    GifPicture picture{.width = 4, .height = 3, .palette = {0, 0xFFFFFF}, .frames = {}};
    picture.frames.push_back({.left = 2,
                              .top = 1,
                              .width = 3,
                              .height = 3,
                              .indices = {1, 0, 1, 0, 1, 0, 1, 1, 0},
                              .delayCentiseconds = 7});
    picture.frames.push_back({.left = 4,
                              .top = 0,
                              .width = 2,
                              .height = 2,
                              .indices = filled(2, 2, 1),
                              .delayCentiseconds = 9});
    const auto animation = decodeGif(encodeGif(picture));
    ASSERT_TRUE(animation.has_value());
    ASSERT_EQ(animation->frames.size(), 2u);
    const GifFrame& partly = animation->frames[0];
    EXPECT_EQ(partly.width, 2);
    EXPECT_EQ(partly.height, 2);
    EXPECT_EQ(partly.indices, (std::vector<std::uint8_t>{1, 0, 0, 1}));
    // Wholly off the screen: no pixels, but its delay still counts.
    const GifFrame& outside = animation->frames[1];
    EXPECT_EQ(outside.width, 0);
    EXPECT_TRUE(outside.indices.empty());
    EXPECT_EQ(outside.delayCentiseconds, 9);
}

TEST(GifDecoder, LoopsOnlyWhenEndlessRepetitionIsAsked) {
    const std::pair<std::optional<int>, bool> cases[] = {
        {0, true}, {3, false}, {std::nullopt, false}};
    for (const auto& [loopCount, loops] : cases) {
        GifPicture picture = threeFrames();
        picture.loopCount = loopCount;
        const auto animation = decodeGif(encodeGif(picture));
        ASSERT_TRUE(animation.has_value());
        EXPECT_EQ(animation->loops, loops) << loopCount.value_or(-1);
    }
}

TEST(GifDecoder, RejectsEveryTruncation) {
    const auto bytes = encodeGif(threeFrames());
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(decodeGif(std::span(bytes).first(length)).has_value()) << length << " bytes";
    }
}

TEST(GifDecoder, RejectsCorruption) {
    auto badSignature = encodeGif(threeFrames());
    badSignature[0] = 'J';
    const std::vector<std::uint8_t> garbage(100, 0x2C);
    GifPicture noFrames = threeFrames();
    noFrames.frames.clear();
    const std::vector<std::uint8_t> empty; // no data pointer at all
    for (const auto& bytes : {badSignature, garbage, encodeGif(noFrames), empty}) {
        EXPECT_FALSE(decodeGif(bytes).has_value());
    }
}

// The header alone tells the screen, also when the frames that follow are cut off; without a
// whole header (here 6 bytes of signature, 7 of screen, 12 of global palette) there is none.
TEST(GifDecoder, ReadsTheScreenFromTheHeaderAlone) {
    const auto bytes = encodeGif(threeFrames());
    EXPECT_EQ(readGifScreen(bytes), (PictureSize{8, 6}));
    EXPECT_EQ(readGifScreen(std::span(bytes).first(25)), (PictureSize{8, 6}));
    EXPECT_FALSE(readGifScreen(std::span(bytes).first(24)).has_value());
    EXPECT_FALSE(readGifScreen(std::vector<std::uint8_t>(100, 0x2C)).has_value());
}

// The screen size is checked before anything is decoded; a tiny frame keeps the file small.
TEST(GifDecoder, CapsTheScreenSize) {
    auto withScreen = [](int width, int height) {
        GifPicture picture{
            .width = width, .height = height, .palette = {0, 0xFFFFFF}, .frames = {}};
        picture.frames.push_back({.width = 1, .height = 1, .indices = {1}});
        return encodeGif(picture);
    };
    EXPECT_TRUE(decodeGif(withScreen(4096, 4096)).has_value()); // 16 Mpx
    EXPECT_FALSE(decodeGif(withScreen(4096, 4097)).has_value());
    EXPECT_TRUE(readGifScreen(withScreen(4096, 4096)).has_value());
    EXPECT_FALSE(readGifScreen(withScreen(4096, 4097)).has_value());
}

} // namespace
} // namespace pictures
