#pragma once
// The four grid sizes: the size index (current item of the size selector) 0..3 stands for an
// N x N grid with N = 3..6; any other index stands for no size.

#include <optional>

namespace grid {

struct GridSize {
    int n;        // cells per row and per column
    int cellSize; // pixels; n * cellSize = 540
    int fontSize; // points
};

std::optional<GridSize> gridSizeFor(int sizeIndex);

// The grid's top-left corner, in the cells' container.
inline constexpr int gridOrigin = 15;

// Whether cell k (1..n*n) is highlighted: the centre cell for odd n, the centre four for even n.
bool isHighlighted(int k, int n);

} // namespace grid
