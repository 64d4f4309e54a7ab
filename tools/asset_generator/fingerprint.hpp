#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

// A fingerprint of ridge lines, rendered as ink levels. Each ridge is cut into pieces (the short
// runs between its breaks and colour steps), and every inked pixel belongs to one piece.
struct Fingerprint {
    static constexpr int kInkLevels = 4; // ink of a pixel: 0 (paper) to kInkLevels (full ridge)

    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> ink;    // per pixel, row-major
    std::vector<int> piece;           // per pixel; -1 where there is no ink
    std::vector<double> pieceMeanRow; // per piece: mean row of its pixels
    std::vector<int> piecePixels;     // per piece: how many pixels it inks
};

// The fingerprint of the enter picture: a whorl of ridges around an elongated core, inside an
// oval outline, drawn on a canvas of the given size.
Fingerprint drawFingerprint(int width, int height);

} // namespace assetgen
