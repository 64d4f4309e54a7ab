#include "ui/pictures/gif_canvas.h"

#include "frame_builder.h"

#include <gtest/gtest.h>

namespace pictures {
namespace {

using fixtures::setColours;
using fixtures::solidFrame;

constexpr std::uint32_t W = 0xFFFFFFFF; // background
constexpr std::uint32_t G = 0xFFE5E5E5;
constexpr std::uint32_t R = 0xFFE50112;

std::vector<std::uint32_t> contents(const GifCanvas& canvas) {
    return {canvas.pixels(), canvas.pixels() + canvas.width() * canvas.height()};
}

TEST(GifCanvas, StartsWithTheBackground) {
    const GifCanvas canvas(3, 2, W);
    EXPECT_EQ(canvas.width(), 3);
    EXPECT_EQ(canvas.height(), 2);
    EXPECT_EQ(contents(canvas), std::vector<std::uint32_t>(6, W));
}

// A grey frame, then a frame over part of it whose transparent pixels let the grey show: the
// canvas keeps whatever a frame does not cover or leaves transparent.
TEST(GifCanvas, KeepsEarlierPixelsUnderTransparentAndUncoveredParts) {
    GifCanvas canvas(4, 3, W);
    GifFrame grey = solidFrame(0, 0, 4, 2, 1);
    setColours(grey, {{1, G}});
    canvas.draw(grey);

    GifFrame red = solidFrame(1, 1, 3, 2, 2);
    red.indices = {2, 255, 2, 255, 2, 255};
    red.transparentIndex = 255;
    setColours(red, {{2, R}, {255, 0xFF000000}});
    canvas.draw(red);

    EXPECT_EQ(contents(canvas), (std::vector<std::uint32_t>{G, G, G, G, //
                                                            G, R, G, R, //
                                                            W, W, R, W}));
}

// Only pixels that take another colour count as changed: a frame that repaints what is there, or
// is transparent, changes nothing.
TEST(GifCanvas, TellsTheAreaAFrameChanged) {
    GifCanvas canvas(5, 4, W);
    GifFrame frame = solidFrame(0, 0, 5, 4, 0);
    frame.indices = {0, 0, 0, 0, 0, //
                     0, 1, 0, 0, 0, //
                     0, 0, 0, 1, 2, //
                     0, 0, 0, 0, 0};
    frame.transparentIndex = 2;
    setColours(frame, {{0, W}, {1, R}});
    EXPECT_EQ(canvas.draw(frame), (CanvasArea{1, 1, 3, 2}));
    EXPECT_TRUE(canvas.draw(frame).empty()) << "the same frame again";
    GifFrame transparent = solidFrame(0, 0, 1, 1, 2);
    transparent.transparentIndex = 2;
    EXPECT_TRUE(canvas.draw(transparent).empty());
}

TEST(GifCanvas, CutsFramesAtTheEdges) {
    GifCanvas canvas(3, 2, W);
    GifFrame frame = solidFrame(-1, 1, 3, 3, 0);
    frame.indices = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int i = 0; i < 10; ++i) {
        frame.palette[static_cast<std::size_t>(i)] = 0xFF000000u + static_cast<std::uint32_t>(i);
    }
    canvas.draw(frame);
    EXPECT_EQ(contents(canvas), (std::vector<std::uint32_t>{W, W, W, 0xFF000002, 0xFF000003, W}));
}

TEST(GifCanvas, IgnoresAFrameWhoseIndicesDoNotMatchItsSize) {
    GifCanvas canvas(2, 2, W);
    GifFrame frame = solidFrame(0, 0, 2, 2, 1);
    frame.indices.pop_back();
    setColours(frame, {{1, R}});
    canvas.draw(frame);
    EXPECT_EQ(contents(canvas), std::vector<std::uint32_t>(4, W));
}

} // namespace
} // namespace pictures
