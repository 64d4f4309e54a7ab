#include "icon_picture.hpp"

#include "digits.hpp"
#include "rasterizer.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace assetgen {

namespace {

constexpr Rgba kCell{253, 253, 253, 255};
constexpr Rgba kLine{229, 1, 18, 255};
constexpr Rgba kDigit{0, 0, 0, 255};
constexpr std::array<int, 9> kDigits{1, 9, 3, 6, 5, 8, 4, 2, 7};
constexpr int kTinyCell = 5; // pixels

// Pixel-aligned layout along one axis: where each of the three cells starts and how wide it is.
struct Axis {
    std::array<int, 3> start{};
    std::array<int, 3> extent{};
};

// Spare pixels go to the middle cell first, then to the first one.
constexpr std::array<int, 3> kSpareRank{1, 0, 2};

Axis layOut(int size, int line) {
    const int free = size - 4 * line;
    Axis axis;
    int position = line;
    for (int i = 0; i < 3; ++i) {
        const int extra = free % 3 > kSpareRank[i] ? 1 : 0;
        axis.start[i] = position;
        axis.extent[i] = free / 3 + extra;
        position += axis.extent[i] + line;
    }
    return axis;
}

// A bold glyph filling most of the cell.
Shape boldDigit(int digit, double left, double top, double width, double height) {
    const double pen = std::max(1.2, 0.145 * height);
    const double glyphHeight = 0.74 * height - pen;
    const Point origin{left + (width - glyphHeight * kDigitWidth) / 2.0,
                       top + (height - glyphHeight) / 2.0};
    Shape glyph;
    for (const auto& stroke : placeDigit(digit, origin, glyphHeight)) {
        glyph.addStroke(stroke, pen);
    }
    return glyph;
}

// Too few pixels for a glyph: a crisp dark mark with white around it keeps the grid readable;
// the 1 stays the slimmest.
Shape digitMark(int digit, double left, double top, double width, double height) {
    const double markWidth = digit == 1 ? 1.0 : 2.0;
    const double markLeft = left + std::floor((width - markWidth) / 2.0);
    const double markTop = top + std::floor((height - 2.0) / 2.0);
    Shape mark;
    mark.addRectangle(markLeft, markTop, markLeft + markWidth, markTop + 2.0);
    return mark;
}

} // namespace

Image drawIcon(int size) {
    const int line = std::max(1, (size + 20) / 40);
    const Axis axis = layOut(size, line);
    Image image(size, size, kLine);
    const Rasterizer rasterizer(8);
    const bool tinyCell = axis.extent[0] < kTinyCell;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const double left = axis.start[column];
            const double top = axis.start[row];
            const double cellWidth = axis.extent[column];
            const double cellHeight = axis.extent[row];
            Shape cell;
            cell.addRectangle(left, top, left + cellWidth, top + cellHeight);
            rasterizer.fill(image, cell, kCell);

            const int digit = kDigits[static_cast<std::size_t>(row * 3 + column)];
            rasterizer.fill(image,
                            tinyCell ? digitMark(digit, left, top, cellWidth, cellHeight)
                                     : boldDigit(digit, left, top, cellWidth, cellHeight),
                            kDigit);
        }
    }
    return image;
}

} // namespace assetgen
