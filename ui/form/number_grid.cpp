#include "ui/form/number_grid.h"

#include <array>

namespace ui {

std::optional<GridSize> gridSizeFor(int sizeIndex) {
    static constexpr std::array<GridSize, 4> sizes{
        {{3, 180, 120}, {4, 135, 80}, {5, 108, 60}, {6, 90, 45}}};
    if (sizeIndex < 0 || sizeIndex >= static_cast<int>(sizes.size())) {
        return std::nullopt;
    }
    return sizes[static_cast<std::size_t>(sizeIndex)];
}

bool isHighlighted(int k, int n) {
    const int row = (k - 1) / n;
    const int column = (k - 1) % n;
    const auto central = [n](int line) {
        return n % 2 == 1 ? line == (n - 1) / 2 : (line == n / 2 - 1 || line == n / 2);
    };
    return central(row) && central(column);
}

} // namespace ui
