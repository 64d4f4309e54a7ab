#pragma once

namespace grid {

// Clicked on "换一批": fills the shown cells with the numbers 1..N² in the order the program's
// generator draws them.
void fillBatch();

} // namespace grid
