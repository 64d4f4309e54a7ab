#pragma once
// Button: an ordinary push button (never the window's default button) that raises clicked.

#include "ui/controls/control.h"

namespace ui {

class ButtonControl : public WidgetControl {
public:
    ButtonControl(const ControlRecord& record, FormWindow& window, QWidget* parent);
};

} // namespace ui
