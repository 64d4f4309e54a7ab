#pragma once
// The number grid that the form's cells make: its four sizes, where it stands and the colour of
// its centre. The size index (current item of the size selector) 0..3 stands for an N x N grid
// with N = 3..6; any other index stands for no size.

#include "ui/controls/control_kinds.h"

#include <optional>

namespace ui {

struct GridSize {
    int n;        // cells per row and per column
    int cellSize; // pixels; n * cellSize = gridExtent
    int fontSize; // points
};

std::optional<GridSize> gridSizeFor(int sizeIndex);

// The grid's top-left corner, in the cells' container, and its width and height in every size.
inline constexpr int gridOrigin = 15;
inline constexpr int gridExtent = 540;

// The text colour of the centre cell for odd N, of the centre four cells for even N.
inline constexpr Colour highlightColour = 8429696; // red 128, green 160, blue 128

// Whether cell k (1..n*n) is highlighted: the centre cell for odd n, the centre four for even n.
bool isHighlighted(int k, int n);

} // namespace ui
