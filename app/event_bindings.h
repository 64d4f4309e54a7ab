#pragma once

namespace ui {
class FormWindow;
}

namespace app {

// Binds every event of the form's binding table to its handler.
void bindEventHandlers(ui::FormWindow& window);

} // namespace app
