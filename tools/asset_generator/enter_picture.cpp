#include "enter_picture.hpp"

#include "fingerprint.hpp"

#include <algorithm>
#include <array>

namespace assetgen {

namespace {

constexpr int kPaperIndex = 0;
constexpr int kGradientSteps = 62;
constexpr int kTransparentIndex = 255;
constexpr Rgb kPaper{255, 255, 255};
constexpr Rgb kGreyRidge{229, 229, 229};

// Palette layout: paper, the grey ink levels, then each gradient step's ink levels; the last
// entry stays free as the transparent index.
std::uint8_t greyIndex(int level) {
    return static_cast<std::uint8_t>(level);
}

std::uint8_t colourIndex(int gradientStep, int level) {
    return static_cast<std::uint8_t>(1 + Fingerprint::kInkLevels * (1 + gradientStep) + level - 1);
}

static_assert(1 + Fingerprint::kInkLevels * (1 + kGradientSteps) <= kTransparentIndex);

// Yellow-orange at the top, orange in the middle, red at the bottom; t in 0..1.
Rgb gradient(double t) {
    constexpr Rgb stops[] = {{250, 202, 28}, {246, 132, 22}, {226, 34, 28}};
    const double scaled = std::clamp(t, 0.0, 1.0) * 2.0;
    const int i = std::min(1, static_cast<int>(scaled));
    const double f = scaled - i;
    auto mix = [f](int a, int b) { return static_cast<std::uint8_t>(a + (b - a) * f + 0.5); };
    return {mix(stops[i].r, stops[i + 1].r), mix(stops[i].g, stops[i + 1].g),
            mix(stops[i].b, stops[i + 1].b)};
}

// The ink colour at a partial level, as laid over the white paper.
Rgb onPaper(Rgb ink, int level) {
    auto mix = [level](int paper, int colour) {
        return static_cast<std::uint8_t>((paper * (Fingerprint::kInkLevels - level) +
                                          colour * level + Fingerprint::kInkLevels / 2) /
                                         Fingerprint::kInkLevels);
    };
    return {mix(kPaper.r, ink.r), mix(kPaper.g, ink.g), mix(kPaper.b, ink.b)};
}

std::array<Rgb, 256> makePalette() {
    std::array<Rgb, 256> palette;
    palette.fill(kPaper);
    for (int level = 1; level <= Fingerprint::kInkLevels; ++level) {
        palette[greyIndex(level)] = onPaper(kGreyRidge, level);
        for (int step = 0; step < kGradientSteps; ++step) {
            const Rgb ink = gradient(static_cast<double>(step) / (kGradientSteps - 1));
            palette[colourIndex(step, level)] = onPaper(ink, level);
        }
    }
    return palette;
}

GifFrame holdFrame() {
    return {0, 0, 1, 1, {static_cast<std::uint8_t>(kTransparentIndex)}};
}

GifFrame greyFrame(const Fingerprint& print) {
    GifFrame frame{0, 0, print.width, print.height, {}};
    for (const std::uint8_t level : print.ink) {
        frame.indices.push_back(level == 0 ? static_cast<std::uint8_t>(kPaperIndex)
                                           : greyIndex(level));
    }
    return frame;
}

// The pixels of the given pieces in their colours, in the smallest rectangle around them.
GifFrame colouringFrame(const Fingerprint& print, const std::vector<int>& stepOfPiece, int step,
                        const std::vector<int>& gradientStepOfPiece) {
    int left = print.width, top = print.height, right = -1, bottom = -1;
    auto inStep = [&](std::size_t at) {
        return print.piece[at] >= 0 &&
               stepOfPiece[static_cast<std::size_t>(print.piece[at])] == step;
    };
    for (int y = 0; y < print.height; ++y) {
        for (int x = 0; x < print.width; ++x) {
            if (inStep(static_cast<std::size_t>(y) * print.width + x)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    GifFrame frame{left, top, right - left + 1, bottom - top + 1, {}};
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * print.width + x;
            if (!inStep(at)) {
                frame.indices.push_back(kTransparentIndex);
                continue;
            }
            frame.indices.push_back(colourIndex(
                gradientStepOfPiece[static_cast<std::size_t>(print.piece[at])], print.ink[at]));
        }
    }
    return frame;
}

} // namespace

GifAnimation drawEnterAnimation() {
    const Fingerprint print = drawFingerprint(kEnterSize, kEnterSize);

    // Pieces from the top down; each colouring step takes the next equal share of them, so no
    // step is empty.
    std::vector<int> order;
    for (std::size_t i = 0; i < print.piecePixels.size(); ++i) {
        if (print.piecePixels[i] > 0) {
            order.push_back(static_cast<int>(i));
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return print.pieceMeanRow[static_cast<std::size_t>(a)] <
               print.pieceMeanRow[static_cast<std::size_t>(b)];
    });
    const double firstRow = print.pieceMeanRow[static_cast<std::size_t>(order.front())];
    const double lastRow = print.pieceMeanRow[static_cast<std::size_t>(order.back())];
    std::vector<int> stepOfPiece(print.piecePixels.size(), -1);
    std::vector<int> gradientStepOfPiece(print.piecePixels.size(), 0);
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        const auto piece = static_cast<std::size_t>(order[rank]);
        stepOfPiece[piece] = static_cast<int>(rank * kEnterColouringFrames / order.size());
        const double t = (print.pieceMeanRow[piece] - firstRow) / (lastRow - firstRow);
        gradientStepOfPiece[piece] = static_cast<int>(t * (kGradientSteps - 1) + 0.5);
    }

    GifAnimation animation;
    animation.width = kEnterSize;
    animation.height = kEnterSize;
    animation.palette = makePalette();
    animation.backgroundIndex = kPaperIndex;
    animation.transparentIndex = kTransparentIndex;
    animation.delayCentiseconds = 4;
    animation.frames.push_back(greyFrame(print));
    for (int i = 0; i < kEnterHoldFramesBefore; ++i) {
        animation.frames.push_back(holdFrame());
    }
    for (int step = 0; step < kEnterColouringFrames; ++step) {
        animation.frames.push_back(colouringFrame(print, stepOfPiece, step, gradientStepOfPiece));
    }
    for (int i = 0; i < kEnterHoldFramesAfter; ++i) {
        animation.frames.push_back(holdFrame());
    }
    return animation;
}

} // namespace assetgen
