#include "grid/batch_handler.h"

#include "app/operations/operations.h"
#include "grid/number_generator.h"
#include "ui/controls/properties.h"
#include "ui/form/number_grid.h"

#include <algorithm>
#include <vector>

namespace grid {

using namespace ui;

void fillBatch() {
    std::vector<std::int32_t> batch;
    const auto size = gridSizeFor(readProperty(组合框1, Property::CurrentItem).integer());
    if (!size) {
        return;
    }
    const int count = size->n * size->n;
    do {
        const std::int32_t v = programGenerator().draw(1, count);
        if (std::count(batch.begin(), batch.end(), v) == 0) { // compares with every entry
            batch.push_back(v);
        }
    } while (static_cast<int>(batch.size()) < count);
    for (int k = 1; k <= count; ++k) {
        writeProperty(cell(k), Property::Text, app::toText(batch[static_cast<std::size_t>(k - 1)]));
    }
}

} // namespace grid
