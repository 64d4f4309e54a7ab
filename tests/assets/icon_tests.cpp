// The window icon (icon.ico) and the desktop menu icons (hicolor/NxN.png): one 3 x 3 number grid.
#include "asset_readers.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

using assettest::Picture;
using assettest::Pixel;

constexpr std::array<int, 5> kIconSizes{128, 96, 64, 48, 32};
constexpr std::array<int, 7> kMenuIconSizes{16, 22, 24, 32, 48, 64, 128};

bool isRed(const Pixel& p) {
    return p.r > 180 && p.g < 80 && p.b < 80;
}
bool isCellWhite(const Pixel& p) {
    return p.r == 253 && p.g == 253 && p.b == 253;
}
bool isInk(const Pixel& p) {
    return std::max({p.r, p.g, p.b}) < 110;
}

// Runs of consecutive indices for which `isLine` holds: the red lines across the picture.
std::vector<std::pair<int, int>> runs(int count, const auto& isLine) {
    std::vector<std::pair<int, int>> found;
    for (int i = 0; i < count; ++i) {
        if (!isLine(i)) {
            continue;
        }
        if (!found.empty() && found.back().second == i - 1) {
            found.back().second = i;
        } else {
            found.emplace_back(i, i);
        }
    }
    return found;
}

// Finds the red frame and the two red separators in each direction, then checks each of the
// nine cells: near-white with black ink, and the "1" (top-left) the lightest of the digits.
void expectNumberGrid(const Picture& picture) {
    const int n = picture.width;
    ASSERT_EQ(picture.height, n);
    auto mostlyRed = [&](int count) { return count * 10 >= n * 9; };
    const auto rows = runs(n, [&](int y) {
        int red = 0;
        for (int x = 0; x < n; ++x) {
            red += isRed(picture.at(x, y)) ? 1 : 0;
        }
        return mostlyRed(red);
    });
    const auto columns = runs(n, [&](int x) {
        int red = 0;
        for (int y = 0; y < n; ++y) {
            red += isRed(picture.at(x, y)) ? 1 : 0;
        }
        return mostlyRed(red);
    });
    ASSERT_EQ(rows.size(), 4u) << "a frame and two separators across";
    ASSERT_EQ(columns.size(), 4u) << "a frame and two separators down";
    EXPECT_EQ(rows.front().first, 0);
    EXPECT_EQ(rows.back().second, n - 1);
    EXPECT_EQ(columns.front().first, 0);
    EXPECT_EQ(columns.back().second, n - 1);

    std::array<int, 9> ink{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE("cell row " + std::to_string(row) + " column " + std::to_string(column));
            int white = 0;
            int red = 0;
            int& dark = ink[static_cast<std::size_t>(row * 3 + column)];
            const int top = rows[static_cast<std::size_t>(row)].second + 1;
            const int bottom = rows[static_cast<std::size_t>(row) + 1].first;
            const int left = columns[static_cast<std::size_t>(column)].second + 1;
            const int right = columns[static_cast<std::size_t>(column) + 1].first;
            EXPECT_GE(bottom - top, n / 4) << "cells share the picture evenly";
            EXPECT_GE(right - left, n / 4);
            for (int y = top; y < bottom; ++y) {
                for (int x = left; x < right; ++x) {
                    white += isCellWhite(picture.at(x, y)) ? 1 : 0;
                    red += isRed(picture.at(x, y)) ? 1 : 0;
                    dark += isInk(picture.at(x, y)) ? 1 : 0;
                }
            }
            const int area = (bottom - top) * (right - left);
            EXPECT_EQ(red, 0);
            EXPECT_GT(white * 3, area) << "a near-white cell";
            EXPECT_GT(dark * 12, area) << "a bold digit";
        }
    }
    if (n >= 32) {
        EXPECT_EQ(std::min_element(ink.begin(), ink.end()) - ink.begin(), 0)
            << "the top-left digit, 1, has the least ink";
    }
}

TEST(Assets, IconDirectoryListsFiveTrueColourImagesLargestFirst) {
    const auto file = assettest::readIconFile(assettest::assetPath("icon.ico"));
    EXPECT_EQ(file.type, 1);
    ASSERT_EQ(file.images.size(), kIconSizes.size());
    std::uint32_t expectedOffset = 6 + 16 * static_cast<std::uint32_t>(kIconSizes.size());
    for (std::size_t i = 0; i < kIconSizes.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const auto& image = file.images[i];
        EXPECT_EQ(image.entryWidth, kIconSizes[i]);
        EXPECT_EQ(image.entryHeight, kIconSizes[i]);
        EXPECT_EQ(image.paletteColours, 0);
        EXPECT_EQ(image.planesOrHotSpotX, 1);
        EXPECT_EQ(image.bitsOrHotSpotY, 32);
        EXPECT_EQ(image.bitmapWidth, kIconSizes[i]);
        EXPECT_EQ(image.bitmapHeight, 2 * kIconSizes[i]) << "colour rows plus mask rows";
        EXPECT_EQ(image.bitmapCompression, 0);
        const auto maskBytes = static_cast<std::uint32_t>((kIconSizes[i] + 31) / 32 * 4);
        const auto side = static_cast<std::uint32_t>(kIconSizes[i]);
        EXPECT_EQ(image.byteCount, 40 + side * side * 4 + maskBytes * side);
        EXPECT_EQ(image.offset, expectedOffset) << "images follow each other without gaps";
        expectedOffset += image.byteCount;
    }
    EXPECT_EQ(file.fileBytes, expectedOffset);
}

TEST(Assets, IconImagesAreFullyOpaque) {
    const auto file = assettest::readIconFile(assettest::assetPath("icon.ico"));
    for (const auto& image : file.images) {
        SCOPED_TRACE("image of " + std::to_string(image.entryWidth));
        EXPECT_TRUE(std::all_of(image.picture.pixels.begin(), image.picture.pixels.end(),
                                [](const Pixel& p) { return p.a == 255; }));
        EXPECT_EQ(std::count(image.maskedOut.begin(), image.maskedOut.end(), true), 0);
    }
}

TEST(Assets, IconImagesShowTheNumberGrid) {
    const auto file = assettest::readIconFile(assettest::assetPath("icon.ico"));
    for (const auto& image : file.images) {
        SCOPED_TRACE("image of " + std::to_string(image.entryWidth));
        expectNumberGrid(image.picture);
    }
}

TEST(Assets, MenuIconsAreOpaqueNumberGridsOfTheirSize) {
    for (const int size : kMenuIconSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size) + ".png";
        SCOPED_TRACE(name);
        const Picture picture = assettest::readPng(assettest::assetPath("hicolor/" + name));
        ASSERT_EQ(picture.width, size);
        ASSERT_EQ(picture.height, size);
        EXPECT_TRUE(std::all_of(picture.pixels.begin(), picture.pixels.end(),
                                [](const Pixel& p) { return p.a == 255; }));
        expectNumberGrid(picture);
    }
}

} // namespace
