#pragma once

namespace grid {

// List item selected on the size selector: lays the grid out for the chosen size, empty, with its
// centre highlighted, and hides the cells beyond it.
void layOutGrid();

} // namespace grid
