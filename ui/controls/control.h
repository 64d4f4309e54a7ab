#pragma once
// One control of the main window: its form record, its state and, for every kind but the timer,
// the Qt widget that shows it.

#include "ui/controls/control_kinds.h"
#include "ui/controls/property_value.h"
#include "ui/form/form.h"

#include <QWidget>

namespace ui {

class FormWindow;

class Control {
public:
    Control(const ControlRecord& record, FormWindow& window) : record_(record), window_(window) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlRecord& record() const { return record_; }
    ControlId id() const { return record_.id; }

    // The widget that shows the control; nullptr for a timer.
    virtual QWidget* widget() const = 0;

    // Properties this kind does not have read as 0 and ignore writes.
    virtual Value read(Property property) const;
    virtual void write(Property property, const Value& value);

    // Raises one of this control's events: runs the bound handler, if any, at once.
    void raise(Event event, EventArgs args = {});

    FormWindow& window() const { return window_; }

private:
    const ControlRecord& record_;
    FormWindow& window_;
};

// Controls shown by a child widget: place, size and visibility live on the widget itself.
class WidgetControl : public Control {
public:
    WidgetControl(const ControlRecord& record, FormWindow& window, QWidget* widget);

    QWidget* widget() const override { return widget_; }
    Value read(Property property) const override;
    void write(Property property, const Value& value) override;

protected:
    // Resizes the widget to a new height, keeping its top-left corner and width.
    void setHeight(int height);

private:
    QWidget* widget_;
};

// Clamping ranges of the geometry properties.
inline constexpr int coordinateLimit = 32627;

// Routes the mouse events of a control's widget to the control: moves (also with no button held)
// and left presses go to the topmost control under the pointer, before the widget handles them,
// and are never passed on to the container beneath. Every control's widget routes them, so that
// the moves of a drag reach the control under the pointer wherever the button went down.
void routeMouseEvents(Control& control, QWidget& widget);

} // namespace ui
