#pragma once
// ComboBox: a drop-down list whose user can only pick an item. Every accepted choice, also of the
// current item, queues one list-item-selected event; writing the current item raises nothing.

#include "ui/controls/control.h"

#include <QComboBox>

namespace ui {

class ComboBoxControl : public WidgetControl {
public:
    ComboBoxControl(const ControlRecord& record, FormWindow& window, QWidget* parent);

    Value read(Property property) const override;
    void write(Property property, const Value& value) override;

private:
    QComboBox* combo_;
};

} // namespace ui
