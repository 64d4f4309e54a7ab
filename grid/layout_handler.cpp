#include "grid/layout_handler.h"

#include "ui/controls/properties.h"
#include "ui/form/number_grid.h"

namespace grid {

using namespace ui;

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
        writeProperty(cell(k), Property::TextColour,
                      static_cast<std::int32_t>(isHighlighted(k, n) ? highlightColour : 0));
    }
}

} // namespace grid
