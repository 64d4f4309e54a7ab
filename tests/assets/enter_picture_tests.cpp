// The enter picture (enter.gif): a grey fingerprint recoloured from the top down, looping.
#include "asset_readers.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using assettest::Gif;
using assettest::Picture;
using assettest::Pixel;

constexpr int kSize = 400;
constexpr int kFrames = 37;
constexpr int kFirstColouring = 3;
constexpr int kLastColouring = 28;
constexpr int kTransparent = 255;

// Every colouring frame lies in this box (right and bottom exclusive).
constexpr int kBoxLeft = 15;
constexpr int kBoxTop = 16;
constexpr int kBoxRight = 393;
constexpr int kBoxBottom = 358;

bool isWhite(const Pixel& p) {
    return p.r == 255 && p.g == 255 && p.b == 255;
}
bool isInk(const Pixel& p) {
    return !isWhite(p);
}

bool sameColours(const Picture& a, const Picture& b) {
    return std::equal(
        a.pixels.begin(), a.pixels.end(), b.pixels.begin(), b.pixels.end(),
        [](const Pixel& p, const Pixel& q) { return p.r == q.r && p.g == q.g && p.b == q.b; });
}

// Read once: every check looks at the same file.
const Gif& gif() {
    static const Gif file = assettest::readGif(assettest::assetPath("enter.gif"));
    return file;
}

const SavedImage& frame(int i) {
    return gif()->SavedImages[i];
}

int opaqueCount(int i) {
    const GifImageDesc& area = frame(i).ImageDesc;
    int count = 0;
    for (int p = 0; p < area.Width * area.Height; ++p) {
        count += frame(i).RasterBits[p] != kTransparent ? 1 : 0;
    }
    return count;
}

// Mean canvas row of a frame's opaque pixels.
double meanOpaqueRow(int i) {
    const GifImageDesc& area = frame(i).ImageDesc;
    double sum = 0.0;
    for (int y = 0; y < area.Height; ++y) {
        for (int x = 0; x < area.Width; ++x) {
            sum += frame(i).RasterBits[y * area.Width + x] != kTransparent ? area.Top + y : 0;
        }
    }
    return sum / opaqueCount(i);
}

TEST(Assets, GifScreenPaletteAndEndlessLoop) {
    const auto bytes = assettest::readBytes(assettest::assetPath("enter.gif"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    EXPECT_EQ(gif()->SWidth, kSize);
    EXPECT_EQ(gif()->SHeight, kSize);
    ASSERT_NE(gif()->SColorMap, nullptr);
    EXPECT_EQ(gif()->SColorMap->ColorCount, 256);
    EXPECT_EQ(gif()->SBackGroundColor, 0);
    const GifColorType background = gif()->SColorMap->Colors[0];
    EXPECT_EQ(background.Red + background.Green + background.Blue, 3 * 255) << "white";

    // NETSCAPE2.0 application block followed by the sub-block {1, repeat count 0}.
    bool loops = false;
    const SavedImage& first = frame(0);
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = first.ExtensionBlocks[i];
        const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
            loops = data.Function == CONTINUE_EXT_FUNC_CODE && data.ByteCount == 3 &&
                    data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0;
        }
    }
    EXPECT_TRUE(loops);
}

TEST(Assets, GifFrameTable) {
    ASSERT_EQ(gif()->ImageCount, kFrames);
    for (int i = 0; i < kFrames; ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const GraphicsControlBlock control = assettest::frameControl(gif(), i);
        EXPECT_EQ(control.DelayTime, 4) << "40 ms";
        EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT);
        EXPECT_EQ(control.TransparentColor, kTransparent);
        const GifImageDesc& area = frame(i).ImageDesc;
        EXPECT_FALSE(area.Interlace);
        EXPECT_EQ(area.ColorMap, nullptr) << "frames use the global palette";
        if (i == 0) {
            EXPECT_EQ(area.Left, 0);
            EXPECT_EQ(area.Top, 0);
            EXPECT_EQ(area.Width, kSize);
            EXPECT_EQ(area.Height, kSize);
            EXPECT_EQ(opaqueCount(i), kSize * kSize) << "no transparent pixel";
        } else if (i >= kFirstColouring && i <= kLastColouring) {
            EXPECT_GE(area.Left, kBoxLeft);
            EXPECT_GE(area.Top, kBoxTop);
            EXPECT_LE(area.Left + area.Width, kBoxRight);
            EXPECT_LE(area.Top + area.Height, kBoxBottom);
            EXPECT_GT(opaqueCount(i), 0);
        } else {
            EXPECT_EQ(area.Left, 0);
            EXPECT_EQ(area.Top, 0);
            EXPECT_EQ(area.Width, 1);
            EXPECT_EQ(area.Height, 1);
            EXPECT_EQ(frame(i).RasterBits[0], kTransparent) << "a hold frame";
        }
    }
}

// Light grey ridges on white; a line through the middle crosses many of them.
TEST(Assets, GifFirstFrameIsAGreyFingerprint) {
    const Picture grey = assettest::composeFrames(gif(), 0);
    int ink = 0;
    for (const Pixel& p : grey.pixels) {
        ASSERT_TRUE(p.r == p.g && p.g == p.b && p.r >= 229) << "only white and light grey";
        ink += isInk(p) ? 1 : 0;
    }
    EXPECT_GT(ink, kSize * kSize / 8);
    EXPECT_LT(ink, kSize * kSize / 2);

    auto crossings = [&](int x0, int y0, int dx, int dy) {
        int count = 0;
        for (int x = x0, y = y0; x + dx < kSize && y + dy < kSize; x += dx, y += dy) {
            count += !isInk(grey.at(x, y)) && isInk(grey.at(x + dx, y + dy)) ? 1 : 0;
        }
        return count;
    };
    EXPECT_GE(crossings(0, kSize / 2, 1, 0), 16) << "ridges across the middle";
    EXPECT_GE(crossings(kSize / 2, 0, 0, 1), 16) << "ridges down the middle";
    for (const auto& [x, y] :
         {std::pair{0, 0}, {kSize - 1, 0}, {0, kSize - 1}, {kSize - 1, kSize - 1}}) {
        EXPECT_TRUE(isWhite(grey.at(x, y))) << "an oval: the corners stay white";
    }
}

// Frames 3..28 colour only pixels not yet coloured, each step lower than the one before, and
// leave no grey behind; nothing changes after that.
TEST(Assets, GifColouringStepsChangeOnlyTheirPixelsTopDown) {
    ASSERT_EQ(gif()->ImageCount, kFrames);
    Picture before = assettest::composeFrames(gif(), kFirstColouring - 1);
    EXPECT_TRUE(sameColours(before, assettest::composeFrames(gif(), 0))) << "frames 1, 2 hold";
    double previousRow = 0.0;
    for (int i = kFirstColouring; i <= kLastColouring; ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const Picture after = assettest::composeFrames(gif(), i);
        const GifImageDesc& area = frame(i).ImageDesc;
        for (int y = 0; y < area.Height; ++y) {
            for (int x = 0; x < area.Width; ++x) {
                if (frame(i).RasterBits[y * area.Width + x] == kTransparent) {
                    continue;
                }
                const Pixel& old = before.at(area.Left + x, area.Top + y);
                ASSERT_TRUE(isInk(old) && old.r == old.b) << "only grey ridge pixels change";
                ASSERT_NE(old.b, after.at(area.Left + x, area.Top + y).b);
            }
        }
        const double row = meanOpaqueRow(i);
        EXPECT_GE(row, previousRow) << "the colouring moves downwards";
        previousRow = row;
        before = after;
    }
    const Picture coloured = assettest::composeFrames(gif(), kLastColouring);
    for (const Pixel& p : coloured.pixels) {
        ASSERT_TRUE(isWhite(p) || p.r >= p.b + 30) << "every ridge pixel is coloured";
    }
    const Picture held = assettest::composeFrames(gif(), kFrames - 1);
    EXPECT_TRUE(sameColours(held, coloured)) << "frames 29 to 36 hold";
}

// Yellow-orange at the top through orange to red at the bottom: the green channel of the full
// ridge colour falls from top to bottom.
TEST(Assets, GifColoursRunFromYellowAtTheTopToRedAtTheBottom) {
    const Picture coloured = assettest::composeFrames(gif(), kLastColouring);
    auto meanGreenOfDeepestInk = [&](int fromRow, int toRow) {
        double green = 0.0;
        int count = 0;
        for (int y = fromRow; y < toRow; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const Pixel& p = coloured.at(x, y);
                if (p.r > 200 && p.b < 60) { // the full ink level, not an edge pixel
                    green += p.g;
                    ++count;
                }
            }
        }
        return count > 0 ? green / count : -1.0;
    };
    const double top = meanGreenOfDeepestInk(kBoxTop, kBoxTop + 60);
    const double middle = meanGreenOfDeepestInk(kSize / 2 - 30, kSize / 2 + 30);
    const double bottom = meanGreenOfDeepestInk(kBoxBottom - 60, kBoxBottom);
    EXPECT_GT(top, 170.0) << "yellow-orange";
    EXPECT_GT(top, middle + 30.0);
    EXPECT_GT(middle, bottom + 30.0);
    EXPECT_LT(bottom, 90.0) << "red";
}

} // namespace
