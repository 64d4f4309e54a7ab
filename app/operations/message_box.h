#pragma once

#include "ui/texts/text.h"

#include <optional>

class QWidget;

namespace app {

// The message box behind messageBox: the platform's button sets 0..5 with Chinese button texts,
// task-modal, with the pressed button numbered OK 0, Cancel 1, Abort 2, Retry 3, Ignore 4, Yes 5,
// No 6. Closing it by Esc or its title bar counts as its escape button (Cancel, or No where there
// is no Cancel), so it can never report a "Yes" the user did not press.
int showMessageBox(const ui::Text& text, int buttonSet, const std::optional<ui::Text>& caption,
                   QWidget* owner);

} // namespace app
