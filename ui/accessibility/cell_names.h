#pragma once
// The accessible names of the grid cells: each names its row and column in the grid it stands in.

#include <QString>
#include <optional>

class QWidget;

namespace ui {

// The grid size N for a cell of this width, or nullopt for a cell that stands in no grid: the
// size whose cells are that wide.
std::optional<int> gridSizeForCellWidth(int width);

// "第r行第c列" (rows and columns counted from 1) for cell k in an N x N grid; "第k格" for a cell
// that stands in no grid.
QString cellAccessibleName(int k, std::optional<int> gridSize);

// Names cell k now and again whenever it is moved or resized, so that the name follows every
// layout of the grid.
void nameCellByItsPlace(QWidget& cell, int k);

} // namespace ui
