#pragma once
// The control layer as handlers see it: every control of the main window is read and written by
// its identifier and a property. A write takes effect before the call returns; values out of a
// property's range are clamped silently.

#include "ui/controls/control_kinds.h"
#include "ui/controls/property_value.h"
#include "ui/form/control_ids.h"

#include <stdexcept>

namespace ui {

Value readProperty(ControlId control, Property property);
void writeProperty(ControlId control, Property property, const Value& value);

// Addressing a control that does not exist (or no window at all) is a fault of the program,
// reported as a fatal error by the shell.
class NoSuchControl : public std::runtime_error {
public:
    explicit NoSuchControl(ControlId id);
};

} // namespace ui
