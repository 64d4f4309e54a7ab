#pragma once

#include "ui/form_window.h"

#include <functional>

namespace app {

// A handler as events run it: a fault escaping it ends the program as a fatal error.
ui::EventHandler guardedHandler(std::function<void()> handler);

// Binds every event of the form's binding table to its handler.
void bindEventHandlers(ui::FormWindow& window);

} // namespace app
