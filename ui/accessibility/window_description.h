#pragma once
// What screen readers learn of the main window's controls through the accessibility tree.

namespace ui {

class FormWindow;

// Gives every control of the window its accessible name and description.
void describeForAccessibility(FormWindow& window);

} // namespace ui
