#pragma once
// CheckBox: an automatic check box; a click (or the space bar) toggles the mark, then raises
// clicked. Writing checked raises nothing.

#include "ui/controls/control.h"

#include <QCheckBox>

namespace ui {

class CheckBoxControl : public WidgetControl {
public:
    CheckBoxControl(const ControlRecord& record, FormWindow& window, QWidget* parent);

    Value read(Property property) const override;
    void write(Property property, const Value& value) override;

private:
    QCheckBox* box_;
};

} // namespace ui
