#pragma once
// EditBox: a one-line text field with a sunken border, centred text, its own text and background
// colours, a font, and an input mode (0 normal, 1 read-only, 2 masked).

#include "ui/controls/control.h"

#include <QLineEdit>

namespace ui {

class EditBoxControl : public WidgetControl {
public:
    EditBoxControl(const ControlRecord& record, FormWindow& window, QWidget* parent);

    Value read(Property property) const override;
    void write(Property property, const Value& value) override;

private:
    void applyColours();
    void applyFont();

    QLineEdit* edit_;
    FontSpec font_;
    Colour textColour_;
    int inputMode_ = 0;
};

} // namespace ui
