#pragma once

#include "ui/form/form_window.h"

#include <functional>

namespace app {

// A handler as events run it: a fault escaping it ends the program as a fatal error from within
// the handler's own frame, so it never unwinds through Qt's event delivery.
ui::EventHandler guardedHandler(std::function<void()> handler);

// Binds every event of the form's binding table to its handler, each through guardedHandler.
void bindEventHandlers(ui::FormWindow& window);

} // namespace app
