#include "grid/layout_handler.h"

#include "grid/grid_sizes.h"
#include "ui/controls.h"

namespace grid {

using namespace ui;

namespace {
constexpr std::int32_t highlight = 8429696;
}

void layOutGrid() {
    const auto size = gridSizeFor(readProperty(组合框1, Property::CurrentItem).integer());
    if (!size) {
        return;
    }
    const int n = size->n;
    const int s = size->cellSize;
    const int count = n * n;
    for (int k = 1; k <= count; ++k) {
        writeProperty(cell(k), Property::Width, s);
    }
    for (int k = 1; k <= count; ++k) {
        writeProperty(cell(k), Property::Height, s);
    }
    for (int k = 1; k <= count; ++k) {
        writeProperty(cell(k), Property::Left, gridOrigin + (k - 1) % n * s);
    }
    for (int k = 1; k <= count; ++k) {
        writeProperty(cell(k), Property::Top, gridOrigin + (k - 1) / n * s);
    }
    for (int k = 1; k <= count; ++k) {
        writeProperty(cell(k), Property::FontSize, size->fontSize);
    }
    for (int k = 1; k <= count; ++k) {
        writeProperty(cell(k), Property::Visible, true);
    }
    for (int k = count + 1; k <= cellCount; ++k) {
        writeProperty(cell(k), Property::Visible, false);
    }
    for (int k = 1; k <= count; ++k) {
        writeProperty(cell(k), Property::Text, "");
    }
    for (int k = 1; k <= count; ++k) {
        writeProperty(cell(k), Property::TextColour, isHighlighted(k, n) ? highlight : 0);
    }
}

} // namespace grid
