#include "ui/accessibility.h"

#include "ui/form_window.h"

namespace ui {

void describeForAccessibility(FormWindow&) {}

} // namespace ui
