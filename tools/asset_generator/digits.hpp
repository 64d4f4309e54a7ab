#pragma once

#include "geometry.hpp"

#include <vector>

namespace assetgen {

// The bold digits of the number grid, drawn as pen strokes.
inline constexpr double kDigitWidth = 0.62; // in glyph heights

// Centre lines of the strokes of digit 1..9 in a glyph box of kDigitWidth x 1 (y downwards).
std::vector<std::vector<Point>> digitStrokes(int digit);

// Maps the strokes into a box of the given height whose top-left corner is `origin`.
std::vector<std::vector<Point>> placeDigit(int digit, Point origin, double height);

} // namespace assetgen
