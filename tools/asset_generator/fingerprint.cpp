#include "fingerprint.hpp"

#include "deterministic_math.hpp"
#include "geometry.hpp"
#include "random.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace assetgen {

namespace {

constexpr int kSamples = 4; // per axis and pixel
constexpr double kPeriod = 13.2;
constexpr double kRidgeHalfWidth = 2.7;
constexpr int kOuterRidge = 11; // the outline; ridge 0 is the core
constexpr Point kCoreTop{202.0, 170.0};
constexpr Point kCoreBottom{206.0, 206.0};
constexpr double kPieceLength = 55.0; // pixels along a ridge per piece
constexpr double kGapHalfLength = 4.0;
constexpr double kGapChance = 0.4;

// How one ridge is divided: piece boundaries are evenly spaced in angle around the core.
struct RidgeCuts {
    int pieces = 1;
    double offset = 0.0;                  // in pieces
    std::vector<std::uint8_t> gapAtStart; // per piece: whether a break opens it
    double gapHalfAngle = 0.0;            // in pieces
    int firstPiece = 0;                   // global number of this ridge's piece 0
};

std::vector<RidgeCuts> cutRidges() {
    Random random(0xF1A6E7);
    std::vector<RidgeCuts> ridges(kOuterRidge + 1);
    int next = 0;
    for (int k = 0; k <= kOuterRidge; ++k) {
        RidgeCuts& cuts = ridges[static_cast<std::size_t>(k)];
        const double circumference = 2.0 * kPi * k * kPeriod;
        cuts.pieces = std::max(1, static_cast<int>(circumference / kPieceLength + 0.5));
        cuts.offset = random.uniform(0.0, 1.0);
        cuts.gapHalfAngle = k > 0 ? kGapHalfLength / circumference * cuts.pieces : 0.0;
        for (int j = 0; j < cuts.pieces; ++j) {
            // The outline and the core stay whole.
            const bool gap = random.uniform(0.0, 1.0) < kGapChance;
            cuts.gapAtStart.push_back(gap && k > 0 && k < kOuterRidge && cuts.pieces > 1);
        }
        cuts.firstPiece = next;
        next += cuts.pieces;
    }
    return ridges;
}

// A gentle wobble, so that the ridges are not perfect geometric curves.
Point warp(Point p) {
    return {p.x + 2.6 * sine(0.021 * p.y + 0.7) + 1.4 * sine(0.043 * p.y + 2.1),
            p.y + 2.2 * sine(0.018 * p.x + 1.3)};
}

// The piece of the ridge through `p`, or -1 if `p` lies between ridges or in a break.
int pieceAt(Point p, const std::vector<RidgeCuts>& ridges) {
    const Point w = warp(p);
    const Point axis = kCoreBottom - kCoreTop;
    const double t = std::clamp(dot(w - kCoreTop, axis) / dot(axis, axis), 0.0, 1.0);
    const Point away = w - (kCoreTop + axis * t);
    const double rings = length(away) / kPeriod;
    const double nearest = std::floor(rings + 0.5);
    if (nearest > kOuterRidge || std::fabs(rings - nearest) * kPeriod > kRidgeHalfWidth) {
        return -1;
    }
    const RidgeCuts& cuts = ridges[static_cast<std::size_t>(nearest)];
    const double turn = (arcTangent2(away.y, away.x) + kPi) / (2.0 * kPi); // 0..1
    const double position = turn * cuts.pieces + cuts.offset;
    const int j = static_cast<int>(std::floor(position)) % cuts.pieces;
    const double intoPiece = position - std::floor(position);
    const int following = (j + 1) % cuts.pieces;
    if ((cuts.gapAtStart[static_cast<std::size_t>(j)] && intoPiece < cuts.gapHalfAngle) ||
        (cuts.gapAtStart[static_cast<std::size_t>(following)] &&
         1.0 - intoPiece < cuts.gapHalfAngle)) {
        return -1;
    }
    return cuts.firstPiece + j;
}

} // namespace

Fingerprint drawFingerprint(int width, int height) {
    const std::vector<RidgeCuts> ridges = cutRidges();
    const int pieceCount = ridges.back().firstPiece + ridges.back().pieces;

    Fingerprint print;
    print.width = width;
    print.height = height;
    print.ink.assign(static_cast<std::size_t>(width) * height, 0);
    print.piece.assign(static_cast<std::size_t>(width) * height, -1);
    std::vector<double> rowSum(static_cast<std::size_t>(pieceCount), 0.0);
    std::vector<int> pixels(static_cast<std::size_t>(pieceCount), 0);

    constexpr int kPerPixel = kSamples * kSamples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The pixel's piece is the one that most of its inked samples belong to.
            std::array<int, kPerPixel> hits{};
            int inked = 0;
            for (int s = 0; s < kPerPixel; ++s) {
                const Point p{x + (s % kSamples + 0.5) / kSamples,
                              y + (s / kSamples + 0.5) / kSamples};
                hits[static_cast<std::size_t>(s)] = pieceAt(p, ridges);
                inked += hits[static_cast<std::size_t>(s)] >= 0 ? 1 : 0;
            }
            const int level = (inked * Fingerprint::kInkLevels + kPerPixel / 2) / kPerPixel;
            if (level == 0) {
                continue;
            }
            int owner = -1;
            long best = 0;
            for (const int candidate : hits) {
                const long votes = std::count(hits.begin(), hits.end(), candidate);
                if (candidate >= 0 && (votes > best || (votes == best && candidate < owner))) {
                    owner = candidate;
                    best = votes;
                }
            }
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            print.ink[at] = static_cast<std::uint8_t>(level);
            print.piece[at] = owner;
            rowSum[static_cast<std::size_t>(owner)] += y;
            ++pixels[static_cast<std::size_t>(owner)];
        }
    }
    print.pieceMeanRow.resize(static_cast<std::size_t>(pieceCount));
    for (std::size_t i = 0; i < print.pieceMeanRow.size(); ++i) {
        print.pieceMeanRow[i] = pixels[i] > 0 ? rowSum[i] / pixels[i] : 0.0;
    }
    print.piecePixels = std::move(pixels);
    return print;
}

} // namespace assetgen
